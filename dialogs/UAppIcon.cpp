#include "UAppIcon.h"

// The pictures live in a static library: register them before the first
// look-up. Qt's macro cannot stand inside a namespace.
static void InitIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    Q_UNUSED(registered);
}

QIcon AppIcon()
{
    InitIconResources();
    QIcon icon;
    // A window's icon is shown at 16 to 64 pixels, 128 on a doubled screen;
    // X takes every size the icon holds at each window's first show, and the
    // 256 one alone is a quarter megabyte decoded. Launchers read the
    // installed hicolor icons instead.
    for (int size : {16, 22, 24, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/guluspell-%1.png").arg(size), QSize(size, size));
    return icon;
}
