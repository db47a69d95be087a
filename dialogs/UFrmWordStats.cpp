#include "UFrmWordStats.h"

#include "UDailyChart.h"
#include "UDatabaseError.h"
#include "UErrorMessages.h"
#include "UFontMap.h"
#include "UMessageBox.h"
#include "UWordProgress.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TFrmWordStats::TFrmWordStats(TWordProgress &progress, const QDate &today, QWidget *parent)
    : QDialog(parent)
    , m_progress(progress)
    , m_today(today)
{
    setObjectName(QStringLiteral("FrmWordStats"));
    setWindowTitle(QStringLiteral("学习统计"));
    resize(600, 440);
    setFont(FontByPixels(QStringLiteral("宋体"), 12));

    lvBooks = new QTreeWidget(this);
    lvBooks->setObjectName(QStringLiteral("lvBooks"));
    lvBooks->setRootIsDecorated(false);
    lvBooks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvBooks->setHeaderLabels({QStringLiteral("词库"), QStringLiteral("已到关卡"), QStringLiteral("最高分"),
                              QStringLiteral("见过"), QStringLiteral("已掌握"), QStringLiteral("生词本中")});
    // The title takes what the five counts leave, so every column stays in view.
    lvBooks->header()->setStretchLastSection(false);
    lvBooks->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column <= 5; ++column)
        lvBooks->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);

    m_chart = new TDailyChart(this);
    btnClear = new QPushButton(QStringLiteral("清空生词本(&E)"), this);
    btnClear->setObjectName(QStringLiteral("btnClear"));
    auto *btnClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    connect(btnClear, &QPushButton::clicked, this, &TFrmWordStats::ClearMistakeBook);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    // The mistake book's window, for its words one by one.
    btnMistakeBook = new QPushButton(QStringLiteral("生词本(&M)…"), this);
    btnMistakeBook->setObjectName(QStringLiteral("btnMistakeBook"));
    connect(btnMistakeBook, &QPushButton::clicked, this, &TFrmWordStats::MistakeBookRequested);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnMistakeBook);
    buttons->addWidget(btnClear);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lvBooks, 3);
    layout->addWidget(new QLabel(QStringLiteral("最近30天每天拼对的单词数："), this));
    layout->addWidget(m_chart, 2);
    layout->addLayout(buttons);
}

void TFrmWordStats::LoadStats()
{
    lvBooks->clear();
    for (const TBookStats &book : m_progress.BookStats()) {
        auto *item = new QTreeWidgetItem(lvBooks);
        item->setText(0, book.Title);
        const int values[] = {book.TollGate, book.BestScore, book.Seen, book.Mastered, book.InMistakeBook};
        for (int column = 1; column <= 5; ++column) {
            item->setText(column, QString::number(values[column - 1]));
            item->setTextAlignment(column, Qt::AlignCenter);
        }
    }
    m_chart->SetCounts(m_progress.DailyCompleted(m_today, kChartDays), m_today);
}

void TFrmWordStats::ClearMistakeBook()
{
    if (!AskYesNoDefaultNo(this, QStringLiteral("确定要清空生词本吗？清空后无法恢复。")))
        return;
    if (!m_progress.ClearMistakeBook())
        ShowInfo(this, QStringLiteral("生词本没能清空，请稍后再试。"));
    try {
        LoadStats();
    } catch (const EDatabaseError &error) {
        ShowDatabaseError(this, error);
    }
}
