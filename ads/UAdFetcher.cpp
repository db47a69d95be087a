#include "UAdFetcher.h"

#include "UAdConfig.h"
#include "UCommonFun.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <utility>

TAdFetcher::TAdFetcher(QObject *parent) : QObject(parent)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        // A server that accepts and never answers would otherwise hold the
        // reply open for ever.
        if (m_reply)
            m_reply->abort();
    });
}

TAdFetcher::~TAdFetcher()
{
    dropReply();
}

void TAdFetcher::dropReply()
{
    // No Finished from a reply that is given up or torn down with us.
    m_deadline.stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_reply.data();
    }
}

void TAdFetcher::Cancel()
{
    ++m_generation;
    dropReply();
    m_body.clear();
}

void TAdFetcher::Fetch(const QUrl &url, const QString &fileName)
{
    Cancel();
    m_tooLarge = false;
    m_fileName = fileName;
    if (!IsWebAddress(url)) {
        QMetaObject::invokeMethod(
            this,
            [this, generation = m_generation] {
                if (generation == m_generation)
                    finish(false);
            },
            Qt::QueuedConnection);
        return;
    }
    if (!m_manager)
        m_manager = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    if (m_sameOrigin)
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::SameOriginRedirectPolicy);
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &TAdFetcher::readSome);
    connect(m_reply, &QNetworkReply::finished, this, &TAdFetcher::replyFinished);
    m_deadline.start(m_timeoutMs);
}

void TAdFetcher::readSome()
{
    if (!m_reply || m_tooLarge || !m_reply->isOpen())
        return;
    const qint64 declared = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (declared > kMaxAdConfigBytes || m_body.size() + m_reply->bytesAvailable() > kMaxAdConfigBytes) {
        m_tooLarge = true;
        m_reply->abort();
        return;
    }
    m_body += m_reply->readAll();
}

void TAdFetcher::replyFinished()
{
    m_deadline.stop();
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    readSome();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && !m_tooLarge && status >= 200 && status < 300;
    m_reply = nullptr;
    reply->deleteLater();
    // The network's threads and caches are not needed until the next fetch.
    m_manager->deleteLater();
    m_manager = nullptr;
    finish(ok && (m_fileName.isEmpty() || WriteFileAtomically(m_fileName, m_body)));
}

void TAdFetcher::finish(bool success)
{
    const QByteArray body = success ? std::exchange(m_body, {}) : QByteArray();
    m_body.clear();
    emit Finished(success, body);
}
