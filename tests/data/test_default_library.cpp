// The word library the build makes from ECDICT, opened as the program opens
// it: through the settings file that ships.

#include "TestSupport.h"
#include "UCommonFun.h"
#include "UDataInterface.h"
#include "USettings.h"
#include "UIniFile.h"
#include "UScramble.h"

#include <QFile>
#include <QFileInfo>

#include <QMap>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class DefaultLibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(m_home.File(QStringLiteral("data/guluspell.mdb"))))
            GTEST_SKIP() << "no default library: configure with GULUSPELL_ECDICT_DIR";
        QFile settings(QStringLiteral(GULUSPELL_SHIPPED_SETTINGS));
        ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
        m_home.WriteFile(QStringLiteral("data/spellconfig.ini"), settings.readAll());
        ASSERT_TRUE(m_data.ConnectDatabase(TSettings(m_home.Path())));
    }

    QString Setting(const char *key) const
    {
        return TIniFile(TSettings(m_home.Path()).FilePath()).ReadString(QStringLiteral("system"), QString::fromLatin1(key), QString());
    }

    TTempProgramDir m_home{true};
    TDataInterface m_data;
};

TEST_F(DefaultLibraryTest, ShippedSettingsFindTheDefaultBook)
{
    EXPECT_FALSE(TSettings(m_home.Path()).IsEncrypt());
    EXPECT_EQ(Setting("BookName"), QStringLiteral("《最新TOEFL词汇》"));
    const int id = m_data.GetDefaultBookId(Setting("BookName"));
    ASSERT_GT(id, 0);
    EXPECT_EQ(m_data.GetBookTableName(id), Setting("StoreTableName"));
    EXPECT_EQ(Setting("StoreTableName"), QStringLiteral("lib109"));
    EXPECT_EQ(m_data.GetBookWordCount(id), 3480);
    EXPECT_EQ(Setting("WordCount").toInt(), 3480);
    EXPECT_EQ(m_data.CountWordRows(QStringLiteral("lib109")), 3480);

    // 232 full toll gates.
    EXPECT_EQ(m_data.LoadTollGate(QStringLiteral("lib109"), 1, 15, false).size(), 15);
    EXPECT_EQ(m_data.LoadTollGate(QStringLiteral("lib109"), 232, 15, false).size(), 15);
    EXPECT_TRUE(m_data.LoadTollGate(QStringLiteral("lib109"), 233, 15, false).isEmpty());
    EXPECT_TRUE(m_data.GetGameRecords(-1).isEmpty());
}

TEST_F(DefaultLibraryTest, EveryBookIsListedWholeAndInPrintedOrder)
{
    const struct
    {
        const char16_t *title;
        int bookClass;
        int words;
    } expected[] = {
        {u"《小学英语词汇》", 1, 600},      {u"《中考英语词汇》", 2, 1603},     {u"《高考英语词汇》", 2, 3677},
        {u"《大学英语四级词汇》", 3, 3849}, {u"《大学英语六级词汇》", 3, 5407}, {u"《考研英语词汇》", 4, 4801},
        {u"《雅思词汇》", 6, 5040},         {u"《GRE词汇》", 6, 7504},          {u"《最新TOEFL词汇》", 6, 3480},
        {u"《牛津3000核心词汇》", 7, 3461},
    };
    QMap<QString, TBookInfo> listed;
    for (int bookClass = 1; bookClass <= 8; ++bookClass)
        for (const TBookInfo &book : m_data.GetListedBooks(bookClass))
            listed.insert(book.BookName, book);
    ASSERT_EQ(listed.size(), int(std::size(expected)));

    for (const auto &e : expected) {
        const QString title = QString::fromUtf16(e.title);
        SCOPED_TRACE(qPrintable(title));
        ASSERT_TRUE(listed.contains(title));
        const TBookInfo &book = listed[title];
        EXPECT_EQ(book.BookClass, e.bookClass);
        EXPECT_EQ(book.WordNumber, e.words);
        EXPECT_EQ(m_data.CountWordRows(book.StoreTableName), book.WordNumber);

        const TWordInfos words = m_data.LoadWordRows(book.StoreTableName, 0, book.WordNumber);
        ASSERT_EQ(words.size(), book.WordNumber);
        for (qsizetype i = 0; i < words.size(); ++i) {
            const TWordInfo &w = words[i];
            ASSERT_FALSE(w.Spelling.trimmed().isEmpty()) << i;
            ASSERT_FALSE(w.Meaning.isEmpty()) << qPrintable(w.Spelling);
            ASSERT_FALSE(w.Meaning.contains(QStringLiteral("[网络]"))) << qPrintable(w.Spelling);
            static const QRegularExpression printedBadly(QStringLiteral(R"([\x00-\x1f\x7f]|\\[nrt\\])"));
            ASSERT_FALSE(w.Meaning.contains(printedBadly)) << qPrintable(w.Spelling) << ": " << qPrintable(w.Meaning);
            ASSERT_EQ(w.Meaning, w.Meaning.trimmed()) << qPrintable(w.Spelling);
            if (i > 0) {
                ASSERT_LE(words[i - 1].Spelling.compare(w.Spelling, Qt::CaseInsensitive), 0)
                    << qPrintable(words[i - 1].Spelling) << " before " << qPrintable(w.Spelling);
            }
        }
    }
}

} // namespace
