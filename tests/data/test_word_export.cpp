// Exported word lists read back through the import's own detection and
// readers to the words that were written.

#include "TestSupport.h"
#include "UWordExport.h"
#include "UWordListFormats.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QList<TWordLine> Awkward()
{
    return {
        {QStringLiteral("#hash"), QStringLiteral("hæʃ"), QStringLiteral("井号;分号")}, // not an Anki header line
        {QStringLiteral("apple"), QStringLiteral("ˈæpl"), QStringLiteral("n. 苹果")},
        {QStringLiteral("comma"), QString(), QStringLiteral("n. 逗号, 停顿")},
        {QStringLiteral("quote"), QStringLiteral("kwəʊt"), QStringLiteral("v. 引用 \"原话\"；n. 引语")},
        {QStringLiteral("word"), QStringLiteral("wɜːd"), QStringLiteral("释义")}, // a first row that names a column
        {QStringLiteral("\"quoted\""), QStringLiteral("[x]"), QString()},
        {QStringLiteral("tab"), QStringLiteral("tæb"), QStringLiteral("n.\t制表符\n键")},
        {QStringLiteral("  spaced"), QString(), QStringLiteral("前后有空格  ")},
    };
}

TEST(WordExport, EachFormatReadsBackThroughTheImport)
{
    struct Case
    {
        TWordListFormat Format;
        const char *FileName;
    };
    const Case cases[] = {
        {TWordListFormat::Csv, "mistakes.csv"},
        {TWordListFormat::Anki, "mistakes.txt"},
        {TWordListFormat::Json, "mistakes.json"},
    };
    // The board keeps a word on one line: a tab or break inside a text is
    // a space after any import, so that is what comes back.
    QList<TWordLine> expected = Awkward();
    expected[6].Meaning = QStringLiteral("n. 制表符 键");

    TTempProgramDir home;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.FileName);
        const QString file = home.File(QString::fromLatin1(c.FileName));
        ASSERT_TRUE(ExportWordList(file, c.Format, Awkward()));
        const QByteArray bytes = home.ReadFile(QString::fromLatin1(c.FileName));
        ASSERT_EQ(DetectWordListFormat(file, bytes.left(64)), c.Format);
        const TWordRows read = ReadWordList(c.Format, bytes);
        ASSERT_TRUE(read.Error.isEmpty()) << read.Error.toStdString();
        ASSERT_EQ(read.Rows.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(read.Rows[i].Fault, TLineFault::None);
            EXPECT_EQ(read.Rows[i].Word.Spelling, expected[i].Spelling);
            EXPECT_EQ(read.Rows[i].Word.Pronunciation, expected[i].Pronunciation);
            EXPECT_EQ(read.Rows[i].Word.Meaning, expected[i].Meaning);
        }
    }
}

TEST(WordExport, AFileThatCannotBeWrittenKeepsWhatWasThere)
{
    TTempProgramDir home;
    home.WriteFile(QStringLiteral("old.csv"), "old");
    EXPECT_FALSE(ExportWordList(home.File(QStringLiteral("no/such/folder/list.csv")), TWordListFormat::Csv, Awkward()));
    EXPECT_EQ(home.ReadFile(QStringLiteral("old.csv")), "old");
}

} // namespace
