#include "UFrmSupport.h"

#include "UAdLabel.h"
#include "UFontMap.h"
#include "UShellOpen.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TFrmSupport::TFrmSupport(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmSupport"));
    setWindowTitle(QStringLiteral("支持我们"));
    setFixedSize(441, 169);

    auto *sGroupBox1 = new QGroupBox(this);
    sGroupBox1->setObjectName(QStringLiteral("sGroupBox1"));
    sGroupBox1->setGeometry(8, 8, 425, 105);

    sLabel1 = new QLabel(QStringLiteral("谢谢您使用我们的软件，请点击以下链接里的广告支持我们。"), sGroupBox1);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setFont(FontByPixels(QStringLiteral("宋体"), 12));
    sLabel1->move(16, 32);
    sLabel1->adjustSize();

    labWeb = new QLabel(QStringLiteral("支持链接"), sGroupBox1);
    labWeb->setObjectName(QStringLiteral("labWeb"));
    labWeb->setFont(FontByPixels(QStringLiteral("宋体"), 20, true));
    SetLinkLook(*labWeb, false, true);
    labWeb->move(16, 64);
    labWeb->adjustSize();
    labWeb->setMouseTracking(true);
    labWeb->installEventFilter(this);

    sBitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("确定(&O)"), this);
    sBitBtn1->setObjectName(QStringLiteral("sBitBtn1"));
    sBitBtn1->setGeometry(319, 122, 90, 25);
    sBitBtn1->setDefault(true);
    connect(sBitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFrmSupport::labWebClick()
{
    ShellOpen(QUrl(m_supportUrl.trimmed()));
}

bool TFrmSupport::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != labWeb)
        return QDialog::eventFilter(watched, event);
    switch (LinkEventOf(event)) {
    case TLinkEvent::Hover: SetLinkLook(*labWeb, true, true); break;
    case TLinkEvent::Leave: SetLinkLook(*labWeb, false, true); break;
    case TLinkEvent::Click: labWebClick(); break;
    case TLinkEvent::None: break;
    }
    return QDialog::eventFilter(watched, event);
}
