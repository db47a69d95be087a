#include "UFrmInputBox.h"

#include "UFontMap.h"
#include "UMessageBox.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFrmInputBox::TFrmInputBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmInputBox"));
    setWindowTitle(QStringLiteral("FrmInputBox"));
    setFixedSize(276, 122);

    auto *bvlFrame = new QFrame(this);
    bvlFrame->setObjectName(QStringLiteral("bvlFrame"));
    bvlFrame->setFrameShape(QFrame::StyledPanel);
    bvlFrame->setGeometry(4, 4, 268, 114);

    labTitle = new QLabel(this);
    labTitle->setObjectName(QStringLiteral("labTitle"));
    labTitle->setGeometry(16, 14, 244, 16);
    labTitle->setFont(FontByPixels(QStringLiteral("宋体"), 12));

    ediText = new QLineEdit(this);
    ediText->setObjectName(QStringLiteral("ediText"));
    ediText->setGeometry(16, 38, 244, 24);
    ediText->setFont(FontByPixels(QStringLiteral("宋体"), 12));
    ediText->setMaxLength(kMaxTextLength);

    btnOk = new QPushButton(QStringLiteral("确定"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(104, 80, 75, 25);
    btnOk->setDefault(true);
    btnOk->setAutoDefault(true);
    btnClose = new QPushButton(QStringLiteral("取消"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(185, 80, 75, 25);
    btnClose->setAutoDefault(false);

    connect(btnOk, &QPushButton::clicked, this, &TFrmInputBox::btnOkClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects too
    ediText->setFocus();

    // Centred on the screen, not over the main window; a moved dialog is
    // left where it is when shown.
    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFrmInputBox::SetPrompt(const QString &prompt)
{
    labTitle->setText(prompt);
}

QString TFrmInputBox::Text() const
{
    return ediText->text();
}

void TFrmInputBox::btnOkClick()
{
    if (ediText->text().trimmed().isEmpty()) {
        ShowInfo(this, QStringLiteral("请输入") + windowTitle());
        return;
    }
    // The edit holds no more, but a caller may have set a longer text; the
    // database would refuse it only after the dialog is gone.
    if (ediText->text().size() > kMaxTextLength) {
        ShowInfo(this, windowTitle() + QStringLiteral("最多%1个字符，请重新输入！").arg(kMaxTextLength));
        return;
    }
    accept();
}
