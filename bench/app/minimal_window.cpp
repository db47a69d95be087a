// Baseline for the start-up benchmark: an empty Widgets window that quits as
// soon as it has been shown, exactly as guluspell does under
// GULUSPELL_STARTUP_TIMING=exit. With --stay it stays open (the memory
// benchmark's baseline, as guluspell under GULUSPELL_STARTUP_TIMING=1).
#include <QApplication>
#include <QDateTime>

#include <cstdio>
#include <QTimer>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool stay = app.arguments().contains(QStringLiteral("--stay"));
    QWidget window;
    window.resize(837, 669);
    window.show();
    QTimer::singleShot(0, &app, [stay] {
        std::printf("minimal window shown at %lld ns\n",
                    static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) * 1000000);
        std::fflush(stdout);
        if (!stay)
            QCoreApplication::quit();
    });
    return app.exec();
}
