// Start-up with a word library that does not open: each cause is told in
// Chinese, a busy library is waited for first, and a damaged library of an
// installed program can be restored from the install with the damaged file
// kept.

#include "TestSupport.h"
#include "UAppSetup.h"
#include "UDataInterface.h"
#include "USettings.h"
#include "USqlite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray Junk()
{
    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 7919 + 13) % 256);
    return junk;
}

void CreateLibrary(const QString &file)
{
    TDataInterface data;
    ASSERT_TRUE(data.CreateDatabase(file, TDataInterface::DatabasePassword()));
    ASSERT_TRUE(data.AddBookInfo(QStringLiteral("《默认》"), 0, QStringLiteral("lib1"), 1, 1));
}

enum class TLibrary { Missing, RandomBytes, EmptyFile, HeldExclusively };

// Lays the library file out; for HeldExclusively gives another connection in
// the middle of a write, whose exclusive lock keeps even readers out of a
// library with a rollback journal while it lives.
std::unique_ptr<TSqliteDatabase> LayOut(TLibrary library, const QString &file)
{
    QFile f(file);
    switch (library) {
    case TLibrary::Missing: break;
    case TLibrary::RandomBytes:
        if (f.open(QIODevice::WriteOnly))
            f.write(Junk());
        break;
    case TLibrary::EmptyFile: f.open(QIODevice::WriteOnly); break;
    case TLibrary::HeldExclusively: {
        CreateLibrary(file);
        auto other = std::make_unique<TSqliteDatabase>(file, TDataInterface::DatabasePassword(), false);
        other->Exec(QStringLiteral("BEGIN EXCLUSIVE"));
        return other;
    }
    }
    return nullptr;
}

TEST(StartUp, ALibraryThatDoesNotOpenIsExplainedAndDamageCanBeUndoneFromTheInstall)
{
    const struct
    {
        const char *name;
        TLibrary library;
        bool installed; // the player's folder is a copy of an install that ships the library
        std::deque<TMsgResult> answers;
        TConnectResult failure;
        bool goesOn;
        QStringList told; // the start of each message, in order
        bool restored;
    } cases[] = {
        {"missing", TLibrary::Missing, false, {}, TConnectResult::Missing, false, {"找不到词库文件，游戏无法启动"}, false},
        {"random bytes", TLibrary::RandomBytes, false, {}, TConnectResult::Damaged, false, {"词库文件已损坏或不是咕噜猫词库"}, false},
        {"empty file", TLibrary::EmptyFile, false, {}, TConnectResult::Damaged, false, {"词库文件已损坏或不是咕噜猫词库"}, false},
        {"busy", TLibrary::HeldExclusively, false, {}, TConnectResult::Busy, false, {"词库文件正被另一个程序占用"}, false},
        {"installed, damaged, not restored", TLibrary::RandomBytes, true, {TMsgResult::No}, TConnectResult::Damaged, false,
         {"词库文件已损坏，无法打开"}, false},
        {"installed, damaged, restored", TLibrary::RandomBytes, true, {TMsgResult::Yes}, TConnectResult::Damaged, true,
         {"词库文件已损坏，无法打开", "已恢复为默认词库"}, true},
        {"installed, missing", TLibrary::Missing, true, {}, TConnectResult::Missing, false, {"找不到词库文件"}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TTempProgramDir home;
        home.WriteFile("data/spellconfig.ini", "[system]\r\ndata=gulu\r\n");
        const QString file = home.File("data/gulu.mdb");
        QTemporaryDir install;
        QDir(install.path()).mkpath("data");
        CreateLibrary(install.path() + "/data/gulu.mdb");
        const QString installFolder = c.installed ? install.path() + '/' : home.Path();
        TScopedDialogs dialogs;
        dialogs->Answers = c.answers;
        const std::unique_ptr<TSqliteDatabase> hold = LayOut(c.library, file);
        const TSettings settings(home.Path());

        TDataInterface data;
        QElapsedTimer clock;
        clock.start();
        const TConnectResult failure = data.Connect(settings);
        ASSERT_EQ(failure, c.failure);
        if (failure == TConnectResult::Busy) {
            EXPECT_GE(clock.elapsed(), 1500) << "the other program's lock is waited for first";
        }
        EXPECT_EQ(RecoverWordLibrary(data, settings, failure, installFolder), c.goesOn);
        EXPECT_EQ(data.IsConnected(), c.goesOn);

        const QStringList texts = dialogs->Texts();
        ASSERT_EQ(texts.size(), c.told.size()) << texts.join(" | ").toStdString();
        for (int i = 0; i < texts.size(); ++i)
            EXPECT_TRUE(texts[i].startsWith(c.told[i])) << texts[i].toStdString();
        EXPECT_TRUE(texts.first().contains(file)) << "names the file";

        const QStringList kept = QDir(home.File("data")).entryList({"gulu.mdb.damaged-*"});
        if (c.restored) {
            ASSERT_EQ(kept.size(), 1);
            EXPECT_TRUE(kept[0].contains(QRegularExpression("^gulu\\.mdb\\.damaged-\\d{8}-\\d{6}$"))) << kept[0].toStdString();
            EXPECT_EQ(home.ReadFile("data/" + kept[0]), Junk());
            EXPECT_TRUE(texts.last().contains(kept[0])) << "says where the damaged file is";
            EXPECT_EQ(data.GetBookName(1), QStringLiteral("《默认》"));
        } else {
            EXPECT_TRUE(kept.isEmpty());
            EXPECT_EQ(QFileInfo::exists(file), c.failure != TConnectResult::Missing) << "a missing library is not created";
            if (c.library == TLibrary::RandomBytes) {
                EXPECT_EQ(home.ReadFile("data/gulu.mdb"), Junk()) << "the damaged file is left as it was";
            }
        }
    }
}

} // namespace
