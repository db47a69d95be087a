// Baseline for the start-up benchmark: an empty Widgets window that quits as
// soon as it has been shown, exactly as guluspell does under
// GULUSPELL_STARTUP_TIMING=exit.
#include <QApplication>
#include <QDateTime>

#include <cstdio>
#include <QTimer>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(837, 669);
    window.show();
    QTimer::singleShot(0, &app, [] {
        std::printf("minimal window shown at %lld ns\n",
                    static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) * 1000000);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}
