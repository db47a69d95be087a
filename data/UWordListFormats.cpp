#include "UWordListFormats.h"

#include "UTextCodec.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <climits>

namespace {

bool IsBreak(char c)
{
    return c == '\n' || c == '\r';
}

// How the fields of a file are decoded.
struct TFieldCodec
{
    bool Utf8 = true;

    explicit TFieldCodec(const QByteArray &bytes)
    {
        Utf8 = bytes.startsWith(kUtf8Bom) || LooksLikeUtf8(CountUtf8(bytes));
    }
    // False for bytes that are not text in the file's encoding.
    bool Decode(const QByteArray &bytes, QString &text) const
    {
        if (!Utf8) {
            text = DecodeGbk(bytes);
            return true;
        }
        if (!IsValidUtf8(bytes))
            return false;
        text = QString::fromUtf8(bytes);
        return true;
    }
};

QByteArray WithoutBom(const QByteArray &bytes)
{
    return bytes.startsWith(kUtf8Bom) ? bytes.mid(kUtf8Bom.size()) : bytes;
}

// A line break inside a quoted field or a JSON text would break the line
// the board lists a word on, and other control characters draw as nothing or
// as boxes: each becomes a space.
QString OneLine(QString text)
{
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

TWordRow MakeRow(TWordLine word, int line)
{
    TWordRow row;
    row.Fault = SpellingFault(word.Spelling);
    word.Spelling = OneLine(std::move(word.Spelling));
    word.Pronunciation = OneLine(std::move(word.Pronunciation));
    word.Meaning = OneLine(std::move(word.Meaning));
    row.Word = std::move(word);
    row.Line = line;
    return row;
}

enum TColumn { cWord, cPronunciation, cMeaning, cNone };

// Header names are compared in lower case without blanks, "_" or "-", so
// "Chinese Meaning", "chinese_meaning" and "ChineseMeaning" are one name.
TColumn ColumnOfHeader(const QString &cell)
{
    static const QStringList words = {"word", "words", "spelling", "english", "englishword", "name", "front",
                                      "term", "vocabulary", "vocab", "单词", "英文", "英语", "英文单词", "词汇"};
    static const QStringList sounds = {"pronunciation", "phonetic", "phonetics", "phoneticsymbol", "ipa",
                                       "usphone", "ukphone", "音标", "发音", "读音"};
    static const QStringList meanings = {"meaning", "meanings", "chinese", "chinesemeaning", "translation",
                                         "definition", "definitions", "trans", "back", "释义", "中文", "中文释义",
                                         "中文意思", "词义", "解释", "意思", "翻译", "含义"};
    QString name;
    for (const QChar c : cell.toLower())
        if (!c.isSpace() && c != QLatin1Char('_') && c != QLatin1Char('-'))
            name += c;
    if (words.contains(name))
        return cWord;
    if (sounds.contains(name))
        return cPronunciation;
    if (meanings.contains(name))
        return cMeaning;
    return cNone;
}

// Columns by position: word, pronunciation, meaning, or word, meaning for a
// record of two fields.
QList<int> PlaceByPosition(qsizetype fields)
{
    if (fields == 2)
        return {cWord, cMeaning};
    return {cWord, cPronunciation, cMeaning};
}

// Turns records into rows: columns word, pronunciation, meaning (or word,
// meaning with two), or as a header row names them.
class TRowMaker
{
public:
    TRowMaker(const TFieldCodec &codec, bool html, bool headerAllowed, int lineOffset, const TRowSink &sink)
        : m_codec(codec), m_html(html), m_headerAllowed(headerAllowed), m_lineOffset(lineOffset), m_sink(sink)
    {
    }

    bool operator()(const TDelimitedRecord &record)
    {
        const bool first = m_first;
        m_first = false;
        if (first && m_headerAllowed && !record.Broken && TakeHeader(record))
            return true;
        m_columns = m_named.isEmpty() ? PlaceByPosition(record.Fields.size()) : m_named;
        m_fields = record.Fields.size();
        QString texts[3];
        bool text = true;
        for (int f = 0; f < record.Fields.size() && f < m_columns.size(); ++f) {
            if (m_columns[f] == cNone)
                continue;
            QString value;
            text = m_codec.Decode(record.Fields[f], value) && text;
            texts[m_columns[f]] = m_html ? HtmlToPlainText(value) : value;
        }
        TWordRow row = MakeRow(TWordLine{texts[cWord], texts[cPronunciation], texts[cMeaning]},
                               record.Line + m_lineOffset);
        if (record.Broken)
            row.Fault = TLineFault::UnclosedQuote;
        else if (!text)
            row.Fault = TLineFault::NotText;
        return m_sink(row);
    }

    // What each field of the last data record became.
    QList<TWordColumn> Columns() const
    {
        QList<TWordColumn> columns;
        for (qsizetype f = 0; f < m_fields; ++f)
            columns << (f < m_columns.size() ? TWordColumn(m_columns[f]) : TWordColumn::Ignored);
        return columns;
    }

private:
    // A first record with any cell that names a column is a header. Its
    // names place the columns only when they are all known and distinct and
    // one is the word: a half-known header would otherwise drop the columns
    // it does not know.
    bool TakeHeader(const TDelimitedRecord &record)
    {
        QList<int> named;
        bool anyKnown = false, allKnown = true;
        for (const QByteArray &field : record.Fields) {
            QString cell;
            m_codec.Decode(field, cell);
            const TColumn column = ColumnOfHeader(cell);
            anyKnown = anyKnown || column != cNone;
            allKnown = allKnown && column != cNone && !named.contains(column);
            named << column;
        }
        if (!anyKnown)
            return false;
        if (allKnown && named.contains(cWord))
            m_named = named;
        return true;
    }

    const TFieldCodec &m_codec;
    bool m_html;
    bool m_headerAllowed;
    int m_lineOffset;
    const TRowSink &m_sink;
    bool m_first = true;
    QList<int> m_named;   // the column of each field, as the header names them
    QList<int> m_columns; // the columns of the last data record
    qsizetype m_fields = 0;
};

static_assert(int(TWordColumn::Spelling) == cWord && int(TWordColumn::Pronunciation) == cPronunciation
              && int(TWordColumn::Meaning) == cMeaning && int(TWordColumn::Ignored) == cNone);

struct TAnkiHeader
{
    char Separator = '\t';
    bool Html = false;
    int Lines = 0;
    qsizetype BodyStart = 0;
};

// Anki's "#key:value" lines at the start of the file.
TAnkiHeader ReadAnkiHeader(const QByteArray &body)
{
    TAnkiHeader header;
    // Walked by offset: a file of nothing but "#" lines must not be copied
    // once per line.
    qsizetype start = 0;
    while (start < body.size() && body[start] == '#') {
        qsizetype end = start;
        while (end < body.size() && !IsBreak(body[end]))
            ++end;
        const QByteArray line = body.mid(start, end - start).trimmed();
        const qsizetype colon = line.indexOf(':');
        const QByteArray key = line.mid(1, colon - 1).trimmed().toLower();
        const QByteArray value = colon < 0 ? QByteArray() : line.mid(colon + 1).trimmed();
        if (key == "separator") {
            static const QList<QPair<QByteArray, char>> names = {
                {"tab", '\t'}, {"comma", ','}, {"semicolon", ';'}, {"space", ' '}, {"pipe", '|'}, {"colon", ':'}};
            for (const auto &named : names)
                if (value.toLower() == named.first)
                    header.Separator = named.second;
            if (value.size() == 1 && value[0] != '"')
                header.Separator = value[0];
        } else if (key == "html") {
            header.Html = value.toLower() == "true";
        }
        if (end < body.size() && body[end] == '\r' && end + 1 < body.size() && body[end + 1] == '\n')
            ++end;
        start = end + 1;
        ++header.Lines;
    }
    header.BodyStart = start;
    return header;
}

} // namespace

TWordListFormat DetectWordListFormat(const QString &fileName, const QByteArray &head)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        return TWordListFormat::Csv;
    if (suffix == QLatin1String("tsv"))
        return TWordListFormat::Tsv;
    if (suffix == QLatin1String("json"))
        return TWordListFormat::Json;
    const QByteArray start = WithoutBom(head);
    if (start.startsWith("#separator:") || start.startsWith("#html:"))
        return TWordListFormat::Anki;
    return TWordListFormat::Bracket;
}

QList<TDelimitedRecord> ReadDelimited(const QByteArray &bytes, char separator)
{
    QList<TDelimitedRecord> records;
    ReadDelimited(bytes, separator, [&records](const TDelimitedRecord &record) {
        records << record;
        return true;
    });
    return records;
}

void ReadDelimited(const QByteArray &bytes, char separator, const TRecordSink &sink)
{
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    int line = 1;
    const auto skipBreak = [&] {
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        ++i;
        ++line;
    };
    while (i < n) {
        if (IsBreak(bytes[i])) { // a blank line
            skipBreak();
            continue;
        }
        TDelimitedRecord record;
        record.Line = line;
        for (;;) {
            QByteArray field;
            if (i < n && bytes[i] == '"') {
                ++i;
                bool closed = false;
                while (i < n) {
                    const char c = bytes[i];
                    if (c == '"') {
                        if (i + 1 < n && bytes[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (IsBreak(c)) {
                        field += '\n'; // a break inside a field, whichever form it had
                        skipBreak();
                        continue;
                    }
                    field += c;
                    ++i;
                }
                record.Broken = record.Broken || !closed;
                // Text after the closing quote belongs to the same field.
                while (i < n && bytes[i] != separator && !IsBreak(bytes[i]))
                    field += bytes[i++];
            } else {
                while (i < n && bytes[i] != separator && !IsBreak(bytes[i]))
                    field += bytes[i++];
            }
            record.Fields << field;
            if (i < n && bytes[i] == separator) {
                ++i;
                continue;
            }
            break;
        }
        if (!sink(record))
            return;
        if (i < n)
            skipBreak();
    }
}

QString ReadDelimitedWordList(const QByteArray &bytes, char separator, const TRowSink &sink)
{
    const TFieldCodec codec(bytes);
    ReadDelimited(WithoutBom(bytes), separator, TRowMaker(codec, false, true, 0, sink));
    return QString();
}

QString ReadAnkiWordList(const QByteArray &bytes, const TRowSink &sink)
{
    const QByteArray body = WithoutBom(bytes);
    const TAnkiHeader header = ReadAnkiHeader(body);
    const TFieldCodec codec(bytes);
    ReadDelimited(body.mid(header.BodyStart), header.Separator, TRowMaker(codec, header.Html, false, header.Lines, sink));
    return QString();
}

QList<TWordColumn> ReadWordListColumns(TWordListFormat format, const QByteArray &bytes)
{
    QByteArray body = WithoutBom(bytes);
    char separator = format == TWordListFormat::Csv ? ',' : '\t';
    bool html = false;
    if (format == TWordListFormat::Anki) {
        const TAnkiHeader header = ReadAnkiHeader(body);
        body = body.mid(header.BodyStart);
        separator = header.Separator;
        html = header.Html;
    } else if (format != TWordListFormat::Csv && format != TWordListFormat::Tsv) {
        return {};
    }
    const TFieldCodec codec(bytes);
    const TRowSink firstRow = [](const TWordRow &) { return false; };
    TRowMaker maker(codec, html, format != TWordListFormat::Anki, 0, firstRow);
    ReadDelimited(body, separator, std::ref(maker));
    return maker.Columns();
}

QString ReadJsonWordList(const QByteArray &bytes, const TRowSink &sink)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(WithoutBom(bytes), &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("JSON 词库无法读取（第 %1 个字节附近：%2）。").arg(error.offset).arg(error.errorString());
    if (!document.isArray())
        return QStringLiteral("JSON 词库应当是一个单词列表（数组），这个文件不是。");
    const QJsonArray array = document.array();
    for (qsizetype k = 0; k < array.size(); ++k) {
        const QJsonObject entry = array[k].toObject();
        TWordLine word;
        word.Spelling = entry.value(QLatin1String("name")).toString();
        const QJsonValue trans = entry.value(QLatin1String("trans"));
        if (trans.isArray()) {
            QStringList meanings;
            for (const QJsonValue &meaning : trans.toArray())
                if (meaning.isString())
                    meanings << meaning.toString();
            word.Meaning = meanings.join(QStringLiteral("；"));
        } else {
            word.Meaning = trans.toString();
        }
        word.Pronunciation = entry.value(QLatin1String("usphone")).toString();
        if (word.Pronunciation.isEmpty())
            word.Pronunciation = entry.value(QLatin1String("ukphone")).toString();
        if (!sink(MakeRow(word, int(std::min<qsizetype>(k + 1, INT_MAX)))))
            break;
    }
    return QString();
}

QString ReadBracketWordList(const QByteArray &bytes, const TRowSink &sink)
{
    const TFieldCodec codec(bytes);
    const QByteArray body = WithoutBom(bytes);
    const qsizetype n = body.size();
    qsizetype start = 0;
    int line = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && !IsBreak(body[end]))
            ++end;
        ++line;
        QString text;
        TWordRow row;
        row.Line = line;
        row.Fault = TLineFault::NotText;
        if (codec.Decode(body.mid(start, end - start), text)) {
            TWordLine word = SplitWordLine(text);
            word.Pronunciation = ConvertPhonetic(word.Pronunciation);
            row = MakeRow(word, line);
        }
        if (!sink(row))
            break;
        if (end < n && body[end] == '\r' && end + 1 < n && body[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return QString();
}

QString ReadWordList(TWordListFormat format, const QByteArray &bytes, const TRowSink &sink)
{
    switch (format) {
    case TWordListFormat::Csv: return ReadDelimitedWordList(bytes, ',', sink);
    case TWordListFormat::Tsv: return ReadDelimitedWordList(bytes, '\t', sink);
    case TWordListFormat::Anki: return ReadAnkiWordList(bytes, sink);
    case TWordListFormat::Json: return ReadJsonWordList(bytes, sink);
    case TWordListFormat::Bracket: break;
    }
    return ReadBracketWordList(bytes, sink);
}

TWordRows ReadWordList(TWordListFormat format, const QByteArray &bytes)
{
    TWordRows rows;
    rows.Error = ReadWordList(format, bytes, [&rows](const TWordRow &row) {
        rows.Rows << row;
        return true;
    });
    return rows;
}

QString HtmlToPlainText(const QString &html)
{
    static const QRegularExpression breaks(QStringLiteral("<\\s*(br|/p|/div|/li|/tr)\\b[^>]*>"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression numeric(QStringLiteral("&#(x[0-9a-fA-F]{1,6}|[0-9]{1,7});"));
    // What a browser never shows: a script or style element whole, closed or
    // running to the end, and a comment.
    static const QRegularExpression hidden(
        QStringLiteral("<\\s*(script|style)\\b.*?(<\\s*/\\s*\\1\\s*>|$)|<!--.*?(-->|$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QString text = html;
    text.replace(hidden, QString());
    text.replace(breaks, QStringLiteral(" "));
    text.replace(tags, QString());
    // Numeric references first, then the named ones, "&amp;" last so that
    // "&amp;lt;" stays the text "&lt;".
    QString decoded;
    qsizetype last = 0;
    for (auto it = numeric.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        decoded += text.mid(last, m.capturedStart() - last);
        const QString digits = m.captured(1);
        bool ok = false;
        const uint code = digits.startsWith(QLatin1Char('x')) ? digits.mid(1).toUInt(&ok, 16) : digits.toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
            const char32_t c = code;
            decoded += QString::fromUcs4(&c, 1);
        }
        last = m.capturedEnd();
    }
    decoded += text.mid(last);
    decoded.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    decoded.replace(QLatin1String("&lt;"), QLatin1String("<"));
    decoded.replace(QLatin1String("&gt;"), QLatin1String(">"));
    decoded.replace(QLatin1String("&quot;"), QLatin1String("\""));
    decoded.replace(QLatin1String("&#39;"), QLatin1String("'"));
    decoded.replace(QLatin1String("&apos;"), QLatin1String("'"));
    decoded.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return decoded.simplified();
}
