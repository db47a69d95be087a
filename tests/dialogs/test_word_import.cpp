// Word-book import: line format, file decoding, the import itself with bad
// input of every kind, and the "导入咕噜猫词库" dialog.

#include "LibraryFixture.h"
#include "UFrmImportLib.h"
#include "UFrmSelectBook.h"
#include "UImpExpLib.h"
#include "UScramble.h"
#include "USettings.h"
#include "UTextCodec.h"
#include "UWordFileReader.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// The fixed notice first, then what went in.
QString Success(int imported, int skipped = 0)
{
    return QStringLiteral("恭喜您,导入词库成功了！\n共导入 %1 个单词").arg(imported)
           + (skipped ? QStringLiteral("，略过 %1 条有错误的内容。").arg(skipped) : QStringLiteral("。"));
}
const QString kFailure = QStringLiteral("导入词库失败了！");
const QString kExists = QStringLiteral("您设置的词库已经存在，请重新设置！");

// The fixed question first, then why the line is bad.
QString Question(int line, const char *reason = "缺少单词：单词一栏是空的，或者这一行没有“[”")
{
    return QStringLiteral("导入的词库中第%1条有错误,是否略过继续执行导入?\n原因：%2。").arg(line).arg(QString::fromUtf8(reason));
}

TEST(WordLine, SplitsAtTheFirstBracketOfEachKindWithoutTrimming)
{
    const struct
    {
        const char *line, *spelling, *pronunciation, *meaning;
    } cases[] = {
        {"apple['1pl]n. 苹果", "apple", "'1pl", "n. 苹果"},
        {" ab  [ x ] y ", " ab  ", " x ", " y "},
        {"empty[]meaning", "empty", "", "meaning"},
        {"noclose[abc meaning", "noclose", "", "noclose[abc meaning"},
        {"a]b[c", "a]b", "", "b[c"},
        {"noopen]x", "", "noopen", "x"},
        {"plain", "", "", "plain"},
        {"two[a]b]c[d", "two", "a", "b]c[d"},
        {"", "", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        const TWordLine word = SplitWordLine(QString::fromUtf8(c.line));
        EXPECT_EQ(word.Spelling, QString::fromUtf8(c.spelling));
        EXPECT_EQ(word.Pronunciation, QString::fromUtf8(c.pronunciation));
        EXPECT_EQ(word.Meaning, QString::fromUtf8(c.meaning));
    }
}

TEST(WordLine, ConvertPhoneticRecodesDigitsAndEquals)
{
    EXPECT_EQ(ConvertPhonetic(QStringLiteral("0123456789=")), QStringLiteral("6134087=954"));
    EXPECT_EQ(ConvertPhonetic(QStringLiteral("2=3")), QStringLiteral("344"));
    EXPECT_EQ(ConvertPhonetic(QStringLiteral("'æpl ə")), QStringLiteral("'æpl ə"));
}

TEST(WordLine, ExtractLibNameTakesTheFileNameUpToItsFirstDot)
{
    const struct
    {
        const char *path, *name;
    } cases[] = {
        {"/home/me/lists/toefl.words.txt", "toefl"},
        {"C:\\lists\\toefl.words.txt", "toefl"},
        {"/home/me.d/README", ""},
        {"/home/me/.hidden.txt", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ExtractLibName(QString::fromUtf8(c.path)), QString::fromUtf8(c.name)) << c.path;
}

class WordImportTest : public LibraryFixture
{
protected:
    QString WriteWordFile(const QByteArray &bytes, const QString &name = QStringLiteral("words.txt"))
    {
        m_home.WriteFile(name, bytes);
        return m_home.File(name);
    }

    bool Import(const QString &file, const QString &title, int bookClass = 4)
    {
        return ImportWordLibAsking(m_data, file, title, bookClass, TSettings(m_home.Path()).IsEncrypt());
    }

    // Each row as "spelling|pronunciation|meaning", unscrambled when asked.
    QStringList Rows(const QString &table, bool scrambled = false)
    {
        QStringList rows;
        for (const TWordInfo &w : m_data.LoadWordRows(table, 0, 1000000)) {
            const auto plain = [&](const QString &s) { return scrambled ? UnscrambleText(s) : s; };
            rows << plain(w.Spelling) + QLatin1Char('|') + plain(w.Pronunciation) + QLatin1Char('|') + plain(w.Meaning);
        }
        return rows;
    }

    // A book that must come through every failed import untouched.
    void AddKeptBook()
    {
        ASSERT_TRUE(m_data.CreateWordTable(QStringLiteral("lib7")));
        ASSERT_TRUE(m_data.InsertWord(QStringLiteral("lib7"), QStringLiteral("kept"), QStringLiteral("k"), QStringLiteral("留")));
        ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("kept"), 1, QStringLiteral("lib7"), 2, 7));
    }

    void ExpectKeptBookIntact()
    {
        EXPECT_EQ(Rows(QStringLiteral("lib7")), QStringList(QStringLiteral("kept|k|留")));
        EXPECT_EQ(m_data.GetBookWordCount(7), 1);
        EXPECT_EQ(m_data.GetDefaultBookId(QStringLiteral("kept")), 7);
    }
};

TEST_F(WordImportTest, FirstImportIntoEmptyCatalogueIsBookOneInFileOrder)
{
    const QString file = WriteWordFile("apple[2=3]n. apple\r\no'clock['3klOk]adv. o'clock\nbanana[]\n");
    ASSERT_TRUE(Import(file, QStringLiteral("fruit"), 6));
    EXPECT_EQ(Rows(QStringLiteral("lib1")),
              QStringList({"apple|344|n. apple", "o'clock|'4klOk|adv. o'clock", "banana||"}));
    EXPECT_EQ(m_data.GetDefaultBookId(QStringLiteral("fruit")), 1);
    EXPECT_EQ(m_data.GetBookTableName(1), QStringLiteral("lib1"));
    EXPECT_EQ(m_data.GetBookWordCount(1), 3);
    const QList<TBookInfo> books = m_data.GetListedBooks(6);
    ASSERT_EQ(books.size(), 1);
    EXPECT_EQ(books[0].BookType, 0);
    EXPECT_EQ(books[0].IsDefault, 1);

    // The next import takes the next number.
    ASSERT_TRUE(Import(WriteWordFile("pear[p]梨\n", QStringLiteral("b.txt")), QStringLiteral("second")));
    EXPECT_EQ(m_data.GetBookTableName(2), QStringLiteral("lib2"));
}

TEST_F(WordImportTest, Utf8AndGbkFilesGiveTheSameWords)
{
    const QString text = QStringLiteral("abandon[2'b0nd2n]vt. 放弃\r\n《书》[x]“引号”\r\n");
    const QByteArray files[] = {text.toUtf8(), QByteArray("\xEF\xBB\xBF") + text.toUtf8(), EncodeGbk(text)};
    int id = 0;
    for (const QByteArray &bytes : files) {
        ++id;
        ASSERT_TRUE(Import(WriteWordFile(bytes, QStringLiteral("f%1.txt").arg(id)), QStringLiteral("t%1").arg(id)));
        EXPECT_EQ(Rows(QStringLiteral("lib%1").arg(id)),
                  QStringList({QStringLiteral("abandon|3'b6nd3n|vt. 放弃"), QStringLiteral("《书》|x|“引号”")}))
            << "file " << id;
    }
}

TEST_F(WordImportTest, FailedLinesAskWithTheirNumberAndOnlyStoredRowsCount)
{
    // Line 2 is empty, line 4 has no "[", line 5 only blanks before it.
    m_dialogs->Answers = {TMsgResult::Yes, TMsgResult::Yes, TMsgResult::Yes};
    const QString file = WriteWordFile("one[1]a\n\nthree[3]c\nno bracket\n  [5]e\nsix[6]f");
    ASSERT_TRUE(Import(file, QStringLiteral("gaps")));
    EXPECT_EQ(m_dialogs->Texts(), QStringList({Question(2), Question(4), Question(5)}));
    EXPECT_EQ(m_dialogs->Messages.front().Icon, TMsgIcon::Question);
    EXPECT_EQ(Rows(QStringLiteral("lib1")), QStringList({"one|1|a", "three|4|c", "six|7|f"}));
    EXPECT_EQ(m_data.GetBookWordCount(1), 3) << "a skipped line is no word of the book";
}

TEST_F(WordImportTest, NoStopsAndLeavesNothingOfTheImport)
{
    QByteArray lines;
    for (int i = 1; i <= 100; ++i)
        lines += i == 5 ? QByteArray("broken\n") : QByteArray("w") + QByteArray::number(i) + "[]m\n";
    m_dialogs->Answers = {TMsgResult::No};
    EXPECT_FALSE(Import(WriteWordFile(lines), QStringLiteral("stopped")));
    EXPECT_EQ(m_dialogs->Texts(), QStringList(Question(5)));
    Reopen();
    EXPECT_FALSE(m_data.BookNameExists(QStringLiteral("stopped")));
    EXPECT_FALSE(m_data.TableExists(QStringLiteral("lib1"))) << "no table the catalogue does not know";

    ASSERT_TRUE(Import(WriteWordFile("fresh[]\n", QStringLiteral("b.txt")), QStringLiteral("fresh")));
    Reopen();
    EXPECT_EQ(m_data.GetBookTableName(1), QStringLiteral("lib1"));
    EXPECT_EQ(Rows(QStringLiteral("lib1")), QStringList(QStringLiteral("fresh||")));
}

TEST_F(WordImportTest, ColumnWidthsHoldPlainAndScrambled)
{
    const QString at255 = QString(255, QLatin1Char('a'));
    const QString at113 = QString(113, QLatin1Char('b'));
    const QString cjk56 = QString(56, QChar(0x4E2D)); // 112 bytes in GBK
    const struct
    {
        bool encrypt;
        QString line;
        const char *told; // the limit the question names; empty: the line fits
    } cases[] = {
        // Spellings end at the board's limit long before their column does.
        {false, at255 + QStringLiteral("[x]m"), "单词超过40个字母"},
        {false, at255 + QStringLiteral("a[x]m"), "单词超过40个字母"},
        {false, QStringLiteral("w[") + QString(200, QLatin1Char('p')) + QStringLiteral("]m"), ""},
        {false, QStringLiteral("w[") + QString(201, QLatin1Char('p')) + QStringLiteral("]m"), "音标超过200个字符"},
        {false, QStringLiteral("w[]") + at255 + QStringLiteral("m"), "释义超过255个字符"},
        {true, at113 + QStringLiteral("[x]m"), "单词超过40个字母"},
        {true, at113 + QStringLiteral("b[x]m"), "单词超过40个字母"},
        {true, QStringLiteral("w[") + QString(86, QLatin1Char('p')) + QStringLiteral("]m"), ""},
        {true, QStringLiteral("w[") + QString(87, QLatin1Char('p')) + QStringLiteral("]m"), "音标太长：加密保存时最多86个字节"},
        {true, QStringLiteral("w[]") + cjk56, ""},
        {true, QStringLiteral("w[]a") + cjk56, ""},
        {true, QStringLiteral("w[]ab") + cjk56, "释义太长：加密保存时最多113个字节（约56个汉字）"},
    };
    int id = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line.left(20).toStdString() + " length " + std::to_string(c.line.size()));
        SetEncrypt(c.encrypt);
        m_dialogs->Messages.clear();
        m_dialogs->Answers = {TMsgResult::Yes};
        const QString file = WriteWordFile(c.line.toUtf8() + "\nok[]fine\n", QStringLiteral("w%1.txt").arg(++id));
        ASSERT_TRUE(Import(file, QStringLiteral("widths %1").arg(id)));
        const bool fits = !*c.told;
        EXPECT_EQ(m_data.CountWordRows(m_data.GetBookTableName(m_data.GetNextBookId() - 1)), fits ? 2 : 1);
        ASSERT_EQ(m_dialogs->Messages.size(), fits ? 0u : 1u) << "a line that does not fit is asked about";
        if (!fits) // the limit told is the limit that holds
            EXPECT_TRUE(m_dialogs->Texts()[0].contains(QString::fromUtf8(c.told))) << qPrintable(m_dialogs->Texts()[0]);
    }
}

TEST_F(WordImportTest, BadFilesEndInAMessageAndLoseNothing)
{
    AddKeptBook();
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 37) & 0xFF);
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"empty file", QByteArray()},
        {"binary file", binary},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        m_dialogs->Messages.clear();
        EXPECT_FALSE(Import(WriteWordFile(c.bytes), QStringLiteral("bad")));
        ASSERT_EQ(m_dialogs->Messages.size(), 1u);
        EXPECT_FALSE(m_data.TableExists(QStringLiteral("lib8")));
        EXPECT_FALSE(m_data.BookNameExists(QStringLiteral("bad")));
    }
    for (const QString &path : {m_home.File(QStringLiteral("missing.txt")), m_home.File(QStringLiteral("data"))}) {
        SCOPED_TRACE(path.toStdString());
        m_dialogs->Messages.clear();
        EXPECT_FALSE(Import(path, QStringLiteral("bad")));
        ASSERT_EQ(m_dialogs->Messages.size(), 1u);
        EXPECT_TRUE(m_dialogs->Messages[0].Text.contains(QFileInfo(path).fileName()));
        EXPECT_FALSE(m_data.TableExists(QStringLiteral("lib8")));
    }
    ExpectKeptBookIntact();
}

TEST_F(WordImportTest, MalformedLinesAreSkippedOrImportedAsDocumented)
{
    AddKeptBook();
    const QByteArray hugeLine = QByteArray(10 * 1024 * 1024, 'x') + "[p]m";
    // GBK lead bytes with no valid trail byte, a lone 0x80 and 0xFF.
    const QByteArray badGbk = QByteArray("ok[1]\xC4\xE3\xBA\xC3\n\x81\x20\x80\xFF[2]m\n");
    const struct
    {
        const char *what;
        QByteArray bytes;
        int questions;
        int rows; // a file that yields no row is not imported
    } cases[] = {
        {"10 MB line", hugeLine, 1, 0},
        {"no closing bracket", QByteArray("word[abc no close\n"), 0, 1},
        {"closing before opening", QByteArray("]x[y\n]\n"), 1, 1},
        {"invalid GBK bytes", badGbk, 0, 2},
    };
    int id = 7;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        m_dialogs->Messages.clear();
        m_dialogs->Answers.assign(c.questions, TMsgResult::Yes);
        const QString title = QString::fromUtf8(c.what);
        EXPECT_EQ(Import(WriteWordFile(c.bytes), title), c.rows > 0);
        EXPECT_EQ(int(m_dialogs->Messages.size()), c.questions);
        if (c.rows == 0) {
            EXPECT_EQ(m_data.GetDefaultBookId(title), -1);
            EXPECT_FALSE(m_data.TableExists(QStringLiteral("lib%1").arg(id + 1)));
            continue;
        }
        ++id;
        EXPECT_EQ(m_data.GetDefaultBookId(title), id);
        EXPECT_EQ(m_data.CountWordRows(QStringLiteral("lib%1").arg(id)), c.rows);
    }
    EXPECT_EQ(Rows(QStringLiteral("lib8")), QStringList(QStringLiteral("word||word[abc no close")));
    EXPECT_EQ(Rows(QStringLiteral("lib9")), QStringList(QStringLiteral("]x||x[y")));
    ExpectKeptBookIntact();
}

TEST_F(WordImportTest, HundredThousandLinesWithOnePercentBad)
{
    AddKeptBook();
    QByteArray bytes;
    int bad = 0;
    for (int i = 1; i <= 100000; ++i) {
        if (i % 100 == 0) {
            bytes += "\r\n";
            ++bad;
        } else {
            bytes += "word" + QByteArray::number(i) + "[w3d]n. 单词\r\n";
        }
    }
    m_dialogs->Answers.assign(bad, TMsgResult::Yes);
    std::vector<std::pair<int, int>> reports;
    ASSERT_TRUE(ImportWordLibAsking(m_data, WriteWordFile(EncodeGbk(QString::fromUtf8(bytes))), QStringLiteral("big"),
                                    4, false, [&](int position, int maximum) { reports.emplace_back(position, maximum); }));
    EXPECT_EQ(int(m_dialogs->Messages.size()), bad);
    EXPECT_EQ(m_dialogs->Messages.back().Text, Question(100000));
    EXPECT_EQ(m_data.GetBookWordCount(8), 100000 - bad);
    EXPECT_EQ(m_data.CountWordRows(QStringLiteral("lib8")), 100000 - bad);
    const TWordInfos last = m_data.LoadWordRows(QStringLiteral("lib8"), 100000 - bad - 1, 1);
    ASSERT_EQ(last.size(), 1);
    EXPECT_EQ(last[0].Spelling, QStringLiteral("word99999"));

    // Progress goes from 0 to the line count against a maximum of count - 1,
    // in steps few enough to repaint at each.
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front().first, 0);
    EXPECT_EQ(reports.back().first, 100000);
    EXPECT_EQ(reports.back().second, 99999);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_LE(reports.size(), 1000u);
    ExpectKeptBookIntact();
}

TEST_F(WordImportTest, OtherFormatsImportTheirRowsUnderTheSameRules)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        QStringList rows;
        int questions; // bad rows asked about, each answered "skip"
    } cases[] = {
        {"list.csv", "word,phonetic,meaning\napple,ˈæpl,\"n. 苹果, 苹果树\"\n,x,y\n", {"apple|ˈæpl|n. 苹果, 苹果树"}, 1},
        {"list.tsv", "pear\t梨\n\"broken\tquote\n", {"pear||梨"}, 1},
        {"deck.txt", "#separator:tab\n#html:true\nplum\t<b>李子</b>\n", {"plum||李子"}, 0},
        {"words.json", R"([{"name":"cat","trans":["猫","猫科动物"],"usphone":"kæt"},{"trans":[]}])",
         {"cat|kæt|猫；猫科动物"}, 1},
        {"bad.tsv", "apple\t苹果\nbad\xff\t坏\n", {"apple||苹果"}, 1},
        {"english.csv", "English,Chinese\napple,苹果\n", {"apple||苹果"}, 0},
        {"half.csv", "Word,Chinese Meaning,Notes\napple,ˈæpl,苹果\n", {"apple|ˈæpl|苹果"}, 0},
        {"zero.json", R"([{"name":"ap\u0000ple","trans":"苹果"},{"name":"pear","trans":"梨"}])", {"pear||梨"}, 1},
    };
    int book = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        m_dialogs->Messages.clear();
        m_dialogs->Answers = {TMsgResult::Yes, TMsgResult::Yes};
        ASSERT_TRUE(Import(WriteWordFile(c.bytes, QString::fromLatin1(c.name)), QString::fromLatin1(c.name)));
        ++book;
        EXPECT_EQ(Rows(QStringLiteral("lib%1").arg(book)), c.rows);
        EXPECT_EQ(int(m_dialogs->Messages.size()), c.questions);
    }
}

TEST_F(WordImportTest, BadRowsAreAskedAboutWithTheirReason)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        QString question;
        QStringList rows;
    } cases[] = {
        {"quote.csv", "apple,苹果\npear,\"梨\nplum,李子\n", Question(2, "引号未闭合，从这一条到文件末尾都被读成了一条"),
         {"apple||苹果"}},
        {"escape.csv", "apple,苹果\nred\x1b[31m,红\n", Question(2, "单词中含有控制字符"), {"apple||苹果"}},
        {"escape.txt", "apple[]苹果\nred\x1b[31m[]红\n", Question(2, "单词中含有控制字符"), {"apple||苹果"}},
        {"blank.csv", "apple,苹果\n,梨\n", Question(2), {"apple||苹果"}},
        {"bytes.txt", "苹果[1]n. 苹果\nbad\xff[2]\xe4\xb8\n香蕉[3]n. 香蕉\n", Question(2, "不是有效的GBK或UTF-8文本"),
         {"苹果|1|n. 苹果", "香蕉|4|n. 香蕉"}},
    };
    int book = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        m_dialogs->Messages.clear();
        m_dialogs->Answers = {TMsgResult::Yes};
        ASSERT_TRUE(Import(WriteWordFile(c.bytes, QString::fromLatin1(c.name)), QString::fromLatin1(c.name)));
        EXPECT_EQ(m_dialogs->Texts(), QStringList(c.question));
        EXPECT_EQ(Rows(QStringLiteral("lib%1").arg(++book)), c.rows);
    }
}

TEST_F(WordImportTest, HostileListsAreRefusedWithAMessageAndLoseNothing)
{
    AddKeptBook();
    m_home.WriteFile(QStringLiteral("huge.csv"), QByteArray());
    QFile huge(m_home.File(QStringLiteral("huge.csv")));
    ASSERT_TRUE(huge.resize(kMaxWordFileSize + 1)); // sparse: nothing is written
    const struct
    {
        const char *what;
        QString file;
    } cases[] = {
        {"over the size limit", m_home.File(QStringLiteral("huge.csv"))},
        {"JSON that is no array", WriteWordFile(R"({"name":"apple"})", QStringLiteral("a.json"))},
        {"broken JSON", WriteWordFile("[{\"name\":", QStringLiteral("b.json"))},
        {"header only", WriteWordFile("word,meaning\r\n", QStringLiteral("c.csv"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        m_dialogs->Messages.clear();
        EXPECT_FALSE(Import(c.file, QStringLiteral("bad")));
        ASSERT_EQ(m_dialogs->Messages.size(), 1u);
        EXPECT_FALSE(m_data.TableExists(QStringLiteral("lib8")));
        EXPECT_FALSE(m_data.BookNameExists(QStringLiteral("bad")));
    }
    ExpectKeptBookIntact();
}

class ImportDialogTest : public WordImportTest
{
protected:
    void SetUp() override
    {
        WordImportTest::SetUp();
        m_dialog = std::make_unique<TFrmImportLib>(m_data, false);
        m_dialog->show();
    }
    template <typename T> T *Child(const char *name) { return m_dialog->findChild<T *>(QString::fromLatin1(name)); }
    QLineEdit *FileName() { return Child<QLineEdit>("sFileName"); }
    QLineEdit *LibName() { return Child<QLineEdit>("ediLibName"); }
    void ClickImport() { Child<QPushButton>("btnImport")->click(); }

    std::unique_ptr<TFrmImportLib> m_dialog;
};

TEST_F(ImportDialogTest, StartsWithPostgraduateClassAndProposesTitleFromTheBrowsedFile)
{
    auto *classes = Child<QComboBox>("cboBookClass");
    ASSERT_EQ(classes->count(), 7);
    EXPECT_EQ(classes->itemText(0), QStringLiteral("小学英语"));
    EXPECT_EQ(classes->itemText(6), QStringLiteral("其它英语"));
    EXPECT_EQ(classes->currentText(), QStringLiteral("研究生英语"));

    m_dialogs->FileNames.push_back(QStringLiteral("/data/lists/toefl.words.txt"));
    Child<QToolButton>("btnBrowse")->click();
    EXPECT_EQ(FileName()->text(), QStringLiteral("/data/lists/toefl.words.txt"));
    EXPECT_EQ(LibName()->text(), QStringLiteral("toefl"));
    FileName()->setText(QStringLiteral("/data/lists/nodot"));
    EXPECT_EQ(LibName()->text(), QString());
}

TEST_F(ImportDialogTest, RefusesBlankFileBlankTitleAndTakenTitles)
{
    AddBook(3, QStringLiteral("hidden one"), 10, 2, 0);
    AddBook(4, QStringLiteral("listed one"), 10, 2);
    const QString file = WriteWordFile("a[]b\n");
    const struct
    {
        QString file, title, message;
    } cases[] = {
        {QStringLiteral("   "), QStringLiteral("x"), QStringLiteral("请选择要导入的词库文件！")},
        {file, QStringLiteral("  "), QStringLiteral("请设置导入后的词库文件名称！")},
        {file, QStringLiteral("hidden one"), kExists},
        {file, QStringLiteral("listed one"), kExists},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        m_dialogs->Messages.clear();
        FileName()->setText(c.file);
        LibName()->setText(c.title);
        ClickImport();
        ASSERT_EQ(m_dialogs->Texts(), QStringList(c.message));
        EXPECT_EQ(m_dialogs->Messages[0].Icon, TMsgIcon::Information);
    }
    EXPECT_FALSE(m_data.TableExists(QStringLiteral("lib5")));
}

TEST_F(ImportDialogTest, LimitsAreToldBeforeAnyWork)
{
    // A file name with a line break proposes a title with a space instead.
    FileName()->setText(QStringLiteral("/lists/new\nline.txt"));
    EXPECT_EQ(LibName()->text(), QStringLiteral("new line"));
    // The title edit holds the catalogue's 255 characters and no more.
    LibName()->setText(QString(300, QLatin1Char('t')));
    EXPECT_EQ(LibName()->text().size(), kMaxTitleLength);

    const QString file = WriteWordFile("a[]b\n");
    for (const QString &title : {QStringLiteral("two\r\nlines"), QStringLiteral("tab\tbed"), QStringLiteral("x\ndata=y")}) {
        SCOPED_TRACE(title.toStdString());
        m_dialogs->Messages.clear();
        FileName()->setText(file);
        LibName()->setText(title);
        ClickImport();
        EXPECT_EQ(m_dialogs->Texts(), QStringList(QStringLiteral("词库名称不能包含换行符等控制字符，请重新设置！")));
    }
    EXPECT_FALSE(m_data.TableExists(QStringLiteral("lib1")));

    // A spelling the board cannot play is asked about with the limit.
    m_dialogs->Messages.clear();
    FileName()->setText(WriteWordFile(QByteArray(41, 'a') + "[]long\nok[]fine\n"));
    LibName()->setText(QStringLiteral("long words"));
    m_dialogs->Answers = {TMsgResult::Yes};
    ClickImport();
    EXPECT_EQ(m_dialogs->Texts(),
              QStringList({Question(1, "单词超过40个字母，无法在游戏中拼写"), Success(1, 1)}));
}

TEST_F(ImportDialogTest, ImportsUnderTheTitleAsTypedIncludingQuotes)
{
    FileName()->setText(WriteWordFile("a[]b\r\nc[]d\r\n"));
    Child<QComboBox>("cboBookClass")->setCurrentIndex(0);
    const QString title = QStringLiteral(" Tom's \"best\" words ");
    LibName()->setText(title);
    ClickImport();
    ASSERT_EQ(m_dialogs->Texts(), QStringList(Success(2)));
    EXPECT_EQ(m_dialogs->Messages[0].Icon, TMsgIcon::Information) << "good news carries no warning";
    EXPECT_EQ(m_data.GetDefaultBookId(title), 1);
    EXPECT_EQ(m_data.GetListedBooks(1).size(), 1);
    EXPECT_EQ(Child<QProgressBar>("pbImport")->value(), Child<QProgressBar>("pbImport")->maximum());

    // The same title again is refused; a stopped import reports failure.
    m_dialogs->Messages.clear();
    ClickImport();
    EXPECT_EQ(m_dialogs->Texts(), QStringList(kExists));
    m_dialogs->Messages.clear();
    FileName()->setText(WriteWordFile("\n", QStringLiteral("x.txt")));
    LibName()->setText(QStringLiteral("other"));
    ClickImport();
    EXPECT_EQ(m_dialogs->Texts(), QStringList({Question(1), kFailure}));
    EXPECT_TRUE(m_dialog->isVisible());
}

TEST_F(ImportDialogTest, ImportedBookPlaysItsFirstFifteenWordsInOrder)
{
    for (const bool encrypt : {false, true}) {
        SCOPED_TRACE(encrypt ? "scrambled" : "plain");
        m_dialog = std::make_unique<TFrmImportLib>(m_data, encrypt);
        m_dialog->show();
        QByteArray bytes;
        QStringList expected;
        for (int i = 1; i <= 40; ++i) {
            bytes += "o'word" + QByteArray::number(i) + "[2=3]意思'" + QByteArray::number(i) + "\n";
            if (i <= 15)
                expected << QStringLiteral("o'word%1|344|意思'%1").arg(i);
        }
        const QString title = encrypt ? QStringLiteral("scrambled") : QStringLiteral("plain");
        FileName()->setText(WriteWordFile(bytes, title + QStringLiteral(".txt")));
        ASSERT_EQ(LibName()->text(), title);
        m_dialogs->Messages.clear();
        ClickImport();
        ASSERT_EQ(m_dialogs->Texts(), QStringList(Success(40)));

        TFrmSelectBook select(m_data);
        select.GamePara().BookName = title;
        select.GamePara().TollGateWords = 15;
        select.show();
        select.findChild<QPushButton *>(QStringLiteral("btnSelect"))->click();
        ASSERT_EQ(select.result(), QDialog::Accepted);
        EXPECT_EQ(select.GamePara().TollGateCount, 3);
        EXPECT_EQ(select.GamePara().TollGateIndex, 1);

        QStringList firstGate;
        for (const TWordInfo &w : m_data.LoadWordRows(select.GamePara().StoreTableName, 0, 15)) {
            const auto plain = [&](const QString &s) { return encrypt ? UnscrambleText(s) : s; };
            firstGate << plain(w.Spelling) + QLatin1Char('|') + plain(w.Pronunciation) + QLatin1Char('|') + plain(w.Meaning);
        }
        EXPECT_EQ(firstGate, expected);
    }
}

} // namespace

TEST_F(ImportDialogTest, PreviewShowsTheFirstTenRowsAndCountsTheBadOnes)
{
    QByteArray csv = "word,meaning\n";
    for (int i = 0; i < 12; ++i)
        csv += (i == 3 ? QByteArray() : "w" + QByteArray::number(i)) + ",义\n";
    FileName()->setText(WriteWordFile(csv, QStringLiteral("list.csv")));
    auto *table = Child<QTableWidget>("tblPreview");
    ASSERT_EQ(table->rowCount(), 10);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("w0"));
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("义"));
    EXPECT_EQ(table->verticalHeaderItem(0)->text(), QStringLiteral("2")) << "rows are numbered by their line";
    EXPECT_EQ(Child<QLabel>("labPreviewCount")->text(), QStringLiteral("共12行，其中1行有误。"));

    EXPECT_EQ(Child<QLabel>("labPreviewColumns")->text(), QStringLiteral("列：1=单词 2=释义"));

    FileName()->setText(WriteWordFile("English,IPA,备注,x\napple,ˈæpl,苹果,y\n", QStringLiteral("half.csv")));
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("苹果"));
    EXPECT_EQ(Child<QLabel>("labPreviewColumns")->text(), QStringLiteral("列：1=单词 2=音标 3=释义 4=不导入"))
        << "a header half known places the columns by position";

    FileName()->setText(WriteWordFile("{}", QStringLiteral("x.json")));
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_FALSE(Child<QLabel>("labPreviewCount")->text().isEmpty()) << "why nothing can be shown";
}
