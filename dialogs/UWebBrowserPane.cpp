#include "UWebBrowserPane.h"

#include "UAdFetcher.h"
#include "UShellOpen.h"
#ifdef GULUSPELL_WITH_WEBENGINE
#include "UWebEnginePane.h"
#endif

#include <QCoreApplication>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// Pages come from the network: they may not pull in local files or anything
// else, and their links go to the user's own browser.
class TQuietTextBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int, const QUrl &) override { return {}; }
};

} // namespace

TTextBrowserPane::TTextBrowserPane(QWidget *parent) : TWebBrowserPane(parent), m_view(new TQuietTextBrowser(this))
{
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setOpenLinks(false);
    connect(m_view, &QTextBrowser::anchorClicked, this, [](const QUrl &url) { ShellOpen(url); });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

void TTextBrowserPane::Navigate(const QUrl &url)
{
    rememberUrl(url);
    if (!m_fetcher) {
        m_fetcher = new TAdFetcher(this);
        connect(m_fetcher, &TAdFetcher::Finished, this, &TTextBrowserPane::pageFetched);
    }
    m_fetcher->Fetch(url);
}

void TTextBrowserPane::pageFetched(bool success, const QByteArray &body)
{
    if (!success)
        return;
    QStringDecoder decoder = QStringDecoder::decoderForHtml(body);
    m_view->setHtml(decoder.isValid() ? QString(decoder.decode(body)) : QString::fromUtf8(body));
    emit PageShown();
}

QString TTextBrowserPane::PlainText() const
{
    return m_view->toPlainText();
}

void TLazyBrowserPane::Navigate(const QUrl &url)
{
    if (!m_pane) {
        m_pane = new TTextBrowserPane(m_parent);
        m_pane->setObjectName(QStringLiteral("wbAd"));
        m_pane->setGeometry(m_geometry);
        m_pane->hide();
    }
    m_pane->Navigate(url);
}

void PrepareWebBrowserPanes()
{
#ifdef GULUSPELL_WITH_WEBENGINE
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
}

TWebBrowserPane *CreateWebBrowserPane(QWidget *parent)
{
#ifdef GULUSPELL_WITH_WEBENGINE
    if (!qEnvironmentVariableIsSet("GULUSPELL_TEXT_BROWSER"))
        return new TWebEnginePane(parent);
#endif
    return new TTextBrowserPane(parent);
}
