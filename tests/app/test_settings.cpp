// The settings file and the small shared helpers.

#include "TestSupport.h"
#include "UCommonFun.h"
#include "UIniFile.h"
#include "USettings.h"
#include "UTextCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>

namespace {
const QString kSystem = QStringLiteral("system");
const QByteArray kToeflGbk = QByteArray::fromHex("a1b6d7eed0c2544f45464cb4cabbe3a1b7");
} // namespace

TEST(IniFile, MissingFileMissingKeysAndJunkGiveDefaults)
{
    TTempProgramDir home;
    TIniFile missing(home.File("data/none.ini"));
    EXPECT_EQ(missing.ReadString(kSystem, "BookName", "dflt"), "dflt");
    EXPECT_EQ(missing.ReadInteger(kSystem, "Level", 1), 1);

    home.WriteFile("data/a.ini", "[system]\r\nLevel=abc\r\nWordCount= 42 \r\nTollGateIndex=12x\r\nBig=99999999999\r\n");
    TIniFile ini(home.File("data/a.ini"));
    EXPECT_EQ(ini.ReadInteger(kSystem, "Level", 1), 1);
    EXPECT_EQ(ini.ReadInteger(kSystem, "WordCount", 0), 42);
    EXPECT_EQ(ini.ReadInteger(kSystem, "TollGateIndex", 1), 1);
    EXPECT_EQ(ini.ReadInteger(kSystem, "Big", 7), 7);
    EXPECT_EQ(ini.ReadString("other", "Level", "d"), "d");
}

TEST(IniFile, NamesMatchWithoutRegardToCase)
{
    TTempProgramDir home;
    home.WriteFile("data/a.ini", "[SYSTEM]\nstoretablename=lib7\n");
    TIniFile ini(home.File("data/a.ini"));
    EXPECT_EQ(ini.ReadString("System", "StoreTableName", ""), "lib7");
    ASSERT_TRUE(ini.WriteString("system", "STORETABLENAME", "lib8"));
    EXPECT_EQ(home.ReadFile("data/a.ini"), "[SYSTEM]\nSTORETABLENAME=lib8\n");
}

TEST(IniFile, GbkTextRoundTripsByteExactly)
{
    TTempProgramDir home;
    TIniFile ini(home.File("data/a.ini"));
    ASSERT_TRUE(ini.WriteString(kSystem, "BookName", QStringLiteral("《最新TOEFL词汇》")));
    EXPECT_TRUE(home.ReadFile("data/a.ini").contains("BookName=" + kToeflGbk + "\r\n"));
    EXPECT_EQ(ini.ReadString(kSystem, "BookName", ""), QStringLiteral("《最新TOEFL词汇》"));
}

TEST(IniFile, WritingKeepsEveryOtherLineAndComment)
{
    TTempProgramDir home;
    const QByteArray before = "; shipped settings\r\n[system]\r\nLevel=2\r\n; keep me\r\nData=gulu\r\n\r\n[other]\r\nx=1\r\n";
    home.WriteFile("data/a.ini", before);
    TIniFile ini(home.File("data/a.ini"));
    ASSERT_TRUE(ini.WriteInteger(kSystem, "Level", 3));
    ASSERT_TRUE(ini.WriteInteger(kSystem, "TollGateIndex", 5));
    ASSERT_TRUE(ini.WriteString("new", "k", "v"));
    EXPECT_EQ(home.ReadFile("data/a.ini"),
              "; shipped settings\r\n[system]\r\nLevel=3\r\n; keep me\r\nData=gulu\r\nTollGateIndex=5\r\n\r\n"
              "[other]\r\nx=1\r\n\r\n[new]\r\nk=v\r\n");
    EXPECT_FALSE(QFile::exists(home.File("data/a.ini.tmp")));
}

TEST(IniFile, CorruptFilesReadAsDefaultsAndAreNotDamagedByReading)
{
    TTempProgramDir home;
    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 7919) % 256);
    const QByteArray longLine = QByteArray(10 * 1024 * 1024, 'x');
    for (const QByteArray &content : {junk, longLine, QByteArray("Level=3\nno sections at all\n")}) {
        home.WriteFile("data/c.ini", content);
        TIniFile ini(home.File("data/c.ini"));
        EXPECT_EQ(ini.ReadInteger(kSystem, "Level", 1), 1);
        EXPECT_EQ(home.ReadFile("data/c.ini"), content);
    }
}

TEST(CommonFun, CeilDivRoundsUpAndSurvivesZero)
{
    struct Case
    {
        int divisor, dividend, expected;
    };
    for (const Case c : {Case{15, 0, 0}, Case{15, 15, 1}, Case{15, 16, 2}, Case{15, 3480, 232}, Case{15, 31, 3},
                         Case{0, 10, 0}, Case{15, -1, 0}})
        EXPECT_EQ(CeilDiv(c.divisor, c.dividend), c.expected) << c.divisor << " " << c.dividend;
}

TEST(CommonFun, SplitStringKeepsInnerAndLeadingEmptiesButNoTrailingOne)
{
    QStringList parts{"kept"};
    SplitString("a#@##@#b#@#", "#@#", parts);
    EXPECT_EQ(parts, QStringList({"kept", "a", "", "b"}));
    parts.clear();
    SplitString("#@#x", "#@#", parts);
    EXPECT_EQ(parts, QStringList({"", "x"}));
    parts.clear();
    SplitString("", "#@#", parts);
    EXPECT_TRUE(parts.isEmpty());
}

TEST(CommonFun, RoundingGoesToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(129.5), 130);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4), 2);
}

TEST(CommonFun, CopyGameParaKeepsTheLevel)
{
    TGamePara source{1, 232, 15, "lib109", "b", 3480, 3};
    TGamePara dest;
    dest.Level = 2;
    CopyGamePara(source, dest);
    EXPECT_EQ(dest.Level, 2);
    EXPECT_EQ(dest.StoreTableName, "lib109");
    EXPECT_EQ(dest.TollGateCount, 232);
}

TEST(CommonFun, AppPathFollowsTheHomeVariable)
{
    TTempProgramDir home;
    EXPECT_EQ(GetAppPath(), home.Path());
    home.WriteFile("data/spellconfig.ini", "[system]\nversion=V1\n");
    EXPECT_EQ(ReadSystemValue("version"), "V1");
    EXPECT_EQ(ReadSystemValue("missing"), "");
    const TSettings settings(home.Path());
    EXPECT_EQ(settings.GetDefaultUI(), "WLM");
    settings.SetDefaultUI("Blue");
    EXPECT_EQ(settings.GetDefaultUI(), "Blue");
}

TEST(Settings, EncryptIsOnOnlyForExactlyOneAndReadAtEveryCall)
{
    TTempProgramDir home;
    const TSettings settings(home.Path());
    EXPECT_FALSE(settings.IsEncrypt()); // no settings file
    for (auto [content, on] : {std::pair{"[system]\r\nencrypt=1\r\n", true}, {"[system]\r\nencrypt=2\r\n", false},
                               {"[system]\r\nencrypt=yes\r\n", false}, {"[system]\r\nencrypt=1\r\n", true},
                               {"[other]\r\nencrypt=1\r\n", false}}) {
        home.WriteFile(QStringLiteral("data/spellconfig.ini"), content);
        EXPECT_EQ(settings.IsEncrypt(), on) << content;
    }
}

TEST(Settings, GameParaRoundTripsWithTheDocumentedDefaults)
{
    TTempProgramDir home;
    const TSettings settings(home.Path());
    TGamePara para;
    para.TollGateWords = 15;
    settings.LoadGamePara(para);
    EXPECT_EQ(para.StoreTableName, "lib109");
    EXPECT_EQ(para.WordCount, 3480);
    EXPECT_EQ(para.BookName, QStringLiteral("《最新TOEFL词汇》"));
    EXPECT_EQ(para.TollGateIndex, 1);
    EXPECT_EQ(para.Level, 1);
    EXPECT_EQ(para.TollGateWords, 15) << "fields outside the file are left alone";
    para.BookName = QStringLiteral("《测试》");
    para.TollGateIndex = 7;
    ASSERT_TRUE(settings.SaveGamePara(para));
    TGamePara back;
    settings.LoadGamePara(back);
    EXPECT_EQ(back.BookName, para.BookName);
    EXPECT_EQ(back.TollGateIndex, 7);
}

// The level multiplies every word's points: one from outside 1 to 3 would put
// any score at all, even a negative one, into the ranking.
TEST(Settings, ALevelOutsideOneToThreeReadsAsOne)
{
    const struct
    {
        const char *value;
        int level;
    } cases[] = {{"1", 1}, {"2", 2}, {"3", 3}, {"0", 1}, {"4", 1}, {"-5", 1}, {"2147483647", 1}, {"-2147483648", 1}};
    TTempProgramDir home;
    const TSettings settings(home.Path());
    for (const auto &c : cases) {
        home.WriteFile("data/spellconfig.ini", QByteArray("[system]\r\nLevel=") + c.value + "\r\n");
        TGamePara para;
        settings.LoadGamePara(para);
        EXPECT_EQ(para.Level, c.level) << c.value;
    }
}

TEST(Settings, AMissingOrBlankLibraryKeyNamesTheShippedLibrary)
{
    const struct
    {
        const char *content;
        const char *library;
    } cases[] = {
        {"", "data/guluspell.mdb"},
        {"[system]\r\n", "data/guluspell.mdb"},
        {"[system]\r\ndata=\r\n", "data/guluspell.mdb"},
        {"[system]\r\ndata=  \r\n", "data/guluspell.mdb"},
        {"[system]\r\ndata=mybooks\r\n", "data/mybooks.mdb"},
    };
    TTempProgramDir home;
    const TSettings settings(home.Path());
    for (const auto &c : cases) {
        home.WriteFile("data/spellconfig.ini", c.content);
        EXPECT_EQ(settings.DatabaseFileName(), home.Path() + c.library) << c.content;
    }
}

TEST(TextCodec, Utf8IsToldApartFromGbk)
{
    EXPECT_TRUE(IsValidUtf8(QStringLiteral("《最新TOEFL词汇》").toUtf8()));
    EXPECT_FALSE(IsValidUtf8(kToeflGbk));
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xC0\x80", 2))) << "overlong";
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xE4\xB8", 2))) << "cut off";
    EXPECT_EQ(DecodeTextFile(kToeflGbk), QStringLiteral("《最新TOEFL词汇》"));
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" + QStringLiteral("词").toUtf8()), QStringLiteral("词"));
}

// ---------------------------------------------------------------------------
// Hostile settings files and failing disks.

TEST(IniFile, EditorsAndOddBytesDoNotCostTheSettings)
{
    TTempProgramDir home;
    // Saved by an editor as UTF-8 with a byte-order mark: read as UTF-8,
    // written back in GBK.
    home.WriteFile("data/spellconfig.ini",
                   "\xEF\xBB\xBF[system]\r\ndata=guluspell\r\nBookName=" + QStringLiteral("《最新TOEFL词汇》").toUtf8() + "\r\n");
    const TSettings settings(home.Path());
    EXPECT_EQ(settings.ReadString("data"), "guluspell");
    EXPECT_EQ(settings.ReadString("BookName"), QStringLiteral("《最新TOEFL词汇》"));
    ASSERT_TRUE(settings.WriteString("Level", "2"));
    EXPECT_EQ(home.ReadFile("data/spellconfig.ini"),
              "[system]\r\ndata=guluspell\r\nBookName=" + kToeflGbk + "\r\nLevel=2\r\n");

    // A value ending in half a GBK character survives a rewrite unchanged.
    const QByteArray cut = "[system]\r\nBookName=ab\xB4\r\n";
    home.WriteFile("data/spellconfig.ini", cut);
    TGamePara para;
    settings.LoadGamePara(para);
    ASSERT_TRUE(settings.SaveGamePara(para));
    EXPECT_TRUE(home.ReadFile("data/spellconfig.ini").contains("BookName=ab\xB4\r\n"));
}

TEST(IniFile, ValuesWithLineBreaksStayOnTheirLine)
{
    TTempProgramDir home;
    const TSettings settings(home.Path());
    home.WriteFile("data/spellconfig.ini", "[system]\r\ndata=guluspell\r\n");
    TGamePara para;
    settings.LoadGamePara(para);
    para.BookName = QStringLiteral("evil\r\ndata=other\nx\ry");
    ASSERT_TRUE(settings.SaveGamePara(para));
    EXPECT_EQ(settings.ReadString("data"), "guluspell");
    EXPECT_EQ(settings.ReadString("BookName"), "evil  data=other x y");
    EXPECT_EQ(home.ReadFile("data/spellconfig.ini").count("\r\n"), 7) << "header, data and the five keys";
}

namespace {
QByteArray BigSettings()
{
    QByteArray text = "[system]\r\n";
    for (int i = 0; i < 2000; ++i)
        text += "key" + QByteArray::number(i) + "=value\r\n";
    return text;
}
} // namespace

TEST(FullDisk, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    TTempProgramDir home;
    const QByteArray old = "[system]\r\ndata=guluspell\r\nLevel=1\r\n";
    home.WriteFile("data/spellconfig.ini", old);
    const TSettings settings(home.Path());
    TGamePara para;
    settings.LoadGamePara(para);
    {
        const TFileSizeLimit limit(1024);
        EXPECT_FALSE(WriteFileAtomically(home.File("data/spellconfig.ini"), BigSettings()));
        EXPECT_FALSE(TIniFile(settings.FilePath()).WriteString(kSystem, "BookName", QString(2000, QLatin1Char('x'))));
    }
    EXPECT_EQ(home.ReadFile("data/spellconfig.ini"), old);
    EXPECT_EQ(QDir(home.File("data")).entryList(QDir::Files), QStringList{"spellconfig.ini"}) << "no temporary file left";
}

TEST(FullDisk, ATinyFullFileSystemKeepsTheSettings)
{
    QTemporaryDir mountPoint;
    const QByteArray path = QFile::encodeName(mountPoint.path());
    if (mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    struct Unmount
    {
        QByteArray path;
        ~Unmount() { umount2(path.constData(), MNT_DETACH); }
    } unmount{path};

    const QString dir = mountPoint.path() + "/";
    QDir().mkpath(dir + "data");
    const QByteArray old = "[system]\r\ndata=guluspell\r\nLevel=1\r\n";
    {
        QFile file(dir + "data/spellconfig.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    {
        QFile filler(dir + "filler"); // takes every free block
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
    }
    const TSettings settings(dir);
    TGamePara para;
    settings.LoadGamePara(para);
    para.BookName = QString(8000, QLatin1Char('b'));
    EXPECT_FALSE(settings.SaveGamePara(para));
    QFile file(dir + "data/spellconfig.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(QDir(dir + "data").entryList(QDir::Files), QStringList{"spellconfig.ini"});
}
