// A voice installed under a preferred name is chosen and queues its words.
// espeak-ng reads its voices once per process, hence a process of its own.
#include "UEspeakSpeechLayer.h"
#include "USpeechEx.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace {

const QString kSystemData = QStringLiteral("/usr/lib/x86_64-linux-gnu/espeak-ng-data");

// A copy of the installed data made of links, with one more English voice.
bool MakeDataWithVoice(const QString &root, const QByteArray &name)
{
    const QString data = root + QStringLiteral("/espeak-ng-data");
    QDir().mkpath(data + QStringLiteral("/lang/test"));
    const QDir system(kSystemData);
    for (const QString &entry : system.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (entry != QLatin1String("lang") && !QFile::link(system.filePath(entry), data + u'/' + entry))
            return false;
    const QDir lang(system.filePath(QStringLiteral("lang")));
    for (const QString &entry : lang.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (!QFile::link(lang.filePath(entry), data + QStringLiteral("/lang/") + entry))
            return false;
    QFile voice(data + QStringLiteral("/lang/test/mary"));
    return voice.open(QIODevice::WriteOnly) && voice.write("name " + name + "\nlanguage en-us 9\nphonemes en-us\n") > 0;
}

} // namespace

TEST(InstalledVoice, APreferredNameIsChosenAndItsWordsAreQueued)
{
    if (!QDir(kSystemData).exists())
        GTEST_SKIP() << "espeak-ng data is elsewhere on this system";
    QTemporaryDir root;
    ASSERT_TRUE(MakeDataWithVoice(root.path(), "microsoft mary"));

    auto *layer = new TEspeakSpeechLayer(root.path());
    std::atomic<int> plays{0};
    layer->SetOnPlay([&plays] { ++plays; });
    TSpeechEx speech{std::unique_ptr<TSpeechLayer>(layer)};
    ASSERT_TRUE(speech.CreateVoice());
    EXPECT_EQ(speech.VoiceKind(), 1);
    EXPECT_EQ(speech.VoiceName(), QStringLiteral("microsoft mary"));
    EXPECT_EQ(speech.EngineName(), QStringLiteral("微软引擎"));

    speech.Speak(QStringLiteral("elephant"));
    speech.Speak(QStringLiteral("tiger"));
    QElapsedTimer t;
    t.start();
    while (plays < 3 && t.elapsed() < 8000) // the test "." and both words
        QThread::msleep(10);
    EXPECT_EQ(plays, 3);
}
