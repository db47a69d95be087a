#pragma once
// A small modal dialog that asks for one line of text. The caller sets the
// caption and the prompt; "确定" refuses a blank text with a message naming
// the caption, "取消" (or Esc) cancels.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFrmInputBox : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmInputBox(QWidget *parent = nullptr);

    void SetPrompt(const QString &prompt);
    QString Text() const; // exactly as typed, spaces included

    void btnOkClick();

private:
    QLabel *labTitle;
    QLineEdit *ediText;
    QPushButton *btnOk;
    QPushButton *btnClose;
};
