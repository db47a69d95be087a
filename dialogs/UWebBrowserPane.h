#pragma once
// The browser pane of the advertising windows: a widget that shows web pages.
//
// Two implementations: the light pane here, over QTextBrowser, used without
// WebEngine and in tests; and Qt WebEngine's (UWebEnginePane, which also picks
// the best pane a build offers). The light pane fetches the page itself and
// shows its HTML without scripts; it never reads a local file or anything but
// http(s) for a page: images come only from the page's host, fetched in the
// background under the same size and time limits as the page, and appear as
// they arrive. Both panes show no scroll bars and no border, raise no message
// boxes from pages, and open links the player clicks only when they are web
// addresses.

#include "UAdView.h"

#include <QList>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class TAdFetcher;
class TAdPageDocument;

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

signals:
    // An image of the page shown has arrived and is on screen.
    void ImageShown();

private:
    void pageFetched(bool success, const QByteArray &body);
    void fetchNextImage();
    void imageFetched(bool success, const QByteArray &body);

    QTextBrowser *m_view;
    TAdPageDocument *m_document;
    TAdFetcher *m_fetcher = nullptr;      // created on the first navigation
    TAdFetcher *m_imageFetcher = nullptr; // created with the first image
    QList<QUrl> m_pendingImages;          // the first is being fetched
    qint64 m_pixelsLeft = 0;              // for the rest of the page's images
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
