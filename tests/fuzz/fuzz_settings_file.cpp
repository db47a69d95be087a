// The settings file reader and writer on any bytes: reading never fails, a
// written key reads back as written (control characters as spaces), and the
// other lines keep their bytes.

#include "UIniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        lines.append(bytes.mid(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.mid(start));
    return lines;
}

// The rewrite touches one key: either one line changed in place, or one block
// of at most three lines (a blank line, the section header, the key) added;
// every other line keeps its bytes and its place.
bool othersKept(const QList<QByteArray> &before, const QList<QByteArray> &after)
{
    const qsizetype added = after.size() - before.size();
    if (added < 0 || added > 3)
        return false;
    qsizetype k = 0;
    while (k < before.size() && before[k] == after[k])
        ++k;
    if (added == 0) {
        for (qsizetype i = k + 1; i < before.size(); ++i)
            if (before[i] != after[i])
                return false;
        return true;
    }
    for (qsizetype i = k; i < before.size(); ++i)
        if (before[i] != after[i + added])
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Each input is a real atomic rewrite with its sync; on a memory file
    // system the fuzzer runs a hundred times more inputs in the same time.
    static QTemporaryDir shm(QStringLiteral("/dev/shm/guluspell-fuzz-XXXXXX"));
    static QTemporaryDir disk;
    static const QTemporaryDir &dir = shm.isValid() ? shm : disk;
    const QString name = dir.filePath(QStringLiteral("spellconfig.ini"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 0;
    }
    TIniFile ini(name);
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF"); // rewritten in GBK, so not byte-identical
    ini.ReadString(QStringLiteral("system"), QStringLiteral("BookName"), QString());
    ini.ReadInteger(QStringLiteral("system"), QStringLiteral("Level"), 1);
    // The value comes from the input too, so odd characters are written.
    const QString value = QString::fromUtf8(bytes.left(24));
    if (!ini.WriteString(QStringLiteral("system"), QStringLiteral("TollGateIndex"), value))
        return 0;
    QString expected = value;
    // The writer keeps a value on its line: C0 controls and DEL become spaces.
    for (QChar &c : expected)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    const QString back = ini.ReadString(QStringLiteral("system"), QStringLiteral("TollGateIndex"), QStringLiteral("?"));
    if (back.trimmed() != expected.trimmed() && !expected.contains(QChar(0xFFFD)))
        std::abort();
    QFile written(name);
    if (!utf8 && written.open(QIODevice::ReadOnly) && !othersKept(linesOf(bytes), linesOf(written.readAll())))
        std::abort();
    return 0;
}
