#pragma once
// The ranking list "排行榜": the twenty best scores, highest first, read
// afresh each time the dialog is shown. When the ranking cannot be read, the
// database error is shown and the dialog closes again.

#include <QDialog>

class QTreeWidget;
class TDataInterface;

class TFrmGameRecord : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kShownRecords = 20;

    TFrmGameRecord(TDataInterface &data, QWidget *parent = nullptr);

    // Throws EDatabaseError when the ranking cannot be read.
    void LoadGameRecords();
    QTreeWidget *List() const { return lvBookInfo; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    TDataInterface &m_data;
    QTreeWidget *lvBookInfo;
    bool m_loaded = false;
};
