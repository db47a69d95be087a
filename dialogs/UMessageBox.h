#pragma once
// Every message box, file dialog and modal dialog of the program goes through
// the active TDialogService, so that tests can answer them. The default
// service shows real Qt dialogs; a test installs its own with
// SetDialogService() and restores the previous one afterwards.

#include <QString>

#include <memory>

class QDialog;
class QMessageBox;
class QWidget;

enum class TMsgIcon { Information, Question, Exclamation };
// YesNoDefaultNo: for a question whose Yes destroys something; Enter answers No.
enum class TMsgButtons { Ok, YesNo, YesNoDefaultNo };
enum class TMsgResult { Ok, Yes, No, Cancel };

// The caption of every message box.
inline const QString kMessageCaption = QStringLiteral("提示信息");

class TDialogService
{
public:
    virtual ~TDialogService() = default;
    virtual TMsgResult MessageBox(QWidget *parent, const QString &text, TMsgIcon icon, TMsgButtons buttons);
    // An empty result means the user cancelled.
    virtual QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &filter);
    // The same for a file to write; selectedFilter (may be null) gives back
    // the filter the user chose.
    virtual QString GetSaveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                    QString *selectedFilter);
    // Runs a modal dialog and gives its result code (QDialog::Accepted or Rejected).
    virtual int ExecDialog(QDialog &dialog);
};

// The box the default service shows, not yet shown.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget *parent, const QString &text, TMsgIcon icon, TMsgButtons buttons);

TDialogService &DialogService();
// Installs a service and gives back the previous one.
std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> service);

// Notices: information icon and an OK button.
void ShowInfo(QWidget *parent, const QString &text);
// Exclamation icon and an OK button.
void ShowExclamation(QWidget *parent, const QString &text);
// Question icon with Yes and No; true only for Yes.
bool AskYesNo(QWidget *parent, const QString &text);
// The same for a question whose Yes cannot be undone: No is the default.
bool AskYesNoDefaultNo(QWidget *parent, const QString &text);
