#include "URecentGames.h"

#include "USettings.h"
#include "UTextCodec.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kSeparator = QStringLiteral("#@#");
constexpr int kMaxRecentGames = 10;
// Ten lines of at most kMaxLineLength characters fit many times over; a
// larger file is not ours, and reading it whole would stall every toll-gate
// change.
constexpr qint64 kMaxReadBytes = 64 * 1024;
// A table name and a title of 255 characters each, two numbers and the
// separators: a longer line cannot be a game.
constexpr qsizetype kMaxLineLength = 600;

// At most kMaxReadBytes of the file; a line cut off there is dropped.
QByteArray ReadBounded(QFile &file)
{
    QByteArray bytes = file.read(kMaxReadBytes);
    if (!file.atEnd()) {
        const qsizetype lastBreak = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastBreak + 1);
    }
    return bytes;
}

// A field must not break the file's line structure, nor its fields.
QString LineSafe(QString text)
{
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    while (text.contains(kSeparator))
        text.replace(kSeparator, QStringLiteral("#@ #"));
    return text;
}

bool ParseDecimal(const QString &text, int &value)
{
    bool ok = false;
    value = text.toInt(&ok, 10);
    return ok;
}

QStringList SplitLines(const QByteArray &bytes)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = DecodeGbk(bytes).split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line break
    lines.removeIf([](const QString &line) { return line.size() > kMaxLineLength; });
    return lines;
}

} // namespace

QString LevelCaption(int level)
{
    switch (level) {
    case 1: return QStringLiteral("容易");
    case 2: return QStringLiteral("较难");
    case 3: return QStringLiteral("困难");
    default: return QString();
    }
}

TRecentGames::TRecentGames(QString fileName)
    : m_fileName(std::move(fileName))
{
}

QString TRecentGames::LineOf(const TGamePara &para)
{
    return QStringList{LineSafe(para.StoreTableName), QString::number(para.WordCount), LineSafe(para.BookName),
                       QString::number(para.TollGateIndex), QString::number(para.Level)}
        .join(kSeparator);
}

bool TRecentGames::Add(const TGamePara &para) const
{
    QStringList lines;
    QByteArray before;
    QFile file(m_fileName);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return false; // unreadable: skip the step rather than lose the list
        before = ReadBounded(file);
        lines = SplitLines(before);
        file.close();
    }
    const QString line = LineOf(para);
    const bool known = std::any_of(lines.cbegin(), lines.cend(), [&line](const QString &existing) {
        return existing.compare(line, Qt::CaseInsensitive) == 0;
    });
    if (!known)
        lines.append(line);
    while (lines.size() > kMaxRecentGames)
        lines.removeFirst();
    QByteArray out;
    for (const QString &l : std::as_const(lines))
        out += EncodeGbk(l) + "\r\n";
    // Every start resumes a game the list already holds: rewriting the same
    // bytes would only put a synced disk write before the first window.
    if (out == before && file.size() == before.size())
        return true;
    return WriteFileAtomically(m_fileName, out);
}

QStringList TRecentGames::MenuLines() const
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList result;
    for (const QString &line : SplitLines(ReadBounded(file))) {
        QStringList fields;
        SplitString(line, kSeparator, fields);
        if (fields.size() < 5)
            break;
        result.append(line);
    }
    return result;
}

QString TRecentGames::Caption(const QString &line)
{
    QStringList fields;
    SplitString(line, kSeparator, fields);
    if (fields.size() < 5)
        return {};
    QString caption = fields[2] + QStringLiteral(" 第") + fields[3] + QStringLiteral("关 ");
    if (fields[4] == QLatin1String("1") || fields[4] == QLatin1String("2") || fields[4] == QLatin1String("3"))
        caption += LevelCaption(fields[4].toInt());
    return caption;
}

bool TRecentGames::Parse(const QString &line, TGamePara &para)
{
    QStringList fields;
    SplitString(line, kSeparator, fields);
    int wordCount = 0, tollGate = 0, level = 0;
    if (fields.size() < 5 || !ParseDecimal(fields[1], wordCount) || !ParseDecimal(fields[3], tollGate)
        || !ParseDecimal(fields[4], level))
        return false;
    para.StoreTableName = fields[0];
    para.WordCount = wordCount;
    para.BookName = fields[2];
    para.TollGateIndex = tollGate;
    para.Level = KnownLevel(level);
    return true;
}
