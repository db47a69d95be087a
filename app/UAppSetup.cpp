#include "UAppSetup.h"

#include "UAppIcon.h"
#include "UChineseUi.h"
#include "UFontMap.h"
#include "USettings.h"
#include "USkin.h"

#include <QApplication>

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
    // chosen look rather than restyled after it was built.
    ApplySkin(settings.GetDefaultUI());
}
