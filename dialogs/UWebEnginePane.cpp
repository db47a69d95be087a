#include "UWebEnginePane.h"

#include "UAdConfig.h"
#include "UShellOpen.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// Pages raise no message boxes, reach only web addresses, and open no windows
// of their own.
class TQuietWebPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptAlert(const QUrl &, const QString &) override {}
    bool javaScriptConfirm(const QUrl &, const QString &) override { return false; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override { return false; }
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override { return IsWebAddress(url); }
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
};

} // namespace

TWebEnginePane::TWebEnginePane(QWidget *parent) : TWebBrowserPane(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void TWebEnginePane::Navigate(const QUrl &url)
{
    rememberUrl(url);
    if (!m_view) {
        m_view = new QWebEngineView(this);
        auto *page = new TQuietWebPage(m_view);
        page->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
        m_view->setPage(page);
        connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (ok)
                emit PageShown();
        });
        layout()->addWidget(m_view);
    }
    m_view->load(url);
}
