#include "UFrmAd.h"

#include "UAdInterface.h"
#include "UWebEnginePane.h"

#include <QCloseEvent>
#include <QFrame>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const QSize kDesignSize(688, 446);
}

TFrmAd::TFrmAd(const QString &baseUrl, TWebBrowserPane *pane, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      panAd(new QFrame(this)), wbAd(pane ? pane : CreateWebBrowserPane(nullptr)),
      m_adInterface(std::make_unique<TAdInterface>())
{
    setObjectName(QStringLiteral("FrmAd"));
    setWindowTitle(QString());
    // Popping up must not take the keyboard from the game.
    setAttribute(Qt::WA_ShowWithoutActivating);
    panAd->setObjectName(QStringLiteral("panAd"));
    panAd->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panAd->setLineWidth(2);
    wbAd->setObjectName(QStringLiteral("wbAd"));
    wbAd->setParent(panAd);
    auto *inner = new QVBoxLayout(panAd);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(wbAd);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panAd);
    resize(kDesignSize);

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
    // A width or height from the file that cannot be a window keeps the
    // design size; nothing grows beyond the screen.
    const QSize limit = screen() ? screen()->availableGeometry().size() : kDesignSize;
    const int bevels = 2 * panAd->frameWidth();
    const int width = m_adInterface->FormWidth();
    const int height = m_adInterface->FormHeight();
    QSize size(width > 0 ? width : kDesignSize.width(),
               height > 0 ? qMin(height, limit.height()) + bevels : kDesignSize.height());
    resize(size.boundedTo(limit));
    placeAtLowerRight();
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
    placeAtLowerRight();
}

void TFrmAd::closeEvent(QCloseEvent *event)
{
    m_adInterface->StopAd();
    event->accept();
}
