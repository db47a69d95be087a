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

    auto *gbThanks = new QGroupBox(this);
    gbThanks->setObjectName(QStringLiteral("gbThanks"));
    gbThanks->setGeometry(8, 8, 425, 105);

    labThanks = new QLabel(QStringLiteral("谢谢您使用我们的软件，请点击以下链接里的广告支持我们。"), gbThanks);
    labThanks->setObjectName(QStringLiteral("labThanks"));
    labThanks->setFont(FontByPixels(QStringLiteral("宋体"), 12));
    labThanks->move(16, 32);
    labThanks->adjustSize();

    labWeb = new QLabel(QStringLiteral("支持链接"), gbThanks);
    labWeb->setObjectName(QStringLiteral("labWeb"));
    labWeb->setFont(FontByPixels(QStringLiteral("宋体"), 20, true));
    SetLinkLook(*labWeb, false, true);
    labWeb->move(16, 64);
    labWeb->adjustSize();
    labWeb->setMouseTracking(true);
    labWeb->installEventFilter(this);

    btnOk = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("确定(&O)"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(319, 122, 90, 25);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TFrmSupport::labWebClick()
{
    ShellOpen(QUrl(m_supportUrl.trimmed()), this);
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
