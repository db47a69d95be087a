#include "TestSupport.h"

#include "UDataInterface.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (QFileInfo(source).isDir())
            QDir().mkpath(target);
        else
            QFile::copy(source, target);
    }
}
} // namespace

TTempProgramDir::TTempProgramDir(bool copyTemplate)
{
    m_hadHome = qEnvironmentVariableIsSet("GULUSPELL_HOME");
    m_oldHome = qgetenv("GULUSPELL_HOME");
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("sound"));
    if (copyTemplate) {
        const QString templ = qEnvironmentVariable("GULUSPELL_TEST_TEMPLATE");
        for (const char *sub : {"data", "sound"})
            if (!templ.isEmpty())
                copyTree(templ + QLatin1Char('/') + QLatin1String(sub), m_dir.path() + QLatin1Char('/') + QLatin1String(sub));
    }
    qputenv("GULUSPELL_HOME", m_dir.path().toLocal8Bit());
}

TTempProgramDir::~TTempProgramDir()
{
    if (m_hadHome)
        qputenv("GULUSPELL_HOME", m_oldHome);
    else
        qunsetenv("GULUSPELL_HOME");
}

QString TTempProgramDir::Path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TTempProgramDir::File(const QString &relative) const
{
    return Path() + relative;
}

void TTempProgramDir::WriteFile(const QString &relative, const QByteArray &bytes) const
{
    QFile file(File(relative));
    QDir().mkpath(QFileInfo(file).path());
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TTempProgramDir::ReadFile(const QString &relative) const
{
    QFile file(File(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TMsgResult TFakeDialogs::MessageBox(QWidget *, const QString &text, TMsgIcon icon, TMsgButtons buttons)
{
    Messages.push_back({text, icon, buttons});
    if (!Answers.empty()) {
        const TMsgResult answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    return buttons == TMsgButtons::Ok ? TMsgResult::Ok : TMsgResult::No;
}

QString TFakeDialogs::GetOpenFileName(QWidget *, const QString &, const QString &)
{
    if (FileNames.empty())
        return {};
    QString name = FileNames.front();
    FileNames.pop_front();
    return name;
}

QString TFakeDialogs::GetSaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                      QString *selectedFilter)
{
    if (!SaveFilters.empty()) {
        if (selectedFilter)
            *selectedFilter = SaveFilters.front();
        SaveFilters.pop_front();
    }
    return GetOpenFileName(parent, caption, filter);
}

int TFakeDialogs::ExecDialog(QDialog &dialog)
{
    if (DialogHandlers.empty())
        return QDialog::Rejected;
    auto handler = std::move(DialogHandlers.front());
    DialogHandlers.pop_front();
    dialog.show(); // let showEvent-driven set-up run as it would for exec()
    const int result = handler(dialog);
    dialog.hide();
    return result;
}

QStringList TFakeDialogs::Texts() const
{
    QStringList texts;
    for (const Shown &shown : Messages)
        texts.append(shown.Text);
    return texts;
}

TScopedDialogs::TScopedDialogs()
{
    auto fake = std::make_unique<TFakeDialogs>();
    m_fake = fake.get();
    m_previous = SetDialogService(std::move(fake));
}

TScopedDialogs::~TScopedDialogs()
{
    SetDialogService(std::move(m_previous));
}

QStringList TRecordingAudioOutput::Log::Sounding() const
{
    QStringList files;
    for (const auto &[handle, sound] : Held)
        if (sound.Sounding)
            files << sound.File;
    return files;
}

bool TRecordingAudioOutput::Open()
{
    m_log->Calls.append(QStringLiteral("open"));
    return m_log->OpenResult;
}

TSoundHandle TRecordingAudioOutput::Load(const QString &fileName, bool loop)
{
    const QString name = QFileInfo(fileName).fileName();
    const TSoundHandle handle = m_log->MissingFiles.contains(name) ? 0 : m_next++;
    m_log->Calls.append(QStringLiteral("create %1 loop=%2 -> %3").arg(name).arg(int(loop)).arg(handle));
    if (handle != 0)
        m_log->Held[handle] = TSound{name, loop};
    return handle;
}

bool TRecordingAudioOutput::Play(TSoundHandle sound, bool restart)
{
    m_log->Calls.append(QStringLiteral("play %1 restart=%2").arg(sound).arg(int(restart)));
    const auto it = m_log->Held.find(sound);
    if (it == m_log->Held.end())
        return false;
    // A sound that never played starts from the beginning.
    if (restart || it->second.Starts == 0)
        ++it->second.Starts;
    it->second.Sounding = true;
    return true;
}

bool TRecordingAudioOutput::Stop(TSoundHandle sound)
{
    m_log->Calls.append(QStringLiteral("stop %1").arg(sound));
    const auto it = m_log->Held.find(sound);
    if (it == m_log->Held.end())
        return false;
    it->second.Sounding = false;
    return true;
}

bool TRecordingAudioOutput::Free(TSoundHandle sound)
{
    m_log->Calls.append(QStringLiteral("free %1").arg(sound));
    return m_log->Held.erase(sound) > 0;
}

TFileSizeLimit::TFileSizeLimit(rlim_t limit)
{
    getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit now = m_old;
    now.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &now);
}

TFileSizeLimit::~TFileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_old);
    signal(SIGXFSZ, m_oldHandler);
}

void MakeTwoGateBook(TDataInterface &data, const TTempProgramDir &home)
{
    ASSERT_TRUE(data.CreateDatabase(home.File("data/test.mdb"), TDataInterface::DatabasePassword()));
    ASSERT_TRUE(data.CreateWordTable(QStringLiteral("lib1")));
    for (int i = 0; i < 17; ++i)
        ASSERT_TRUE(data.InsertWord(QStringLiteral("lib1"), QString(QChar('a' + i)) + QChar('z' - i), QString(),
                                    QStringLiteral("词")));
    ASSERT_TRUE(data.AddBookInfo(QStringLiteral("《书》"), 17, QStringLiteral("lib1"), 3, 1));
}
