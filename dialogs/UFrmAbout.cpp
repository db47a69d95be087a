#include "UFrmAbout.h"

#include "UAdLabel.h"
#include "UCommonFun.h"
#include "UFontMap.h"
#include "UShellOpen.h"
#include "USettings.h"

#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

const QString TFrmAbout::kMakerName = QStringLiteral("咕噜猫工作室");
const QString TFrmAbout::kRightsNotice = QStringLiteral("版权所有 © 2024-2026 保留所有权利");
const QString TFrmAbout::kEmail = QStringLiteral("guluspell@example.org");

namespace {

QLabel *PlacedLabel(QWidget *parent, const char *name, const QString &text, QPoint at, const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(FontByPixels(QStringLiteral("宋体"), 12));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
}

QFrame *Bevel(QWidget *parent, const char *name, const QRect &place)
{
    auto *bevel = new QFrame(parent);
    bevel->setObjectName(QLatin1String(name));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(place);
    return bevel;
}

} // namespace

TFrmAbout::TFrmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    setFixedSize(360, 413);

    Bevel(this, "bvlPicture", QRect(4, 2, 351, 275));
    imaJoin = new QLabel(this);
    imaJoin->setObjectName(QStringLiteral("imaJoin"));
    imaJoin->setGeometry(6, 4, 346, 270);
    imaJoin->setScaledContents(true);
    Q_INIT_RESOURCE(forms);
    // The icon engine picks the @2x drawing on high-density screens.
    imaJoin->setPixmap(QIcon(QStringLiteral(":/forms/about.png")).pixmap(QSize(346, 270), devicePixelRatioF()));

    labProgramName = PlacedLabel(this, "labProgramName", QStringLiteral("咕噜猫字母乐园"), {14, 16}, Qt::white);
    labVersion = PlacedLabel(this, "labVersion", QString(), {105, 16}, Qt::white);
    PlacedLabel(this, "labMaker", kMakerName, {8, 286}, Qt::black);
    PlacedLabel(this, "labRights", kRightsNotice, {104, 286}, Qt::black);
    PlacedLabel(this, "labWebCaption", QStringLiteral("官方网站："), {8, 312}, Qt::black);
    labWeb = PlacedLabel(this, "labWeb", TSettings::DefaultOf(QStringLiteral("HomePage")), {72, 311}, Qt::black);
    labEmail = PlacedLabel(this, "labEmail", kEmail, {72, 335}, Qt::black);
    for (QLabel *link : {labWeb, labEmail}) {
        link->setMouseTracking(true);
        link->installEventFilter(this);
    }

    Bevel(this, "bvlButtons", QRect(6, 361, 346, 2))->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    btnOk = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("确定(&O)"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(207, 370, 90, 25);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TFrmAbout::SetWebSite(const QString &address)
{
    labWeb->setText(address.trimmed());
    labWeb->adjustSize();
}

void TFrmAbout::showEvent(QShowEvent *event)
{
    labVersion->setText(ReadSystemValue(QStringLiteral("version")));
    labVersion->adjustSize();
    QDialog::showEvent(event);
}

void TFrmAbout::labWebMouseMove()
{
    SetLinkLook(*labWeb, true);
}

void TFrmAbout::labWebMouseLeave()
{
    SetLinkLook(*labWeb, false);
}

void TFrmAbout::labWebClick()
{
    ShellOpen(QUrl(labWeb->text()), this);
}

bool TFrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != labWeb && watched != labEmail)
        return QDialog::eventFilter(watched, event);
    switch (LinkEventOf(event)) {
    case TLinkEvent::Hover: labWebMouseMove(); break;
    case TLinkEvent::Leave: labWebMouseLeave(); break;
    case TLinkEvent::Click: labWebClick(); break;
    case TLinkEvent::None: break;
    }
    return QDialog::eventFilter(watched, event);
}
