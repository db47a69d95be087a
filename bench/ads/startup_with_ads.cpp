// Start-up with the advertising of a run on the default settings: a window
// like the main window's start, plus the hidden pop-up window and the
// status-bar controller, both pointed at the default base location. Prints
// the time from process start to the shown window (as the game does), and
// the resident memory two seconds later, when the fetches have failed.
//
//   startup_with_ads [none|ads]

#include "UAdInterface.h"
#include "UAdLabel.h"
#include "UFrmAd.h"
#include "UWebBrowserPane.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

long RssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

class TShownProbe : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !m_done) {
            m_done = true;
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::printf("window shown at %lld ns\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        }
        return false;
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char **argv)
{
    const bool withAds = argc < 2 || QByteArray(argv[1]) != "none";
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
    TShownProbe probe;
    window.installEventFilter(&probe);
    window.resize(800, 600);
    window.show();
    QTimer::singleShot(2000, &app, [&] {
        std::printf("%s: %ld kB resident, %d + %d ads\n", withAds ? "ads" : "none", RssKb(),
                    frmAd ? frmAd->AdInterface().AdCount() : 0, status.AdCount());
        app.quit();
    });
    return app.exec();
}
