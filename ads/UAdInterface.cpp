#include "UAdInterface.h"

#include "UAdFetcher.h"
#include "UAdPlayThread.h"
#include "UAdView.h"
#include "UCommonFun.h"

#include <QFile>
#include <QNetworkInformation>

#include <climits>

TAdInterface::TAdInterface(QObject *parent)
    : QObject(parent), m_fetcher(new TAdFetcher(this)), m_playThread(new TAdPlayThread([this] { PlayNextAd(); }, this))
{
    m_startTimer.setSingleShot(true);
    connect(&m_startTimer, &QTimer::timeout, this, &TAdInterface::StartTimerTimer);
    m_fetchDelay.setSingleShot(true);
    m_fetchDelay.setInterval(1000);
    connect(&m_fetchDelay, &QTimer::timeout, this, &TAdInterface::startFetch);
    connect(m_fetcher, &TAdFetcher::Finished, this, &TAdInterface::configFetched);
}

TAdInterface::~TAdInterface()
{
    // The rotation and a running fetch are children and end with us, the
    // timers are members; only the label, which may outlive us, could still
    // call back.
    m_startTimer.stop();
    m_playThread->PausePlay();
    if (m_adLabel)
        m_adLabel->SetClickHandler({});
}

void TAdInterface::SetFetchTimeout(int milliseconds)
{
    m_fetcher->SetTimeout(milliseconds);
}

void TAdInterface::SetSecondLength(int milliseconds)
{
    m_secondMs = qMax(1, milliseconds);
    m_playThread->SetSecondLength(m_secondMs);
}

void TAdInterface::InitAd(const QString &baseUrl, const QString &xmlName, bool isBrowser, TAdLabelView *adLabel,
                          TAdBrowserView *browser)
{
    m_baseUrl = baseUrl;
    m_xmlName = xmlName;
    m_isBrowser = isBrowser;
    m_adLabel = adLabel;
    m_browser = browser;
    LoadAdConfig();
}

QString TAdInterface::localFile() const
{
    return GetAppPath() + m_xmlName;
}

void TAdInterface::LoadAdConfig()
{
    m_config = TAdConfig();
    // An old copy must never stand in for a list that cannot be fetched now.
    QFile::remove(localFile());
    m_fetchDelay.start();
}

void TAdInterface::startFetch()
{
    if (!IsOnline())
        configFetched(false);
    else
        m_fetcher->Fetch(QUrl(m_baseUrl + m_xmlName), localFile());
}

void TAdInterface::ParseAdConfig()
{
    QFile file(localFile());
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_config = ReadAdConfig(file.read(kMaxAdConfigBytes + 1), m_isBrowser);
}

void TAdInterface::configFetched(bool success)
{
    if (success)
        ParseAdConfig();
    m_adCount = int(m_config.Urls.size());
    m_configRead = true;
    if (!m_config.CountHttp.isEmpty())
        NavigateUrl(m_config.CountHttp, m_browser);
    const qint64 delayMs = qint64(m_config.StartPlayInterval) * m_secondMs;
    m_playThread->SetInterval(m_config.AdInterval);
    // A start delay of 0 (or less) never fires, so such a list never rotates.
    const bool armed = !m_stopped && !m_config.Urls.isEmpty() && delayMs > 0 && (!m_isBrowser || IsOnline());
    if (armed)
        m_startTimer.start(int(qMin<qint64>(delayMs, INT_MAX)));
    if (!m_isBrowser && m_adLabel)
        m_adLabel->SetClickHandler([this] { LabelClick(); });
    emit ConfigRead();
}

void TAdInterface::StopAd()
{
    m_stopped = true;
    m_startTimer.stop();
    m_playThread->PausePlay();
}

void TAdInterface::StartTimerTimer()
{
    m_playThread->ResumePlay();
    m_startTimer.stop();
}

void TAdInterface::PlayNextAd()
{
    const QStringList &urls = m_config.Urls;
    if (urls.isEmpty() || (m_config.MaxPalyNum > 0 && m_playRounds > m_config.MaxPalyNum)) {
        m_playThread->PausePlay();
        return;
    }
    if (m_adIndex >= urls.size())
        m_adIndex = 0;
    if (m_isBrowser)
        NavigateUrl(urls[m_adIndex], m_browser);
    else if (m_adLabel)
        m_adLabel->ShowTitle(m_config.Titles[m_adIndex]);
    if (m_adIndex == 0 && m_config.MaxPalyNum > 0)
        ++m_playRounds;
    ++m_adIndex;
}

void TAdInterface::LabelClick()
{
    const int shown = m_adIndex - 1;
    if (!m_adLabel || shown < 0 || shown >= m_config.Urls.size())
        return;
    const QUrl url(m_config.Urls[shown]);
    if (IsWebAddress(url))
        m_adLabel->OpenUrl(url);
}

QString AdBaseUrl()
{
    QString base = ReadSystemValue(QStringLiteral("AdBaseUrl")).trimmed();
    if (base.isEmpty())
        return kDefaultAdBaseUrl;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}

bool IsOnline()
{
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend())
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    const QNetworkInformation *info = QNetworkInformation::instance();
    return !info || info->reachability() != QNetworkInformation::Reachability::Disconnected;
}

void NavigateUrl(const QString &url, TAdBrowserView *browser)
{
    const QUrl address(url.trimmed());
    if (browser && IsWebAddress(address))
        browser->Navigate(address);
}
