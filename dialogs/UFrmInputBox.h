#pragma once
// A small modal dialog that asks for one line of text. The caller sets the
// caption and the prompt; "确定" refuses a blank text with a message naming
// the caption, "取消" (or Esc) cancels. The text takes at most
// kMaxTextLength characters. The dialog opens centred on the screen.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFrmInputBox : public QDialog
{
    Q_OBJECT
public:
    // The longest text taken, in characters (the ranking's name column).
    static constexpr int kMaxTextLength = 255;

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
