#pragma once
// "导入咕噜猫词库": picks a word file, a class and a title and imports the file
// as a new listed book. Several imports may run in one showing; while one runs
// the window repaints but its buttons and closing are held off.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;
class TDataInterface;

class TFrmImportLib : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmImportLib(TDataInterface &data, QWidget *parent = nullptr);

    // Event handlers, public so that tests can drive them.
    void sFileNameChange();
    void btnBrowseClick();
    void btnImportClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void SetImporting(bool importing);

    TDataInterface &m_data;
    bool m_importing = false;
    QLineEdit *m_sFileName;
    QToolButton *m_btnBrowse;
    QComboBox *m_cboBookClass;
    QLineEdit *m_ediLibName;
    QProgressBar *m_pbImport;
    QPushButton *m_btnImport;
    QPushButton *m_btnClose;
};
