// The word library and the import fed with files, locks and titles that a
// careless user or a hostile file can bring.

#include "TestSupport.h"
#include "UDataInterface.h"
#include "UImpExpLib.h"
#include "USqlite.h"
#include "UWordFileReader.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <thread>

namespace {

class HostileFilesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_data.CreateDatabase(DbFile(), TDataInterface::DatabasePassword())); }

    QString DbFile() const { return m_home.File(QStringLiteral("data/guluspell.mdb")); }

    QString WordFile(const QByteArray &bytes)
    {
        m_home.WriteFile(QStringLiteral("words.txt"), bytes);
        return m_home.File(QStringLiteral("words.txt"));
    }

    // Imports, answering Yes to every bad line and noting each line and fault.
    bool Import(const QString &file, const QString &title, QString *error = nullptr)
    {
        m_faults.clear();
        return ImportWordLib(m_data, file, title, 4, false,
                             [this](int line, TLineFault fault) {
                                 m_faults.append({line, fault});
                                 return true;
                             },
                             {}, error);
    }

    TTempProgramDir m_home;
    TDataInterface m_data;
    QList<QPair<int, TLineFault>> m_faults;
};

TEST_F(HostileFilesTest, OnlyAFileWithTheCatalogueOpensAsTheLibrary)
{
    m_data.Close();
    m_home.WriteFile(QStringLiteral("data/empty.mdb"), QByteArray());
    EXPECT_FALSE(m_data.ConnectDatabase(m_home.File(QStringLiteral("data/empty.mdb")), TDataInterface::DatabasePassword()));
    EXPECT_EQ(QFileInfo(m_home.File(QStringLiteral("data/empty.mdb"))).size(), 0) << "refusing must not fill the file";
    EXPECT_FALSE(m_data.ConnectDatabase(QStringLiteral("/dev/null"), TDataInterface::DatabasePassword()));
    EXPECT_FALSE(m_data.IsConnected());
    EXPECT_TRUE(m_data.ConnectDatabase(DbFile(), TDataInterface::DatabasePassword()));
}

TEST_F(HostileFilesTest, AMomentaryLockByAnotherProcessIsWaitedOut)
{
    m_data.Close();
    TSqliteDatabase holder(DbFile(), TDataInterface::DatabasePassword(), false);
    holder.Exec(QStringLiteral("BEGIN EXCLUSIVE"));
    holder.Exec(QStringLiteral("INSERT INTO gamerecord(name, score, recoretime) VALUES('x', 1, '2026-01-01')"));
    std::thread release([&holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        holder.Exec(QStringLiteral("COMMIT"));
    });
    const bool opened = m_data.ConnectDatabase(DbFile(), TDataInterface::DatabasePassword());
    release.join();
    EXPECT_TRUE(opened);
}

TEST_F(HostileFilesTest, TitlesCompareWithoutRegardToCase)
{
    ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("TOEFL 词汇"), 1, QStringLiteral("lib1"), 6, 1));
    ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("ＧＲＥ"), 1, QStringLiteral("lib2"), 6, 2, 0));
    for (const char *taken : {"toefl 词汇", "Toefl 词汇", "ｇｒｅ", "ＧＲＥ"})
        EXPECT_TRUE(m_data.BookNameExists(QString::fromUtf8(taken))) << taken;
    for (const char *free : {"toefl", "GRE", "TOEFL 词汇 "})
        EXPECT_FALSE(m_data.BookNameExists(QString::fromUtf8(free))) << free;
}

TEST_F(HostileFilesTest, OnlyRegularFilesOfBoundedSizeAreRead)
{
    const QString fifo = m_home.File(QStringLiteral("pipe.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zero = m_home.File(QStringLiteral("zero.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    const QString huge = m_home.File(QStringLiteral("huge.txt"));
    {
        QFile file(huge); // sparse: costs no disk
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kMaxWordFileSize + 1));
    }
    for (const QString &path : {fifo, zero, huge}) {
        SCOPED_TRACE(path.toStdString());
        QString error;
        EXPECT_FALSE(Import(path, QStringLiteral("bad"), &error));
        EXPECT_TRUE(error.contains(QFileInfo(path).fileName())) << error.toStdString();
        EXPECT_EQ(error.contains(QStringLiteral("64 MB")), path == huge) << "the size limit is named";
        EXPECT_FALSE(m_data.TableExists(QStringLiteral("lib1")));
    }
}

TEST_F(HostileFilesTest, LinesAreSplitAcrossReadBoundaries)
{
    // CRLF pairs and a long line straddle the reader's 64 KB chunks.
    QByteArray bytes = QByteArray(65535, 'a') + "\r\n" + QByteArray(200000, 'b') + "\r" + "c\r\n\nd";
    TWordFileReader reader;
    QString error;
    ASSERT_TRUE(reader.Open(WordFile(bytes), error)) << error.toStdString();
    EXPECT_EQ(reader.LineCount(), 5);
    QStringList sizes;
    QString line;
    bool valid = false;
    while (reader.NextLine(line, valid))
        sizes << QString::number(line.size());
    EXPECT_EQ(sizes, QStringList({"65535", "200000", "1", "0", "1"}));
}

TEST_F(HostileFilesTest, DamagedUtf8StaysUtf8AndItsBadLinesAreAsked)
{
    const QByteArray damaged = QStringLiteral("苹果[1]n. 苹果\n").toUtf8() + "bad\xFF[2]\xE4\xB8\n"
                               + QStringLiteral("香蕉[3]n. 香蕉\n").toUtf8();
    const struct
    {
        const char *what;
        QByteArray bytes;
        QStringList meanings;
        int askedLine;
    } cases[] = {
        {"one damaged line", damaged, {QStringLiteral("n. 苹果"), QStringLiteral("n. 香蕉")}, 2},
        {"byte-order mark", "\xEF\xBB\xBF" + QStringLiteral("梨[]梨子\n").toUtf8(), {QStringLiteral("梨子")}, 0},
    };
    int id = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Import(WordFile(c.bytes), QString::fromUtf8(c.what)));
        QStringList meanings;
        for (const TWordInfo &w : m_data.LoadWordRows(QStringLiteral("lib%1").arg(++id), 0, 100))
            meanings << w.Meaning;
        EXPECT_EQ(meanings, c.meanings);
        if (c.askedLine > 0) {
            ASSERT_EQ(m_faults.size(), 1);
            EXPECT_EQ(m_faults[0].first, c.askedLine);
            EXPECT_EQ(m_faults[0].second, TLineFault::NotText);
        } else {
            EXPECT_TRUE(m_faults.isEmpty());
        }
    }
}

TEST_F(HostileFilesTest, WordNumberCountsStoredRowsAndAFileWithoutOneIsRefused)
{
    ASSERT_TRUE(Import(WordFile("one[]a\n\n   \nno bracket\ntwo[]b\n"), QStringLiteral("gaps")));
    EXPECT_EQ(m_data.GetBookWordCount(1), 2);
    EXPECT_EQ(m_data.CountWordRows(QStringLiteral("lib1")), 2);

    EXPECT_FALSE(Import(WordFile("\n\nno bracket\n  [x]y\n"), QStringLiteral("nothing")));
    EXPECT_EQ(m_faults.size(), 4);
    EXPECT_FALSE(m_data.BookNameExists(QStringLiteral("nothing")));
    EXPECT_FALSE(m_data.TableExists(QStringLiteral("lib2"))) << "no empty table is left behind";
}

TEST_F(HostileFilesTest, AnImportTakesAFreeBookNumberWhenTheNextOneIsTaken)
{
    const struct
    {
        const char *what;
        QList<QPair<int, QString>> rows; // id and table of each catalogue row
        int expected;
    } cases[] = {
        {"largest id at the limit", {{INT_MAX, "libmax"}}, 1},
        {"the low ones taken", {{1, "lib1"}, {2, "lib2"}, {INT_MAX, "libmax"}}, 3},
        {"the next one's table named by another row", {{1, "lib1"}, {3, "lib4"}}, 2},
        {"only negative ids", {{-5, "libneg"}}, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        m_data.Close();
        QFile::remove(DbFile());
        ASSERT_TRUE(m_data.CreateDatabase(DbFile(), TDataInterface::DatabasePassword()));
        for (const auto &row : c.rows)
            ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("row %1").arg(row.first), 1, row.second, 2, row.first));
        QString error;
        ASSERT_TRUE(Import(WordFile("apple[]苹果\n"), QStringLiteral("new"), &error)) << error.toStdString();
        EXPECT_EQ(m_data.GetDefaultBookId(QStringLiteral("new")), c.expected);
        EXPECT_EQ(m_data.GetBookTableName(c.expected), QStringLiteral("lib%1").arg(c.expected));
        for (const auto &row : c.rows)
            EXPECT_EQ(m_data.GetBookTableName(row.first), row.second) << "no row is touched";
    }
}

} // namespace
