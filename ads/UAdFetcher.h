#pragma once
// Downloads one advertising configuration file in the background.
//
// The window never waits for the network: Fetch returns at once and Finished
// follows, on the same thread, after the body arrived, after an error, or at
// the latest when the time limit ran out. A body larger than kMaxAdConfigBytes
// and any answer other than 2xx count as failures. With a file name, success
// means the body has replaced that file atomically; on failure the file is
// untouched. Without one, the body only travels with Finished.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

class TAdFetcher : public QObject
{
    Q_OBJECT
public:
    explicit TAdFetcher(QObject *parent = nullptr);
    ~TAdFetcher() override;

    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    // Only http and https addresses are fetched; others fail at once (still
    // reported through Finished, never from inside this call). A new fetch
    // drops the one still running, which then reports nothing.
    void Fetch(const QUrl &url, const QString &fileName = QString());
    // Drops the fetch still running; it reports nothing.
    void Cancel();
    // Redirects only to the same scheme, host and port (for a page's images,
    // which may come only from the page's host).
    void SetSameOriginOnly(bool sameOrigin) { m_sameOrigin = sameOrigin; }

signals:
    void Finished(bool success, const QByteArray &body);

private:
    void readSome();
    void replyFinished();
    void finish(bool success);
    void dropReply();

    QNetworkAccessManager *m_manager = nullptr; // created on the first fetch
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    QString m_fileName;
    int m_timeoutMs = 10000;
    bool m_tooLarge = false;
    bool m_sameOrigin = false;
    quint64 m_generation = 0; // tells a queued failure of a dropped fetch from the current one
};
