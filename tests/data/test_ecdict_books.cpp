// Reading ECDICT's CSV and choosing the default books from it.

#include "UEcdictBooks.h"

#include <QMap>

#include <gtest/gtest.h>

namespace {

const QByteArray kHeader = "word,phonetic,definition,translation,pos,collins,oxford,tag,bnc,frq,exchange,detail,audio\r\n";

QStringList Words(const TDefaultBook &book)
{
    QStringList list;
    for (const TEcdictEntry *e : book.Words)
        list << e->Word;
    return list;
}

TEST(EcdictBooks, FirstSenseLine)
{
    const struct
    {
        const char *translation;
        const char *meaning;
    } cases[] = {
        {R"(vt. 放弃, 抛弃\nn. 放任\n[网络] 放弃)", "vt. 放弃, 抛弃"},
        {R"([网络] 胡德\nn. 罩)", "n. 罩"},
        {R"([网络] 只有网络)", ""},
        {R"(  \n  a. 好的  )", "a. 好的"},
        {"", ""},
        // Other break forms end a sense too, so no escape or control character is printed.
        {R"(第一的\r\nart. 累加器)", "第一的"},
        {R"(第一的\rart. 累加器)", "第一的"},
        {"第一的\r\nart. 累加器", "第一的"},
        {"  \n第一的\rart. 累加器", "第一的"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FirstSenseLine(QString::fromUtf8(c.translation)), QString::fromUtf8(c.meaning)) << c.translation;
    EXPECT_EQ(FirstSenseLine(QString(300, QChar(0x4E2D))).size(), 255);
}

TEST(EcdictBooks, ReadsQuotedFieldsAndSkipsUnusableEntries)
{
    const QByteArray csv = kHeader
                           + "'hood,hʊd,,\"n. 罩；使(马,鹰等)戴头罩\\n[网络] 胡德\",,,,zk,0,0,,,\r\n"
                             "\"say \"\"when\"\"\",\",sei\",,\"int. 说停, 好了\",,,,gk cet4,5,9,,,\n"
                             "untagged,x,,n. 无标签,,,,,1,1,,,\n"
                             "nomeaning,x,,,,,,zk,1,1,,,\n"
                             "webonly,x,,[网络] 网,,,,zk,1,1,,,\n"
                             "Oxford,ˈɒksfəd,,n. 牛津,,,1,,3,0,,,\n"
                             "multi,\"a\nb\",,a. 多行,,,,ky,2,2,,,";
    QList<TEcdictEntry> entries;
    QString error;
    ASSERT_TRUE(ReadEcdict(csv, entries, error));
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].Word, QStringLiteral("'hood"));
    EXPECT_EQ(entries[0].Meaning, QStringLiteral("n. 罩；使(马,鹰等)戴头罩"));
    EXPECT_EQ(entries[1].Word, QStringLiteral("say \"when\""));
    EXPECT_EQ(entries[1].Phonetic, QStringLiteral(",sei"));
    EXPECT_EQ(entries[1].Frq, 9);
    EXPECT_EQ(entries[1].Bnc, 5);
    EXPECT_TRUE(entries[2].Oxford);
    EXPECT_EQ(entries[3].Phonetic, QStringLiteral("a\nb")); // a quoted line break stays in its field

    EXPECT_FALSE(ReadEcdict("word,phonetic\nx,y\n", entries, error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(EcdictBooks, BooksAreChosenAndPrintedInOrder)
{
    QByteArray csv = kHeader;
    // zk words: short lower-case ones qualify for the primary book.
    csv += "zoo,,,n. 动物园,,,,zk,0,30,,,\n"
           "Apple,,,n. 苹果,,,,zk toefl,0,0,,,\n"
           "apple,,,n. 苹果,,,,zk,0,20,,,\n"
           "bee,,,n. 蜜蜂,,,1,zk,0,10,,,\n"
           "ice-cream,,,n. 冰淇淋,,,,zk,0,5,,,\n"
           "a,,,art. 一,,,,zk,0,1,,,\n"
           "banana,,,n. 香蕉,,,,zk gre,0,2,,,\n";
    QList<TEcdictEntry> entries;
    QString error;
    ASSERT_TRUE(ReadEcdict(csv, entries, error));
    const QList<TDefaultBook> books = ChooseBooks(entries);
    ASSERT_EQ(books.size(), 10);

    QMap<int, const TDefaultBook *> byId;
    for (const TDefaultBook &b : books)
        byId[b.Id] = &b;
    ASSERT_TRUE(byId.contains(kToeflBookId));
    EXPECT_EQ(byId[kToeflBookId]->Title, QStringLiteral("《最新TOEFL词汇》"));
    EXPECT_EQ(byId[kToeflBookId]->BookClass, 6);
    EXPECT_EQ(Words(*byId[kToeflBookId]), QStringList{"Apple"});

    EXPECT_EQ(Words(*byId[101]), (QStringList{"apple", "bee", "zoo"}));
    EXPECT_EQ(byId[101]->BookClass, 1);
    EXPECT_EQ(Words(*byId[102]), (QStringList{"a", "Apple", "apple", "banana", "bee", "ice-cream", "zoo"}));
    EXPECT_EQ(Words(*byId[110]), QStringList{"bee"});
    EXPECT_EQ(Words(*byId[108]), QStringList{"banana"});
}

} // namespace
