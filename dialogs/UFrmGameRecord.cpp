#include "UFrmGameRecord.h"

#include "UDataInterface.h"
#include "UErrorMessages.h"
#include "UFontMap.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

TFrmGameRecord::TFrmGameRecord(TDataInterface &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
{
    setObjectName(QStringLiteral("FrmGameRecord"));
    setWindowTitle(QStringLiteral("排行榜"));
    setFixedSize(380, 372);

    lvBookInfo = new QTreeWidget(this);
    lvBookInfo->setObjectName(QStringLiteral("lvBookInfo"));
    lvBookInfo->setGeometry(8, 8, 364, 320);
    lvBookInfo->setRootIsDecorated(false);
    lvBookInfo->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvBookInfo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvBookInfo->setFont(FontByPixels(QStringLiteral("宋体"), 12));
    lvBookInfo->setHeaderLabels({QStringLiteral("排名"), QStringLiteral("用户"), QStringLiteral("得分")});
    lvBookInfo->header()->setStretchLastSection(false);
    lvBookInfo->setColumnWidth(0, 50);
    lvBookInfo->setColumnWidth(1, 180);
    lvBookInfo->setColumnWidth(2, 100);
    lvBookInfo->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    lvBookInfo->headerItem()->setTextAlignment(2, Qt::AlignCenter);

    auto *btnClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(290, 338, 82, 25);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TFrmGameRecord::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        // This runs inside a Qt event handler, where an exception would end
        // the program: the error is shown here and the ranking does not open.
        try {
            LoadGameRecords();
        } catch (const EDatabaseError &error) {
            ShowDatabaseError(this, error);
            QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        }
    }
}

void TFrmGameRecord::LoadGameRecords()
{
    lvBookInfo->clear();
    const QList<TGameRecord> records = m_data.GetGameRecords(kShownRecords);
    for (const TGameRecord &record : records) {
        if (lvBookInfo->topLevelItemCount() >= kShownRecords)
            break;
        auto *item = new QTreeWidgetItem(lvBookInfo);
        item->setText(0, QString::number(lvBookInfo->topLevelItemCount()));
        item->setText(1, record.Name);
        item->setText(2, QString::number(record.Score));
        item->setTextAlignment(1, Qt::AlignCenter);
        item->setTextAlignment(2, Qt::AlignCenter);
    }
}
