// The Qt WebEngine view, built as a module of its own that the program loads
// only when the first ad page must show (see TWebEnginePane). Linking
// WebEngine into the program would cost every start about 190 ms, with or
// without ads, because its start-up hook runs with the application object.

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

bool IsWebScheme(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

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
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override { return IsWebScheme(url); }
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
};

} // namespace

// A view without scroll bars; navigate through its "url" property, and
// watch its loadFinished(bool) signal.
extern "C" Q_DECL_EXPORT QWidget *GuluSpellCreateWebView(QWidget *parent)
{
    auto *view = new QWebEngineView(parent);
    auto *page = new TQuietWebPage(view);
    page->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    view->setPage(page);
    return view;
}
