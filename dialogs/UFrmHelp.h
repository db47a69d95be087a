#pragma once
// The program's own help: the players' HTML page from the program folder's
// "help/" shown in a window of the program, so it works without a web browser.

#include <QDialog>

#include <functional>

class QTextBrowser;

class TFrmHelp : public QDialog
{
    Q_OBJECT

public:
    // Opens a document in the desktop's own viewer (the shell's "open");
    // false when nothing on the desktop took it.
    using TShellOpen = std::function<bool(const QString &fileName)>;

    // Shows helpFile (an HTML file; its pictures are found beside it). A
    // missing file shows a short notice instead of an empty window.
    explicit TFrmHelp(const QString &helpFile, QWidget *parent = nullptr);

    QTextBrowser *Browser() const { return m_browser; }

    // What "帮助" does: "guluspell.chm" in programFolder (ending in '/') when
    // it is there and open takes it; otherwise (no chm, or no viewer for it)
    // this window with programFolder + "help/index.html", without waiting for
    // it. One help window at a time: a second call raises the open one. Gives
    // the help window, or nullptr when the chm opened.
    static TFrmHelp *ShowHelp(QWidget *parent, const QString &programFolder, const TShellOpen &open);

private:
    QTextBrowser *m_browser;
};
