#include "UFrmAd.h"

#include "UAdInterface.h"
#include "UWebEnginePane.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <qdrawutil.h>

namespace {

const QSize kDesignSize(688, 446);
// A window system shows the program's name for an empty caption; a blank
// one keeps the caption empty to the eye.
const QString kBlankCaption = QStringLiteral(" ");

// The panel around the pane: a lowered outer bevel and a raised inner one,
// one pixel each, so the page sits on a raised board set into the window.
class TBevelPanel : public QWidget
{
public:
    static constexpr int kBevels = 2;
    explicit TBevelPanel(QWidget *parent) : QWidget(parent)
    {
        setContentsMargins(kBevels, kBevels, kBevels, kBevels);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), true, 1);
        qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

} // namespace

TFrmAd::TFrmAd(const QString &baseUrl, TWebBrowserPane *pane, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      panAd(new TBevelPanel(this)), wbAd(pane ? pane : CreateWebBrowserPane(nullptr)),
      m_adInterface(std::make_unique<TAdInterface>())
{
    setObjectName(QStringLiteral("FrmAd"));
    setWindowTitle(kBlankCaption);
    // Popping up must not take the keyboard from the game.
    setAttribute(Qt::WA_ShowWithoutActivating);
    panAd->setObjectName(QStringLiteral("panAd"));
    wbAd->setObjectName(QStringLiteral("wbAd"));
    wbAd->setParent(panAd);
    auto *inner = new QVBoxLayout(panAd);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(wbAd);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panAd);
    resize(kDesignSize);
    m_wantedSize = kDesignSize;

    connect(m_adInterface.get(), &TAdInterface::ConfigRead, this, &TFrmAd::sizeFromConfig);
    m_adInterface->InitAd(baseUrl, QStringLiteral("guluspell1.xml"), true, nullptr, wbAd);
}

// The controller goes first: it holds the pane, which the window owns.
TFrmAd::~TFrmAd()
{
    m_adInterface.reset();
}

void TFrmAd::sizeFromConfig()
{
    // The pane gets the file's width and height, the window adds the panel's
    // bevels. A size that is no window (0 or less), or more than the screen's
    // available area can hold, keeps the design size: an ad over the whole
    // screen would hide the game.
    const QSize room = availableClientSize();
    const int bevels = 2 * TBevelPanel::kBevels;
    const int width = m_adInterface->FormWidth();
    const int height = m_adInterface->FormHeight();
    const bool usable = width > 0 && height > 0 && width <= room.width() && height <= room.height() - bevels;
    m_wantedSize = usable ? QSize(width, height + bevels) : kDesignSize;
    resize(m_wantedSize.boundedTo(room));
    placeAtLowerRight();
}

// The client size whose window, frame included, fits the available area.
QSize TFrmAd::availableClientSize() const
{
    if (!screen())
        return kDesignSize;
    const QSize frame = frameGeometry().size() - size();
    return (screen()->availableGeometry().size() - frame).expandedTo(QSize(1, 1));
}

void TFrmAd::placeAtLowerRight()
{
    if (!screen())
        return;
    const QRect area = screen()->availableGeometry();
    const QSize frame = frameGeometry().size();
    move(area.x() + area.width() - frame.width(), area.y() + area.height() - frame.height());
}

void TFrmAd::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The frame is known once the window is shown: the whole window must fit.
    resize(m_wantedSize.boundedTo(availableClientSize()));
    placeAtLowerRight();
}

void TFrmAd::closeEvent(QCloseEvent *event)
{
    m_adInterface->StopAd();
    event->accept();
}
