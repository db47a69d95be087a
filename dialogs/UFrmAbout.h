#pragma once
// The About dialog: the program's picture, name and version, the maker, and
// links to the maker's web site. Both the web address and the e-mail address
// act on the web-site link: hovering either highlights the address, clicking
// either opens the web site.

#include <QDialog>

class QLabel;
class QPushButton;

class TFrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmAbout(QWidget *parent = nullptr);

    // The maker's web site, the one home page of the settings ("HomePage");
    // until set, that key's default.
    void SetWebSite(const QString &address);

    // The maker's details shown in the dialog.
    static const QString kMakerName;
    static const QString kRightsNotice;
    static const QString kEmail;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void labWebMouseMove();
    void labWebMouseLeave();
    void labWebClick();

    QLabel *imaJoin;
    QLabel *labProgramName;
    QLabel *labVersion;
    QLabel *labWeb;
    QLabel *labEmail;
    QPushButton *btnOk;
};
