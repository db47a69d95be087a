#include "UAppSetup.h"

#include "UAppIcon.h"
#include "UChineseUi.h"
#include "UFontMap.h"
#include "USettings.h"
#include "USkin.h"

#include <QApplication>
#include <QTimer>

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("guluspell"));
}

void SetUpApplication(QApplication &app, const TSettings &settings)
{
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.guluspell"));
    QApplication::setWindowIcon(AppIcon());
    InstallChineseTranslation(app);
    InstallFontSubstitutions();
    // Before any window exists, so each widget is polished once in the
    // chosen look rather than restyled after it was built. The skin's file
    // is read by nothing while the program runs: its synced disk write waits
    // until the first window has long been painted, like the ads fetch.
    const QString skin = settings.GetDefaultUI();
    ApplySkinLook(skin);
    QTimer::singleShot(1000, &app, [skin] { WriteSkinFile(skin); });
}
