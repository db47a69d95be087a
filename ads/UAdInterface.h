#pragma once
// The advertising controller: fetches one configuration file, then rotates its
// ads in a browser pane (browser mode, the pop-up window) or as titles in a
// label (label mode, the status bar).
//
// Set-up never waits for the network. InitAd deletes the old local copy and
// returns; the fetch starts a second later, once the windows are on screen
// (setting up the network costs some 60 ms), and ConfigRead follows when the
// file has been fetched and read, or the fetch failed or ran out of time
// (10 s). Until then the lists are empty and nothing rotates.
// After ConfigRead: the counting page has been handed to the pane, and the
// start delay is armed when there are ads (in browser mode only when online).
// The first ad shows StartPlayInterval seconds later (never for 0), then one
// every AdInterval seconds (at least one); MaxPalyNum N > 0 stops after N
// rounds plus the first ad once more, leaving it on screen. A stopped
// rotation never resumes.
// The views are not owned; they must outlive the controller.

#include "UAdConfig.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class TAdBrowserView;
class TAdFetcher;
class TAdLabelView;
class TAdPlayThread;

class TAdInterface : public QObject
{
    Q_OBJECT
public:
    explicit TAdInterface(QObject *parent = nullptr);
    ~TAdInterface() override;

    // browser: the pane of browser mode, and in both modes the pane of the
    // counting page; either view may be null.
    void InitAd(const QString &baseUrl, const QString &xmlName, bool isBrowser, TAdLabelView *adLabel,
                TAdBrowserView *browser);
    // Stops the start delay and the rotation for the rest of the run.
    void StopAd();

    // The ad whose title is shown opens in the user's web browser.
    void LabelClick();

    bool IsConfigRead() const { return m_configRead; }
    bool IsBrowser() const { return m_isBrowser; }
    const QStringList &Urls() const { return m_config.Urls; }
    const QStringList &Titles() const { return m_config.Titles; }
    int AdCount() const { return m_adCount; }
    int FormWidth() const { return m_config.FormWidth; }
    int FormHeight() const { return m_config.FormHeight; }

    // Seams for tests: the wait before the fetch, its time limit, and the
    // length of the file's "second" in milliseconds (default 1000).
    void SetFetchDelay(int milliseconds) { m_fetchDelay.setInterval(milliseconds); }
    void SetFetchTimeout(int milliseconds);
    void SetSecondLength(int milliseconds);

signals:
    void ConfigRead();

private:
    void LoadAdConfig();
    void startFetch();
    void ParseAdConfig();
    void configFetched(bool success);
    void StartTimerTimer();
    void PlayNextAd();
    QString localFile() const;

    QString m_baseUrl;
    QString m_xmlName;
    bool m_isBrowser = false;
    TAdConfig m_config;
    TAdLabelView *m_adLabel = nullptr;
    TAdBrowserView *m_browser = nullptr;
    TAdFetcher *m_fetcher;
    TAdPlayThread *m_playThread;
    QTimer m_startTimer;
    QTimer m_fetchDelay;
    int m_secondMs = 1000;
    int m_playRounds = 0;
    int m_adIndex = 0;
    int m_adCount = 0;
    bool m_configRead = false;
    bool m_stopped = false;
};

// The base location of both configuration files: the settings key
// "AdBaseUrl" of section "system", ending in '/', or a default on a host
// that does not exist, so that a distributor must point it at a real server.
QString AdBaseUrl();
inline const QString kDefaultAdBaseUrl = QStringLiteral("https://ads.guluspell.example/game/guluspell/");

// False only when the platform knows that the machine is offline; when it
// cannot tell, the machine counts as online.
bool IsOnline();

// Hands a web address to the pane; anything else, or no pane, does nothing.
void NavigateUrl(const QString &url, TAdBrowserView *browser);
