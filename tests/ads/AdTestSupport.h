#pragma once
// A tiny HTTP server on 127.0.0.1 for the advertising tests, recording views,
// and a builder of configuration files.

#include "UAdView.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QPair>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <functional>

// Serves fixed bodies by path; unknown paths get 404. A silent server accepts
// connections and never answers.
class TLocalHttpServer : public QTcpServer
{
public:
    QHash<QByteArray, QByteArray> Files;
    bool Silent = false;
    QList<QByteArray> Requested;

    explicit TLocalHttpServer(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost))
    {
        listen(address, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            }
        });
    }
    QString BaseUrl() const
    {
        return QStringLiteral("http://%1:%2/game/guluspell/").arg(serverAddress().toString()).arg(serverPort());
    }

private:
    void answer(QTcpSocket *socket)
    {
        QByteArray &request = m_pending[socket];
        request += socket->readAll();
        if (Silent || !request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        Requested.append(path);
        const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
        const bool found = Files.contains(name);
        const QByteArray body = Files.value(name, "not here");
        socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") + QByteArray("Content-Length: ")
                      + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
        m_pending.remove(socket);
    }
    QHash<QTcpSocket *, QByteArray> m_pending;
};

// Runs the event loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()> &condition, int milliseconds = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

// Runs the event loop for a while, for checks that something does not happen.
inline void Spin(int milliseconds)
{
    WaitFor([] { return false; }, milliseconds);
}

class TRecordingBrowser : public TAdBrowserView
{
public:
    QStringList Navigated;
    void Navigate(const QUrl &url) override { Navigated.append(url.toString()); }
};

class TRecordingLabel : public TAdLabelView
{
public:
    QStringList Shown;
    QStringList Opened;
    std::function<void()> Click;
    void ShowTitle(const QString &title) override { Shown.append(title); }
    void SetClickHandler(std::function<void()> handler) override { Click = std::move(handler); }
    void OpenUrl(const QUrl &url) override { Opened.append(url.toString()); }
};

struct TAdEntry
{
    QString Url;
    QString Title; // left out of the file when null
};

// A configuration with the six parameters (width 300, height 200 unless
// given) and the ads; count < 0 writes the number of ads as "Count".
inline QByteArray AdXml(int startPlay, int maxPlay, int interval, const QList<TAdEntry> &ads, int count = -1,
                        const QString &countHttp = QString(), int width = 300, int height = 200)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Root>\n <Parameter>\n";
    auto param = [&xml](const char *name, const QString &value) {
        xml += "  <" + QByteArray(name) + " Value=\"" + value.toHtmlEscaped().toUtf8() + "\"/>\n";
    };
    param("AdWidth", QString::number(width));
    param("AdHeight", QString::number(height));
    param("StartPlayInterval", QString::number(startPlay));
    param("MaxPalyNum", QString::number(maxPlay));
    param("AdInterval", QString::number(interval));
    param("CountHttp", countHttp);
    xml += " </Parameter>\n <HttpList Count=\"" + QByteArray::number(count < 0 ? int(ads.size()) : count) + "\">\n";
    for (const TAdEntry &ad : ads) {
        xml += "  <Ad Value=\"" + ad.Url.toHtmlEscaped().toUtf8() + "\"";
        if (!ad.Title.isNull())
            xml += " Title=\"" + ad.Title.toHtmlEscaped().toUtf8() + "\"";
        xml += "/>\n";
    }
    xml += " </HttpList>\n</Root>\n";
    return xml;
}
