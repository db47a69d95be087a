#include "UAppSetup.h"

#include "UAppIcon.h"
#include "UChineseUi.h"
#include "UDataInterface.h"
#include "UErrorMessages.h"
#include "UFontMap.h"
#include "UMessageBox.h"
#include "USettings.h"
#include "USkin.h"
#include "UUserDataFolder.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
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

namespace {

// The library's path relative to the settings' folder when the settings'
// folder is a copy of installFolder and the install holds a library of that
// name; empty otherwise.
QString InstalledLibrary(const TSettings &settings, const QString &installFolder)
{
    const QString install = QDir(installFolder).absolutePath() + QLatin1Char('/');
    const QString library = settings.DatabaseFileName();
    const QString relative = QStringLiteral("data/") + QFileInfo(library).fileName();
    if (install == QDir(settings.ProgramDir()).absolutePath() + QLatin1Char('/')
        || library != settings.ProgramDir() + relative || !QFileInfo(install + relative).isFile())
        return {};
    return relative;
}

} // namespace

bool RecoverWordLibrary(TDataInterface &data, const TSettings &settings, TConnectResult failure,
                        const QString &installFolder)
{
    const QString library = settings.DatabaseFileName();
    const QString relative = failure == TConnectResult::Damaged ? InstalledLibrary(settings, installFolder) : QString();
    if (relative.isEmpty()) {
        ShowExclamation(nullptr, LibraryNotOpenedText(failure, library, data.LastOpenError()));
        return false;
    }
    if (!AskYesNo(nullptr, AskRestoreLibraryText(library, data.LastOpenError())))
        return false;
    const QString kept = RestoreInstalledFile(installFolder, settings.ProgramDir(), relative, QDateTime::currentDateTime());
    if (kept.isEmpty()) {
        ShowExclamation(nullptr, LibraryNotRestoredText(library));
        return false;
    }
    const TConnectResult reopened = data.Connect(settings);
    if (reopened != TConnectResult::Connected) {
        ShowExclamation(nullptr, LibraryNotOpenedText(reopened, library, data.LastOpenError()));
        return false;
    }
    ShowInfo(nullptr, LibraryRestoredText(kept));
    return true;
}
