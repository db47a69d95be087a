#include "USkin.h"

#include "UCommonFun.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMetaEnum>
#include <QRegularExpression>

// The sheets live in a static library: register them before the first
// look-up. Qt's macro cannot stand inside a namespace.
static void InitSkinResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(skins);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

const QString kSkinFolder = QStringLiteral(":/asz");

QString ResourceName(const QString &name)
{
    InitSkinResources();
    if (name.isEmpty())
        return QString();
    const QStringList entries = QDir(kSkinFolder).entryList(QDir::Files);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return QString();
}

// The look the application had before any skin, so the default look can
// come back after one.
const QPalette &DefaultPalette()
{
    static const QPalette palette = QApplication::palette();
    return palette;
}

QString DataFolder()
{
    return GetAppPath() + QStringLiteral("data/");
}

} // namespace

QByteArray EmbeddedSkin(const QString &name)
{
    const QString entry = ResourceName(name);
    if (entry.isEmpty())
        return QByteArray();
    QFile file(kSkinFolder + QLatin1Char('/') + entry);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QPalette SkinPalette(const QByteArray &sheet, const QPalette &base)
{
    static const QRegularExpression declaration(
        QStringLiteral("@palette\\s+(\\w+)\\s+(#[0-9A-Fa-f]{6})\\b"));
    const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
    QPalette palette = base;
    auto matches = declaration.globalMatch(QString::fromUtf8(sheet));
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        bool known = false;
        const int role = roles.keyToValue(match.captured(1).toLatin1().constData(), &known);
        if (!known || role == QPalette::NoRole || role >= QPalette::NColorRoles)
            continue;
        const QColor colour = QColor::fromString(match.captured(2));
        // Active and inactive alike; disabled text keeps the base's grey.
        palette.setColor(QPalette::Active, QPalette::ColorRole(role), colour);
        palette.setColor(QPalette::Inactive, QPalette::ColorRole(role), colour);
        if (role != QPalette::WindowText && role != QPalette::Text && role != QPalette::ButtonText)
            palette.setColor(QPalette::Disabled, QPalette::ColorRole(role), colour);
    }
    return palette;
}

bool WriteSkinFile(const QString &name)
{
    const QByteArray sheet = EmbeddedSkin(name);
    if (sheet.isEmpty())
        return false;
    QDir().mkpath(DataFolder());
    return WriteFileAtomically(DataFolder() + name + QStringLiteral(".asz"), sheet);
}

bool ApplySkinLook(const QString &name)
{
    const QPalette &defaultPalette = DefaultPalette();
    const QByteArray sheet = EmbeddedSkin(name);
    // Palette first, then the sheet: setting the sheet repolishes every
    // widget once, with the new palette already in place.
    QApplication::setPalette(sheet.isEmpty() ? defaultPalette : SkinPalette(sheet, defaultPalette));
    qApp->setStyleSheet(QString::fromUtf8(sheet));
    return !sheet.isEmpty();
}

bool ApplySkin(const QString &name)
{
    const bool written = WriteSkinFile(name);
    ApplySkinLook(name);
    return written;
}

QStringList TempSkinFiles()
{
    InitSkinResources();
    const QStringList skins = QDir(kSkinFolder).entryList(QDir::Files);
    QStringList files;
    const QDir data(DataFolder());
    const QStringList present = data.entryList({QStringLiteral("*.asz"), QStringLiteral("*.ASZ")}, QDir::Files);
    for (const QString &file : present) {
        const QString base = file.left(file.size() - 4);
        for (const QString &skin : skins)
            if (base.compare(skin, Qt::CaseInsensitive) == 0)
                files.append(data.filePath(file));
    }
    return files;
}
