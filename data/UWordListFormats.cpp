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

// The checks every format shares; the column widths are the store's.
TLineFault RowFault(const TWordLine &word)
{
    if (word.Spelling.trimmed().isEmpty())
        return TLineFault::NoSpelling;
    if (word.Spelling.size() > kMaxSpellingLetters)
        return TLineFault::SpellingTooLong;
    return TLineFault::None;
}

// A line break inside a quoted field or a JSON text would break the line
// the board lists a word on: it becomes a space.
QString OneLine(QString text)
{
    for (QChar &c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}

TWordRow MakeRow(TWordLine word, int line)
{
    word.Spelling = OneLine(std::move(word.Spelling));
    word.Pronunciation = OneLine(std::move(word.Pronunciation));
    word.Meaning = OneLine(std::move(word.Meaning));
    TWordRow row;
    row.Word = std::move(word);
    row.Line = line;
    row.Fault = RowFault(row.Word);
    return row;
}

enum TColumn { cWord, cPronunciation, cMeaning, cNone };

TColumn ColumnOfHeader(const QString &cell)
{
    static const QStringList words = {"word", "words", "spelling", "english", "name", "front", "单词", "英文"};
    static const QStringList sounds = {"pronunciation", "phonetic", "phonetics", "ipa", "音标", "发音", "usphone", "ukphone"};
    static const QStringList meanings = {"meaning", "meanings", "translation", "definition", "trans", "back",
                                         "释义", "中文", "词义", "解释"};
    const QString name = cell.trimmed().toLower();
    if (words.contains(name))
        return cWord;
    if (sounds.contains(name))
        return cPronunciation;
    if (meanings.contains(name))
        return cMeaning;
    return cNone;
}

// Turns records into rows: columns word, pronunciation, meaning (or word,
// meaning with two), or as a header row places them.
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
        QList<int> columns = m_place;
        if (!m_hasHeader && record.Fields.size() == 2)
            columns = {cWord, cMeaning};
        QString texts[3];
        bool text = true;
        for (int f = 0; f < record.Fields.size() && f < columns.size(); ++f) {
            if (columns[f] == cNone)
                continue;
            QString value;
            text = m_codec.Decode(record.Fields[f], value) && text;
            texts[columns[f]] = m_html ? HtmlToPlainText(value) : value;
        }
        TWordRow row = MakeRow(TWordLine{texts[cWord], texts[cPronunciation], texts[cMeaning]},
                               record.Line + m_lineOffset);
        if (!text)
            row.Fault = TLineFault::NotText;
        else if (record.Broken)
            row.Fault = TLineFault::NoSpelling; // the rest of the file is one unclosed field
        return m_sink(row);
    }

private:
    bool TakeHeader(const TDelimitedRecord &record)
    {
        QList<int> named;
        bool hasWord = false;
        for (const QByteArray &field : record.Fields) {
            QString cell;
            m_codec.Decode(field, cell);
            named << ColumnOfHeader(cell);
            hasWord = hasWord || named.last() == cWord;
        }
        if (!hasWord)
            return false;
        m_place = named;
        m_hasHeader = true;
        return true;
    }

    const TFieldCodec &m_codec;
    bool m_html;
    bool m_headerAllowed;
    int m_lineOffset;
    const TRowSink &m_sink;
    bool m_first = true;
    bool m_hasHeader = false;
    QList<int> m_place = {cWord, cPronunciation, cMeaning}; // column of each field
};

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
    char separator = '\t';
    bool html = false;
    int headerLines = 0;
    // Walked by offset: a file of nothing but "#" lines must not be copied
    // once per line.
    qsizetype start = 0;
    while (start < body.size() && body[start] == '#') {
        qsizetype end = start;
        while (end < body.size() && !IsBreak(body[end]))
            ++end;
        const QByteArray header = body.mid(start, end - start).trimmed();
        const qsizetype colon = header.indexOf(':');
        const QByteArray key = header.mid(1, colon - 1).trimmed().toLower();
        const QByteArray value = colon < 0 ? QByteArray() : header.mid(colon + 1).trimmed();
        if (key == "separator") {
            static const QList<QPair<QByteArray, char>> names = {
                {"tab", '\t'}, {"comma", ','}, {"semicolon", ';'}, {"space", ' '}, {"pipe", '|'}, {"colon", ':'}};
            for (const auto &named : names)
                if (value.toLower() == named.first)
                    separator = named.second;
            if (value.size() == 1 && value[0] != '"')
                separator = value[0];
        } else if (key == "html") {
            html = value.toLower() == "true";
        }
        if (end < body.size() && body[end] == '\r' && end + 1 < body.size() && body[end + 1] == '\n')
            ++end;
        start = end + 1;
        ++headerLines;
    }
    const TFieldCodec codec(bytes);
    ReadDelimited(body.mid(start), separator, TRowMaker(codec, html, false, headerLines, sink));
    return QString();
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
    QString text = html;
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
