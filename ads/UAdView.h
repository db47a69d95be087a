#pragma once
// What an advertising controller drives. The windows implement these, so the
// controller needs no widgets and tests can record what it does.

#include <QString>
#include <QUrl>

#include <functional>

// A browser pane: shows web pages.
class TAdBrowserView
{
public:
    virtual ~TAdBrowserView() = default;
    // Starts loading the page and returns at once. Only web addresses reach it.
    virtual void Navigate(const QUrl &url) = 0;
};

// A one-line label that shows ad titles and acts as a link.
class TAdLabelView
{
public:
    virtual ~TAdLabelView() = default;
    // Shows the title as plain text; from the first title on, the label looks
    // like a link under the mouse and a click calls the click handler.
    virtual void ShowTitle(const QString &title) = 0;
    // The controller installs its handler here and removes it (an empty
    // function) before it goes, so a label that outlives it stays safe.
    virtual void SetClickHandler(std::function<void()> handler) = 0;
    // Opens the address in the user's web browser. Only web addresses reach it.
    virtual void OpenUrl(const QUrl &url) = 0;
};
