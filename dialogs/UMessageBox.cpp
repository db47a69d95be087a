#include "UMessageBox.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {
std::unique_ptr<TDialogService> &serviceSlot()
{
    static std::unique_ptr<TDialogService> service = std::make_unique<TDialogService>();
    return service;
}
} // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget *parent, const QString &text, TMsgIcon icon, TMsgButtons buttons)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(kMessageCaption);
    box->setText(text);
    // Addresses and error texts can be copied from any box.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    switch (icon) {
    case TMsgIcon::Information: box->setIcon(QMessageBox::Information); break;
    case TMsgIcon::Question: box->setIcon(QMessageBox::Question); break;
    case TMsgIcon::Exclamation: box->setIcon(QMessageBox::Warning); break;
    }
    if (buttons != TMsgButtons::Ok) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(buttons == TMsgButtons::YesNo ? QMessageBox::Yes : QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
    }
    return box;
}

TMsgResult TDialogService::MessageBox(QWidget *parent, const QString &text, TMsgIcon icon, TMsgButtons buttons)
{
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, text, icon, buttons);
    switch (box->exec()) {
    case QMessageBox::Yes: return TMsgResult::Yes;
    case QMessageBox::No: return TMsgResult::No;
    case QMessageBox::Ok: return TMsgResult::Ok;
    default: return TMsgResult::Cancel;
    }
}

QString TDialogService::GetOpenFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString TDialogService::GetSaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                        QString *selectedFilter)
{
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter, selectedFilter);
}

int TDialogService::ExecDialog(QDialog &dialog)
{
    return dialog.exec();
}

TDialogService &DialogService()
{
    return *serviceSlot();
}

std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> service)
{
    std::swap(serviceSlot(), service);
    if (!serviceSlot())
        serviceSlot() = std::make_unique<TDialogService>();
    return service;
}

void ShowInfo(QWidget *parent, const QString &text)
{
    DialogService().MessageBox(parent, text, TMsgIcon::Information, TMsgButtons::Ok);
}

void ShowExclamation(QWidget *parent, const QString &text)
{
    DialogService().MessageBox(parent, text, TMsgIcon::Exclamation, TMsgButtons::Ok);
}

bool AskYesNo(QWidget *parent, const QString &text)
{
    return DialogService().MessageBox(parent, text, TMsgIcon::Question, TMsgButtons::YesNo) == TMsgResult::Yes;
}

bool AskYesNoDefaultNo(QWidget *parent, const QString &text)
{
    return DialogService().MessageBox(parent, text, TMsgIcon::Question, TMsgButtons::YesNoDefaultNo) == TMsgResult::Yes;
}
