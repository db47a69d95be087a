// The real program's windows against a local ad server, in an X window: prints
// where the status-bar ad's title is once it shows, waits for the click the
// test script makes there, then for the pop-up, which must come about 10 s
// after start at the lower right of the screen. Exits 0 when all happened.

#include "AdTestSupport.h"
#include "UAdInterface.h"
#include "UAppSetup.h"
#include "UCommonFun.h"
#include "UDataInterface.h"
#include "UFrmAd.h"
#include "UFrmSpell.h"
#include "UPlatformAudio.h"
#include "USettings.h"
#include "UShellOpen.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("GULUSPELL_HOME", home.path().toLocal8Bit());
    TLocalHttpServer server;
    const QList<TAdEntry> ads{{"http://ads.example/a", "第一条广告"}, {"http://ads.example/b", "第二条广告"}};
    server.Files["guluspell1.xml"] = AdXml(1, 1, 30, ads);
    server.Files["guluspell2.xml"] = AdXml(1, 1, 30, ads);
    QDir(home.path()).mkpath(QStringLiteral("data"));
    WriteFileAtomically(home.filePath(QStringLiteral("data/spellconfig.ini")),
                        "[system]\r\nStoreTableName=lib1\r\nWordCount=1\r\nBookName=probe\r\ndata=probe\r\nGrade=skip\r\nAdBaseUrl="
                            + server.BaseUrl().toUtf8() + "\r\n");
    TDataInterface data;
    if (!data.CreateDatabase(home.filePath(QStringLiteral("data/probe.mdb")), TDataInterface::DatabasePassword())
        || !data.CreateWordTable(QStringLiteral("lib1"))
        || !data.InsertWord(QStringLiteral("lib1"), QStringLiteral("apple"), QString(), QStringLiteral("苹果")))
        return 2;
    QStringList opened;
    SetShellOpener([&opened](const QUrl &url) { return opened << url.toString(), true; });

    const TSettings settings = TSettings::Program();
    SetUpApplication(app, settings);
    // The pop-up's delay runs from the main window's start, so the clock must
    // too: building the window may take a second on a slow (sanitized) build.
    QElapsedTimer clock;
    clock.start();
    TFrmAd adWindow(AdBaseUrl());
    TFrmSpell::TPlatform platform;
    platform.CreateAudioOutput = CreatePlatformAudioOutput;
    platform.CreateSpeechLayer = CreatePlatformSpeechLayer;
    TFrmSpell window(data, settings, platform, &adWindow);
    window.move(0, 0);
    window.show();
    auto *label = window.findChild<QLabel *>(QStringLiteral("labAd"));

    bool told = false;
    while (clock.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (!told && !label->text().isEmpty()) {
            const QPoint at = label->mapToGlobal(QPoint(label->fontMetrics().horizontalAdvance(label->text()) / 2,
                                                        label->height() / 2));
            std::printf("LABEL %d %d\n", at.x(), at.y());
            std::fflush(stdout);
            told = true;
        }
        if (!opened.isEmpty() && adWindow.isVisible()) {
            const QRect screen = adWindow.screen()->availableGeometry();
            const QRect frame = adWindow.frameGeometry();
            std::printf("OPENED %s POPUP %d %d %lld\n", qPrintable(opened.join(' ')), screen.right() - frame.right(),
                        screen.bottom() - frame.bottom(), static_cast<long long>(clock.elapsed()));
            const bool atLowerRight = screen.right() - frame.right() < 40 && screen.bottom() - frame.bottom() < 60;
            return opened.first().startsWith(QLatin1String("http://ads.example/")) && atLowerRight
                           && clock.elapsed() >= 9000
                       ? 0
                       : 1;
        }
    }
    std::printf("TIMEOUT label='%s' opened=%lld popup=%d\n", qPrintable(label->text()),
                static_cast<long long>(opened.size()), int(adWindow.isVisible()));
    return 1;
}
