#pragma once
// The Support dialog: thanks the player and offers one link to an ad page,
// SupportUrl, which the main window sets to the status-bar list's first ad.
// The link stays bold and underlined; the mouse changes only its colour and
// pointer.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

class TFrmSupport : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSupport(QWidget *parent = nullptr);

    void SetSupportUrl(const QString &url) { m_supportUrl = url; }
    const QString &SupportUrl() const { return m_supportUrl; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void labWebClick();

    QLabel *labThanks;
    QLabel *labWeb;
    QPushButton *btnOk;
    QString m_supportUrl;
};
