// The word-list readers on bytes: the RFC 4180 cases, header rows, Anki's
// header lines and HTML, the typing trainers' JSON, and hostile input.

#include "UWordListFormats.h"

#include <gtest/gtest.h>

namespace {

// Records as "field|field" lines, "!" marking a broken one.
QStringList Records(const QByteArray &bytes, char separator = ',')
{
    QStringList out;
    for (const TDelimitedRecord &r : ReadDelimited(bytes, separator)) {
        QStringList fields;
        for (const QByteArray &f : r.Fields)
            fields << QString::fromUtf8(f);
        out << QString::number(r.Line) + QLatin1Char(':') + fields.join(QLatin1Char('|')) + (r.Broken ? "!" : "");
    }
    return out;
}

// Rows as "spelling/pronunciation/meaning@line", "#fault" for a bad one.
QStringList Rows(const TWordRows &rows)
{
    QStringList out;
    for (const TWordRow &r : rows.Rows) {
        QString text = r.Word.Spelling + '/' + r.Word.Pronunciation + '/' + r.Word.Meaning + '@' + QString::number(r.Line);
        if (r.Fault != TLineFault::None)
            text += QStringLiteral("#%1").arg(int(r.Fault));
        out << text;
    }
    return out;
}

} // namespace

TEST(DelimitedReader, FollowsRfc4180)
{
    const struct
    {
        const char *what;
        QByteArray bytes;
        QStringList records;
    } cases[] = {
        {"plain CRLF records", "a,b\r\nc,d\r\n", {"1:a|b", "2:c|d"}},
        {"no break at the end", "a,b\nc,d", {"1:a|b", "2:c|d"}},
        {"lone CR ends a record", "a\rb", {"1:a", "2:b"}},
        {"empty fields", ",,\n", {"1:||"}},
        {"quoted separator", "\"a,b\",c", {"1:a,b|c"}},
        {"doubled quote", "\"say \"\"hi\"\"\",x", {"1:say \"hi\"|x"}},
        {"break inside quotes", "\"two\r\nlines\",x\ny", {"1:two\nlines|x", "3:y"}},
        {"quote inside an unquoted field", "it\"s,x", {"1:it\"s|x"}},
        {"blank lines are skipped", "a\n\n\nb", {"1:a", "4:b"}},
        {"unclosed quote swallows the rest", "a\n\"b,c\nd", {"1:a", "2:b,c\nd!"}},
        {"nothing", "", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Records(c.bytes), c.records);
    }
    EXPECT_EQ(Records("a\tb,c", '\t'), QStringList{"1:a|b,c"});
}

TEST(WordListReaders, ColumnsHeadersAndEncodings)
{
    const struct
    {
        const char *what;
        TWordListFormat format;
        QByteArray bytes;
        QStringList rows;
    } cases[] = {
        {"csv without header", TWordListFormat::Csv, "apple,ˈæpl,\"n. 苹果, 苹果树\"\n", {"apple/ˈæpl/n. 苹果, 苹果树@1"}},
        {"csv with header in its own order", TWordListFormat::Csv, "释义,Word\n苹果,apple\n", {"apple//苹果@2"}},
        {"unclosed quote is its own fault", TWordListFormat::Csv, "apple,苹果\npear,\"梨\nplum,李子\n",
         {"apple//苹果@1", "pear//梨 plum,李子 @2#7"}},
        {"two columns are word and meaning", TWordListFormat::Tsv, "apple\t苹果\n", {"apple//苹果@1"}},
        {"a break inside a field is a space", TWordListFormat::Csv, "cherry,,\"樱桃\r\n樱桃树\"\n", {"cherry//樱桃 樱桃树@1"}},
        {"GBK csv", TWordListFormat::Csv, QByteArray("pear,,") + QByteArray::fromHex("c0e6") + "\n", {"pear//梨@1"}},
        {"blank word", TWordListFormat::Csv, " ,x,y\n", {" /x/y@1#1"}},
        {"invalid UTF-8 in a UTF-8 file", TWordListFormat::Tsv,
         "apple\t苹果\nbad\xff\t坏\npear\t梨\nplum\t李子\n", {"apple//苹果@1", "//坏@2#4", "pear//梨@3", "plum//李子@4"}},
        {"anki with comma separator and html", TWordListFormat::Anki,
         "#separator:comma\n#html:true\n#deck:E\n<b>apple</b>,\"n.&nbsp;苹果<br>apple &amp; pie\"\n",
         {"apple//n. 苹果 apple & pie@4"}},
        {"anki tab without html keeps text", TWordListFormat::Anki, "#separator:tab\nAT&amp;T\t<i>x</i>\n",
         {"AT&amp;T//<i>x</i>@2"}},
        {"anki with nothing but header lines", TWordListFormat::Anki, "#separator:\"\n#\n#notetype:Basic", {}},
        {"json", TWordListFormat::Json,
         R"([{"name":"cancel","trans":["取消","撤销"],"usphone":"'kænsl","ukphone":"x"},)"
         R"({"name":"cat","ukphone":"kæt","trans":"猫"},{"trans":["无"]},3])",
         {"cancel/'kænsl/取消；撤销@1", "cat/kæt/猫@2", "//无@3#1", "//@4#1"}},
        {"bracket", TWordListFormat::Bracket, "apple[2=3]n.\r\n[x]y\n", {"apple/344/n.@1", "/x/y@2#1"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const TWordRows rows = ReadWordList(c.format, c.bytes);
        EXPECT_TRUE(rows.Error.isEmpty());
        EXPECT_EQ(Rows(rows), c.rows);
    }
    const QString longWord(kMaxSpellingLetters + 1, 'a');
    EXPECT_EQ(ReadWordList(TWordListFormat::Csv, longWord.toUtf8()).Rows.value(0).Fault, TLineFault::SpellingTooLong);
}

TEST(WordListReaders, HeadersPlaceColumnsByNameOrElseByPosition)
{
    using C = TWordColumn;
    const struct
    {
        const char *what;
        QByteArray bytes;
        QString row;
        QList<TWordColumn> columns;
    } cases[] = {
        {"English,Chinese", "English,Chinese\napple,苹果\n", "apple//苹果@2", {C::Spelling, C::Meaning}},
        {"单词,中文释义", "单词,中文释义\napple,苹果\n", "apple//苹果@2", {C::Spelling, C::Meaning}},
        {"Word,Chinese Meaning", "Word,Chinese Meaning\napple,苹果\n", "apple//苹果@2", {C::Spelling, C::Meaning}},
        {"names in their own order", "Translation,Pronunciation,word\n苹果,ˈæpl,apple\n", "apple/ˈæpl/苹果@2",
         {C::Meaning, C::Pronunciation, C::Spelling}},
        {"half known, two columns", "Word,Notes\napple,苹果\n", "apple//苹果@2", {C::Spelling, C::Meaning}},
        {"half known, three columns", "英文,IPA,备注\napple,ˈæpl,苹果\n", "apple/ˈæpl/苹果@2",
         {C::Spelling, C::Pronunciation, C::Meaning}},
        {"a name twice", "word,word\napple,苹果\n", "apple//苹果@2", {C::Spelling, C::Meaning}},
        {"known names without the word", "音标,释义\napple,苹果\n", "apple//苹果@2", {C::Spelling, C::Meaning}},
        {"no header", "apple,ˈæpl,苹果,n.\n", "apple/ˈæpl/苹果@1", {C::Spelling, C::Pronunciation, C::Meaning, C::Ignored}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Rows(ReadWordList(TWordListFormat::Csv, c.bytes)), QStringList(c.row));
        EXPECT_EQ(ReadWordListColumns(TWordListFormat::Csv, c.bytes), c.columns);
    }
    EXPECT_EQ(ReadWordListColumns(TWordListFormat::Anki, "#separator:comma\nword,x\n"),
              (QList<TWordColumn>{C::Spelling, C::Meaning})) << "Anki has no header row";
    EXPECT_TRUE(ReadWordListColumns(TWordListFormat::Json, "[]").isEmpty());
}

TEST(WordListReaders, ControlCharactersNeverReachASpelling)
{
    const struct
    {
        const char *what;
        TWordListFormat format;
        QByteArray bytes;
        QString row;
    } cases[] = {
        {"JSON zero", TWordListFormat::Json, R"([{"name":"ap\u0000ple","trans":"苹果"}])", "ap ple//苹果@1#6"},
        {"JSON escape", TWordListFormat::Json, R"([{"name":"\u001b[31mred","trans":"红"}])", " [31mred//红@1#6"},
        {"CSV escape", TWordListFormat::Csv, "ap\x1bple,苹果\n", "ap ple//苹果@1#6"},
        {"CSV C0 control", TWordListFormat::Csv, "ap\x01ple,苹果\n", "ap ple//苹果@1#6"},
        {"CSV line break in a quoted spelling", TWordListFormat::Csv, "\"ap\nple\",苹果\n", "ap ple//苹果@1#6"},
        {"TSV delete", TWordListFormat::Tsv, "ap\x7fple\t苹果\n", "ap ple//苹果@1#6"},
        {"bracket tab", TWordListFormat::Bracket, "ap\tple[]苹果\n", "ap ple//苹果@1#6"},
        {"a control in a meaning is a space", TWordListFormat::Csv, "apple,苹\x1b果\n", "apple//苹 果@1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Rows(ReadWordList(c.format, c.bytes)), QStringList(c.row));
    }
}

TEST(WordListReaders, JsonThatIsNotAWordListIsRefusedAsAWhole)
{
    for (const QByteArray &bytes : {QByteArray(R"({"name":"apple"})"), QByteArray("[{\"name\":\"a\""), QByteArray("\"x\""),
                                    QByteArray("[\"a\xff\"]"), QByteArray()}) {
        SCOPED_TRACE(bytes.toStdString());
        const TWordRows rows = ReadWordList(TWordListFormat::Json, bytes);
        EXPECT_FALSE(rows.Error.isEmpty());
        EXPECT_TRUE(rows.Rows.isEmpty());
    }
}

TEST(WordListReaders, FormatByExtensionThenContent)
{
    EXPECT_EQ(DetectWordListFormat("a/list.CSV", "x[y]z"), TWordListFormat::Csv);
    EXPECT_EQ(DetectWordListFormat("list.tsv", ""), TWordListFormat::Tsv);
    EXPECT_EQ(DetectWordListFormat("words.json", ""), TWordListFormat::Json);
    EXPECT_EQ(DetectWordListFormat("deck.txt", "\xEF\xBB\xBF#separator:tab\n"), TWordListFormat::Anki);
    EXPECT_EQ(DetectWordListFormat("deck.txt", "#html:false\n"), TWordListFormat::Anki);
    EXPECT_EQ(DetectWordListFormat("book.txt", "apple[x]y"), TWordListFormat::Bracket);
}

TEST(WordListReaders, HtmlBecomesPlainText)
{
    EXPECT_EQ(HtmlToPlainText("<div>a</div><div>b&lt;c&gt;</div>"), "a b<c>");
    EXPECT_EQ(HtmlToPlainText("&amp;lt; &#x4e2d;&#25991; &#0; &#xD800; &#9999999;"), "&lt; 中文");
    EXPECT_EQ(HtmlToPlainText("<unclosed"), "<unclosed");
    EXPECT_EQ(HtmlToPlainText("apple<script>alert(1)</script>"), "apple");
    EXPECT_EQ(HtmlToPlainText("<STYLE type=x>b{}</ style >苹果<Script>x</SCRIPT >果"), "苹果果");
    EXPECT_EQ(HtmlToPlainText("apple<script>alert(1)"), "apple") << "an unclosed script hides the rest";
    EXPECT_EQ(HtmlToPlainText("a<!-- <b>c</b> -->b<scripts>s</scripts>"), "abs") << "only those elements";
}
