#include "UIniFile.h"

#include "UAtomicFile.h"
#include "UTextCodec.h"

#include <QFile>
#include <QList>

#include <optional>

namespace {

// Settings files are a few hundred bytes; anything far larger is not ours and
// reads as empty rather than being scanned.
constexpr qint64 kMaxIniSize = 16 * 1024 * 1024;

// The file's text in the program's own GBK. A file that an editor saved as
// UTF-8 with a byte-order mark is taken as UTF-8 and so written back in GBK
// at the next save.
QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxIniSize)
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith(kUtf8Bom))
        return EncodeGbk(QString::fromUtf8(bytes.mid(kUtf8Bom.size())));
    return bytes;
}

// A value or name must not break the file's line structure: a line break
// in a title would otherwise start a line of its own, such as "data=".
QByteArray lineSafe(const QString &text)
{
    QString safe = text;
    for (QChar &c : safe)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    return EncodeGbk(safe);
}

// Lines without their terminators; "\r\n", "\n" and a lone "\r" all end a line.
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\n' || c == '\r') {
            lines.append(bytes.mid(start, i - start));
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(bytes.mid(start));
    return lines;
}

std::optional<QString> sectionName(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return DecodeGbk(t.mid(1, close - 1)).trimmed();
}

struct KeyValue
{
    QString key;
    QString value;
};

std::optional<KeyValue> keyValue(const QByteArray &line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0)
        return std::nullopt;
    const QByteArray t = line.trimmed();
    if (t.startsWith(';') || t.startsWith('#'))
        return std::nullopt;
    return KeyValue{DecodeGbk(line.left(eq)).trimmed(), DecodeGbk(line.mid(eq + 1)).trimmed()};
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<QString> findValue(const QList<QByteArray> &lines, const QString &section, const QString &key)
{
    bool inSection = false;
    for (const QByteArray &line : lines) {
        if (auto name = sectionName(line)) {
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (auto kv = keyValue(line); kv && sameName(kv->key, key))
            return kv->value;
    }
    return std::nullopt;
}

void setValue(QList<QByteArray> &lines, const QString &section, const QString &key, const QString &value)
{
    const QByteArray newLine = lineSafe(key) + '=' + lineSafe(value);
    qsizetype sectionStart = -1; // index of the header line of the (first) matching section
    qsizetype lastInSection = -1; // last non-blank line that belongs to it
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i])) {
            inSection = sameName(*name, section);
            if (inSection && sectionStart < 0) {
                sectionStart = i;
                lastInSection = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (auto kv = keyValue(lines[i]); kv && sameName(kv->key, key)) {
            // An unchanged value keeps its bytes, even ones that do not
            // decode cleanly.
            if (kv->value != value)
                lines[i] = newLine;
            return;
        }
        if (!lines[i].trimmed().isEmpty())
            lastInSection = i;
    }
    if (sectionStart >= 0) {
        lines.insert(lastInSection + 1, newLine);
        return;
    }
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
        lines.append(QByteArray());
    lines.append('[' + lineSafe(section) + ']');
    lines.append(newLine);
}

} // namespace

TIniFile::TIniFile(QString fileName)
    : m_fileName(std::move(fileName))
{
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    return findValue(splitLines(readAll(m_fileName)), section, key).value_or(defaultValue);
}

bool TIniFile::HasKey(const QString &section, const QString &key) const
{
    return findValue(splitLines(readAll(m_fileName)), section, key).has_value();
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const auto text = findValue(splitLines(readAll(m_fileName)), section, key);
    if (!text)
        return defaultValue;
    bool ok = false;
    const int value = text->toInt(&ok, 10);
    return ok ? value : defaultValue;
}

bool TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    return WriteStrings(section, {{key, value}});
}

bool TIniFile::WriteStrings(const QString &section, const QList<QPair<QString, QString>> &values)
{
    QFile probe(m_fileName);
    if (probe.exists() && probe.size() > kMaxIniSize)
        return false; // not a settings file we can rewrite without risk
    const QByteArray original = readAll(m_fileName);
    QList<QByteArray> lines = splitLines(original);
    const QByteArray eol = original.contains("\r\n") || original.isEmpty() ? QByteArray("\r\n")
                                                                           : QByteArray("\n");
    for (const auto &[key, value] : values)
        setValue(lines, section, key, value);
    QByteArray out = lines.join(eol);
    out += eol;
    return WriteFileAtomically(m_fileName, out);
}

bool TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}
