// The program entry: the sound module loaded and the platform's audio warmed
// up on side threads, the word
// library keyed on a worker thread while the application object and the
// window are made, then the message loop. When the word library cannot be
// opened the player is told why in a message box (a damaged one may be
// restored from the install), and the program ends with a line on stderr.

#include "UAdInterface.h"
#include "UAppSetup.h"
#include "UAudioModule.h"
#include "UCommonFun.h"
#include "UDataInterface.h"
#include "UFrmAd.h"
#include "UFrmSpell.h"
#include "USettings.h"
#include "USpellGameType.h"
#include "UStartupTrace.h"
#include "UWebBrowserPane.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <malloc.h>
#include <future>
#include <memory>

namespace {

// GULUSPELL_STARTUP_TIMING=1 prints when the window was first shown ("exit"
// quits right after), for the start-up benchmark.
void ReportStartupTiming(QWidget &window, const QElapsedTimer &clock)
{
    if (!qEnvironmentVariableIsSet("GULUSPELL_STARTUP_TIMING"))
        return;
    QTimer::singleShot(0, &window, [&clock] {
        // The epoch time lets a benchmark measure from its own start of the
        // process, before any of our code ran.
        std::printf("guluspell: main window shown after %lld ms, at %lld ns\n", static_cast<long long>(clock.elapsed()),
                    static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) * 1000000);
        std::fflush(stdout);
        if (qEnvironmentVariable("GULUSPELL_STARTUP_TIMING") == QLatin1String("exit"))
            QCoreApplication::quit();
    });
}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
    StartupTraceBegin();
    // Every thread that allocates would get an arena of its own (the
    // warm-up threads, the keying worker, the speech worker, Qt's): a
    // megabyte of private memory for allocations that never compete.
    mallopt(M_ARENA_MAX, 1);
    // Without a session bus, D-Bus would start one of its own ("autolaunch")
    // for whichever of SDL and Qt's accessibility asks first: it forks this
    // multi-threaded process and works in the child before exec, and such a
    // child can hang on a lock another thread held at the fork, with the
    // asking thread waiting on it for good. Nothing here needs a bus that is
    // not already running, so an address D-Bus does not know makes both ask
    // and fail at once.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");

    // Qt takes the first thread that touches a Qt object for its main
    // thread: claim it for this one before any side thread starts.
    QThread::currentThread();
    NameApplication();
    // Keying the library takes tens of milliseconds when its derived key is
    // not kept yet (see UKeyCache): it runs beside the making of the
    // application object and the building of the window. The worker's only
    // Qt object is the file that keeps the key, once, after the thread claim above.
    const TSettings settings = TSettings::Program();
    auto data = std::make_unique<TDataInterface>();
    std::future<TConnectResult> opened = std::async(std::launch::async, [&data, &settings] {
        const TConnectResult connected = data->Connect(settings);
        StartupMark("word library keyed (worker)");
        return connected;
    });
    // The ad pages' browser engine needs shared OpenGL contexts, which cost
    // about 100 ms in the application object of every run; only a settings
    // file that names an ad server asks for them. Without, ad pages show in
    // the light pane.
    if (!ReadSystemValue(QStringLiteral("AdBaseUrl")).isEmpty())
        PrepareWebBrowserPanes();
    QApplication app(argc, argv);
    StartupMark("application object made");
    // The sound module (SDL, espeak-ng, flite: some sixty libraries) is
    // loaded on a side thread, then the sound device and the first voice
    // start on threads of its own: ready (or failed) by the time the window
    // needs them. Not before the application object: loading holds the
    // dynamic loader's lock, which the platform plugin's loading there would
    // wait for. Without the module the game is silent.
    const TAudioModule audio(TAudioModule::BesideExecutable(), StartupMark);
    SetUpApplication(app, settings);
    StartupMark("application set up (translation, fonts, skin)");

    TFrmSpell::TPlatform platform;
    platform.CreateAudioOutput = [&audio] { return audio.CreateAudioOutput(); };
    platform.CreateSpeechLayer = [&audio] { return audio.CreateSpeechLayer(); };
    std::unique_ptr<TFrmAd> adWindow; // outlives the main window, which points at it
    TFrmSpell window(*data, settings, platform);
    StartupMark("window built");
    TSpellGameType::PreloadArtwork();
    StartupMark("artwork preloaded");
    const TConnectResult connected = opened.get();
    if (connected != TConnectResult::Connected && !RecoverWordLibrary(*data, settings, connected, GetInstallPath())) {
        std::fprintf(stderr, "guluspell: cannot open the word library %s: %s\n",
                     qPrintable(TDataInterface::GetDatabaseFileName(settings)), qPrintable(data->LastOpenError()));
        return 1;
    }
    StartupMark("word library joined");
    window.show();
    StartupMark("window shown");
    ReportStartupTiming(window, clock);
    // The hidden pop-up is built once the main window is up: it shows 10 s
    // later at the earliest, and building the first window of a kind costs.
    QTimer::singleShot(0, &window, [&adWindow, &window] {
        StartupMark("first turn of the event loop");
        adWindow = std::make_unique<TFrmAd>(AdBaseUrl());
        window.SetAdWindow(adWindow.get());
        StartupMark("ad window built");
    });
    return app.exec();
}
