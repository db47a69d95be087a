#pragma once
// "导入咕噜猫词库": picks a word file, a class and a title and imports the file
// as a new listed book. Several imports may run in one showing; while one runs
// the window repaints but its buttons and closing are held off.

#include "UImpExpLib.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QTableWidget;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;
class TDataInterface;

class TFrmImportLib : public QDialog
{
    Q_OBJECT
public:
    // encrypt: store the texts scrambled (the settings flag "encrypt").
    TFrmImportLib(TDataInterface &data, bool encrypt, QWidget *parent = nullptr);

    // Event handlers, public so that tests can drive them.
    void sFileNameChange();
    void btnBrowseClick();
    void btnImportClick();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void SetImporting(bool importing);
    // The first rows of the chosen file as they would be stored, and the
    // count of rows and bad rows; empty when the name is no readable file.
    void ShowPreview();

    TDataInterface &m_data;
    bool m_encrypt;
    bool m_importing = false;
    QLineEdit *m_sFileName;
    QToolButton *m_btnBrowse;
    QComboBox *m_cboBookClass;
    QLineEdit *m_ediLibName;
    QProgressBar *m_pbImport;
    QPushButton *m_btnImport;
    QPushButton *m_btnClose;
    QTableWidget *m_preview;
    QLabel *m_previewCount;
    QLabel *m_previewColumns;
};

// An import that asks the player: a file that cannot be read is reported in a
// message box, and each bad line asks whether to skip it, saying why it is bad.
bool ImportWordLibAsking(TDataInterface &data, const QString &fileName, const QString &title, int bookClass,
                         bool encrypt, const TImportProgress &progress = {}, QWidget *parent = nullptr,
                         TImportCounts *counts = nullptr);

// Why a line was not stored, for the player: the limit it broke, the
// encoding, the missing word. encrypt: the texts are stored scrambled, which
// gives the columns other limits.
QString LineFaultReason(TLineFault fault, bool encrypt);
// The question about a bad line (lineNumber from 1), with its reason.
QString BadLineQuestion(int lineNumber, TLineFault fault, bool encrypt);
// The notice after an import: the words that went in, and the lines skipped.
QString ImportedText(const TImportCounts &counts);
