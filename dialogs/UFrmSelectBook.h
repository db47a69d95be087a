#pragma once
// "选择课本": the player picks a listed book from the class tree. The dialog
// works on its own copy of the game parameters; after OK, GamePara() holds the
// chosen book with toll gate 1 and a recomputed toll-gate count, every other
// field as it came in. After Cancel it is unchanged.

#include "UCommonFun.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class EDatabaseError;
class TDataInterface;

class TFrmSelectBook : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSelectBook(TDataInterface &data, QWidget *parent = nullptr);

    TGamePara &GamePara() { return m_gamePara; }
    const TGamePara &GamePara() const { return m_gamePara; }

    // Event handlers, public so that the main window's tests can drive them.
    // FormShow runs at every showing; a database failure there is shown and
    // the dialog closes with Cancel.
    void FormShow();
    void tvLibListClick();
    void btnSelectClick();
    void btnCloseClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ShowBookInfo();
    void ShowDatabaseErrorAndClose(const EDatabaseError &error);

    TDataInterface &m_data;
    TGamePara m_gamePara;
    QTreeWidget *m_tvLibList;
    QLabel *m_labCount;
    QLineEdit *m_ediBookName;
    QLineEdit *m_ediWordCount;
    QPushButton *m_btnSelect;
    QPushButton *m_btnClose;
};
