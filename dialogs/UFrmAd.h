#pragma once
// The pop-up advertising window: a small stay-on-top tool window at the lower
// right of the screen's available area, with a browser pane that shows the
// ads of "guluspell1.xml". It is created hidden at start-up and starts its
// controller at once; the main window shows it once, ten seconds after start,
// when the controller has read at least one ad. Closing it hides it and stops
// its rotation for the rest of the run.
// The pane takes the file's width and height when the screen's available
// area can hold them, else the design size; the whole window, frame
// included, stays inside that area. The caption is blank.

#include <QWidget>

#include <memory>

class TAdInterface;
class TWebBrowserPane;

class TFrmAd : public QWidget
{
    Q_OBJECT
public:
    // pane: the browser pane to use (taken over); null for the best one the
    // build offers.
    explicit TFrmAd(const QString &baseUrl, TWebBrowserPane *pane = nullptr, QWidget *parent = nullptr);
    ~TFrmAd() override;

    TAdInterface &AdInterface() { return *m_adInterface; }
    TWebBrowserPane *WbAd() const { return wbAd; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void sizeFromConfig();
    QSize availableClientSize() const;
    void placeAtLowerRight();

    QWidget *panAd;
    TWebBrowserPane *wbAd;
    std::unique_ptr<TAdInterface> m_adInterface;
    QSize m_wantedSize; // from the file, or the design size
};
