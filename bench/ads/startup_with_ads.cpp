// Start-up with the advertising of a run on the default settings: a window
// like the main window's start, plus the hidden pop-up window and the
// status-bar controller, both pointed at the default base location. Prints
// the time from process start to the shown window (as the game does), and
// the resident memory two seconds later, when the fetches have failed.
//
//   startup_with_ads [none|ads] [exit]     exit: quit once shown

#include "BenchProc.h"
#include "UAdInterface.h"
#include "UAdLabel.h"
#include "UFrmAd.h"
#include "UWebEnginePane.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

long RssKb()
{
    return long(ProcStatusKb("VmRSS"));
}

} // namespace

int main(int argc, char **argv)
{
    const bool withAds = argc < 2 || QByteArray(argv[1]) != "none";
    const bool quit = argc > 2 && QByteArray(argv[2]) == "exit";
    PrepareWebBrowserPanes();
    QApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("GULUSPELL_HOME", home.path().toLocal8Bit());

    std::unique_ptr<TFrmAd> frmAd;
    if (withAds)
        frmAd = std::make_unique<TFrmAd>(AdBaseUrl());
    QMainWindow window;
    auto *labAd = new QLabel(window.statusBar());
    labAd->setGeometry(59, 4, 742, 13);
    auto *wbAd = CreateWebBrowserPane(&window);
    wbAd->hide();
    TAdLabel label(labAd);
    TAdInterface status;
    if (withAds)
        status.InitAd(AdBaseUrl(), QStringLiteral("guluspell2.xml"), false, &label, wbAd);
    window.resize(837, 669);
    window.show();
    // Timed like the minimal window of the start-up benchmark.
    QTimer::singleShot(0, &app, [&app, quit] {
        std::printf("window shown at %lld ns\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) * 1000000);
        std::fflush(stdout);
        if (quit)
            app.quit();
    });
    QTimer::singleShot(2000, &app, [&] {
        std::printf("%s: %ld kB resident, %d + %d ads\n", withAds ? "ads" : "none", RssKb(),
                    frmAd ? frmAd->AdInterface().AdCount() : 0, status.AdCount());
        app.quit();
    });
    return app.exec();
}
