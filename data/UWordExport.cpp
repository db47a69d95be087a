#include "UWordExport.h"

#include "UAtomicFile.h"
#include "UTextCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString OneLine(QString text)
{
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

// RFC 4180 quoting: a field with the separator, a quote or a break in it, one
// with blanks at an end that a reader might trim, and one starting with "#"
// (the first note would read as an Anki header line) go in quotes, their
// quotes doubled.
QByteArray Field(const QString &text, char separator)
{
    const QByteArray bytes = OneLine(text).toUtf8();
    const bool quoted = bytes.contains(separator) || bytes.contains('"') || bytes.contains('\n')
                        || bytes.contains('\r') || bytes.startsWith(' ') || bytes.endsWith(' ') || bytes.startsWith('#');
    if (!quoted)
        return bytes;
    QByteArray field = bytes;
    field.replace("\"", "\"\"");
    return '"' + field + '"';
}

QByteArray Delimited(const QList<TWordLine> &words, char separator)
{
    QByteArray out;
    for (const TWordLine &word : words) {
        out += Field(word.Spelling, separator);
        out += separator;
        out += Field(word.Pronunciation, separator);
        out += separator;
        out += Field(word.Meaning, separator);
        out += "\r\n";
    }
    return out;
}

QByteArray Json(const QList<TWordLine> &words)
{
    QJsonArray array;
    for (const TWordLine &word : words) {
        QJsonObject entry;
        entry.insert(QStringLiteral("name"), OneLine(word.Spelling));
        QJsonArray trans;
        if (!word.Meaning.isEmpty())
            trans.append(OneLine(word.Meaning));
        entry.insert(QStringLiteral("trans"), trans);
        entry.insert(QStringLiteral("usphone"), OneLine(word.Pronunciation));
        array.append(entry);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

} // namespace

QByteArray FormatWordList(TWordListFormat format, const QList<TWordLine> &words)
{
    switch (format) {
    case TWordListFormat::Anki:
        return "#separator:tab\r\n#html:false\r\n" + Delimited(words, '\t');
    case TWordListFormat::Json:
        return Json(words);
    default:
        // The mark tells spreadsheet programs that the file is UTF-8.
        return kUtf8Bom + "word,phonetic,meaning\r\n" + Delimited(words, ',');
    }
}

bool ExportWordList(const QString &fileName, TWordListFormat format, const QList<TWordLine> &words)
{
    return WriteFileAtomically(fileName, FormatWordList(format, words));
}
