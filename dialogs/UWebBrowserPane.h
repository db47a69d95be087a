#pragma once
// The browser pane of the advertising windows: a widget that shows web pages.
//
// Two implementations: Qt WebEngine (when the program is built with it), whose
// engine starts only when a page actually loads, so a run without ads pays
// nothing for it; and a light pane over QTextBrowser, used without WebEngine
// and in tests, which fetches the page itself and shows its HTML without
// scripts, images or other resources. Both show no scroll bars and no border,
// raise no message boxes from pages, and open links the player clicks only
// when they are web addresses.

#include "UAdView.h"

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class TAdFetcher;

class TWebBrowserPane : public QWidget, public TAdBrowserView
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    // The last address handed to Navigate.
    QUrl CurrentUrl() const { return m_currentUrl; }

signals:
    // A page has loaded and is on screen.
    void PageShown();

protected:
    void rememberUrl(const QUrl &url) { m_currentUrl = url; }

private:
    QUrl m_currentUrl;
};

class TTextBrowserPane : public TWebBrowserPane
{
    Q_OBJECT
public:
    explicit TTextBrowserPane(QWidget *parent = nullptr);
    void Navigate(const QUrl &url) override;
    // The page text shown, for tests.
    QString PlainText() const;

private:
    void pageFetched(bool success, const QByteArray &body);

    QTextBrowser *m_view;
    TAdFetcher *m_fetcher = nullptr; // created on the first navigation
};

// The light pane made only when a page first loads, as a hidden child of
// parent at geometry: the main window's own pane loads at most the counting
// page, and a run without ads should not pay for building it.
class TLazyBrowserPane : public TAdBrowserView
{
public:
    TLazyBrowserPane(QWidget *parent, const QRect &geometry) : m_parent(parent), m_geometry(geometry) {}
    void Navigate(const QUrl &url) override;
    // Null until the first page.
    TWebBrowserPane *Pane() const { return m_pane; }

private:
    QWidget *m_parent;
    QRect m_geometry;
    TWebBrowserPane *m_pane = nullptr; // child of m_parent
};

// Call before the application object exists: WebEngine needs shared OpenGL
// contexts. Without this call the panes never start WebEngine and show pages
// in the light pane.
void PrepareWebBrowserPanes();

// The best pane this build offers: WebEngine when built in, unless the
// environment variable GULUSPELL_TEXT_BROWSER is set; else the light pane.
TWebBrowserPane *CreateWebBrowserPane(QWidget *parent);
