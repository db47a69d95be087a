// The settings file reader and writer on any bytes: reading never fails, a
// written key reads back as written (control characters as spaces), and the
// other lines keep their bytes.

#include "UIniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("spellconfig.ini"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 0;
    }
    TIniFile ini(name);
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
    return 0;
}
