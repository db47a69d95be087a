#pragma once
// The browser pane over Qt WebEngine. WebEngine lives in a module of its own,
// loaded with the first page that must show, never before: a run without ads
// neither loads it nor starts its engine (some 200 MB per page). When the
// module cannot be loaded the pane falls back to the light text pane.

#include "UWebBrowserPane.h"

class TWebEnginePane : public TWebBrowserPane
{
    Q_OBJECT
public:
    explicit TWebEnginePane(QWidget *parent = nullptr);
    void Navigate(const QUrl &url) override;

private slots:
    void engineLoadFinished(bool ok);

private:
    void createView();

    QWidget *m_engineView = nullptr;
    TTextBrowserPane *m_fallback = nullptr;
};

// Where the module is looked for: GULUSPELL_WEBENGINE_MODULE, then beside the
// executable, then where the build put it.
QStringList WebEngineModuleCandidates();

// The best pane this build offers: WebEngine when built in, unless the
// environment variable GULUSPELL_TEXT_BROWSER is set; else the light pane.
TWebBrowserPane *CreateWebBrowserPane(QWidget *parent);
