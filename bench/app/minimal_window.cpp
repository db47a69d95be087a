// Baseline for the start-up benchmark: an empty Widgets window that quits as
// soon as it has been shown, exactly as guluspell does under
// GULUSPELL_STARTUP_TIMING=exit.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(837, 669);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
