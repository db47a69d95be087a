#pragma once
// The browser pane over Qt WebEngine. The engine (a Chromium with its own
// processes, some 200 MB per page) starts with the first page that loads,
// never before.

#include "UWebBrowserPane.h"

class QWebEngineView;

class TWebEnginePane : public TWebBrowserPane
{
    Q_OBJECT
public:
    explicit TWebEnginePane(QWidget *parent = nullptr);
    void Navigate(const QUrl &url) override;
    bool HasEngine() const { return m_view != nullptr; }

private:
    QWebEngineView *m_view = nullptr;
};
