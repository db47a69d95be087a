// Memory of showing one ad page: resident memory of the process (and of the
// engine's helper processes) before and after a page has loaded in a pane.
//
//   bench_web_pane text|webengine
//
// Serves a small page from 127.0.0.1 itself. Run offscreen for the text pane;
// the WebEngine pane needs a display (xvfb-run) and, as root,
// QTWEBENGINE_DISABLE_SANDBOX=1 (PrepareWebBrowserPanes sets it).

#include "BenchProc.h"
#include "UWebEnginePane.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// A process that ended meanwhile counts as nothing.
long RssKb(const QString &pid)
{
    return long(std::max<qint64>(0, ProcStatusKb("VmRSS", pid)));
}

// Resident memory of the descendants of pid, summed (shared pages count once
// per process, so this overstates the true total).
long ChildrenRssKb(const QString &pid)
{
    long total = 0;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (entry.toLong() <= 0 || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.value(1) == pid.toLatin1())
            total += RssKb(entry) + ChildrenRssKb(entry);
    }
    return total;
}

} // namespace

int main(int argc, char **argv)
{
    const bool webEngine = argc > 1 && QByteArray(argv[1]) == "webengine";
    if (!webEngine)
        qputenv("GULUSPELL_TEXT_BROWSER", "1");
    PrepareWebBrowserPanes();
    QApplication app(argc, argv);

    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        QTcpSocket *socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            const QByteArray body = "<html><body style='background:#4869b0;color:white'>"
                                    "<h2>咕噜猫字母乐园</h2><p>A small advertising page.</p></body></html>";
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: "
                          + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    });

    TWebBrowserPane *pane = CreateWebBrowserPane(nullptr);
    pane->resize(688, 446);
    pane->show();
    const QString self = QString::number(QCoreApplication::applicationPid());
    QTimer::singleShot(300, [&] {
        std::printf("%-9s before the page: %6ld kB\n", webEngine ? "webengine" : "text", RssKb(self));
        QElapsedTimer clock;
        clock.start();
        QObject::connect(pane, &TWebBrowserPane::PageShown, [&, clock] {
            const qint64 ms = clock.elapsed();
            QTimer::singleShot(1000, [&, ms] {
                std::printf("%-9s page shown in %lld ms: %6ld kB, helper processes %6ld kB\n",
                            webEngine ? "webengine" : "text", static_cast<long long>(ms), RssKb(self),
                            ChildrenRssKb(self));
                app.quit();
            });
        });
        pane->Navigate(QUrl(QStringLiteral("http://127.0.0.1:%1/ad.html").arg(server.serverPort())));
    });
    QTimer::singleShot(20000, &app, [] { std::printf("no page within 20 s\n"); QCoreApplication::exit(1); });
    const int result = app.exec();
    delete pane;
    return result;
}
