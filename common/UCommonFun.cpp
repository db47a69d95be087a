#include "UCommonFun.h"

#include "UIniFile.h"
#include "UUserDataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace {
QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
} // namespace

void CopyGamePara(const TGamePara &source, TGamePara &dest)
{
    const int level = dest.Level;
    dest = source;
    dest.Level = level;
}

namespace {

QString HomeOverride()
{
    const QByteArray home = qgetenv("GULUSPELL_HOME");
    if (home.isEmpty())
        return {};
    return withSlash(QDir::cleanPath(QDir(QString::fromLocal8Bit(home)).absolutePath()));
}

} // namespace

QString GetInstallPath()
{
    const QString home = HomeOverride();
    if (!home.isEmpty())
        return home;
    if (QCoreApplication::instance())
        return withSlash(QCoreApplication::applicationDirPath());
    return withSlash(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2));
}

QString GetAppPath()
{
    const QString home = HomeOverride();
    if (!home.isEmpty())
        return home;
    // Decided once: probing the folder writes a file, and the answer cannot
    // change while the program runs.
    static const QString chosen = ChooseDataFolder(GetInstallPath(), UserDataFolder());
    return chosen;
}

QString SettingsFileOf(const QString &programDir)
{
    return programDir + QStringLiteral("data/spellconfig.ini");
}

QString ReadSystemValue(const QString &key)
{
    return TIniFile(SettingsFileOf(GetAppPath())).ReadString(QStringLiteral("system"), key, QString());
}

int CeilDiv(int divisor, int dividend)
{
    if (divisor == 0)
        return 0;
    // 64-bit arithmetic so that INT_MIN / -1 cannot trap.
    const qint64 q = qint64(dividend) / divisor;
    const qint64 r = qint64(dividend) % divisor;
    return int(r > 0 ? q + 1 : q);
}

int RoundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it; do not rely on that.
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    if (diff > 0.5)
        return int(floorValue) + 1;
    if (diff < 0.5)
        return int(floorValue);
    return std::fmod(floorValue, 2.0) == 0.0 ? int(floorValue) : int(floorValue) + 1;
}

void SplitString(QString text, const QString &separator, QStringList &parts)
{
    if (separator.isEmpty()) {
        if (!text.isEmpty())
            parts.append(text);
        return;
    }
    qsizetype pos;
    while ((pos = text.indexOf(separator)) >= 0) {
        parts.append(text.left(pos));
        text.remove(0, pos + separator.size());
    }
    if (!text.isEmpty())
        parts.append(text);
}
