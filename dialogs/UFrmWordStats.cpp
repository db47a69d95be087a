#include "UFrmWordStats.h"

#include "UDailyChart.h"
#include "UDatabaseError.h"
#include "UErrorMessages.h"
#include "UFontMap.h"
#include "UMessageBox.h"
#include "USettings.h"
#include "UStudyStreak.h"
#include "UWordProgress.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
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
    layout->addLayout(BuildDailyProgress());
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
    const QList<int> days = m_progress.DailyCompleted(m_today, kStreakWindowDays);
    m_streak = StudyStreak(days);
    m_todayDone = days.value(days.size() - 1);
    ShowDailyProgress();
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

// ---------------------------------------------------------------------------
// Daily progress

QLayout *TFrmWordStats::BuildDailyProgress()
{
    labDaily = new QLabel(this);
    labDaily->setObjectName(QStringLiteral("labDaily"));
    seDailyGoal = new QSpinBox(this);
    seDailyGoal->setObjectName(QStringLiteral("seDailyGoal"));
    seDailyGoal->setRange(kDailyGoalMin, kDailyGoalMax);
    seDailyGoal->setValue(TSettings::DefaultOf(QStringLiteral("DailyGoal")).toInt());
    connect(seDailyGoal, &QSpinBox::valueChanged, this, [this](int goal) {
        ShowDailyProgress();
        emit DailyGoalChanged(goal);
    });
    auto *row = new QHBoxLayout;
    row->addWidget(labDaily);
    row->addStretch();
    row->addWidget(new QLabel(QStringLiteral("每日目标："), this));
    row->addWidget(seDailyGoal);
    row->addWidget(new QLabel(QStringLiteral("个单词"), this));
    return row;
}

void TFrmWordStats::SetDailyGoal(int goal)
{
    const QSignalBlocker quiet(seDailyGoal); // the stored goal, not a change by the player
    seDailyGoal->setValue(KnownDailyGoal(goal));
    ShowDailyProgress();
}

void TFrmWordStats::ShowDailyProgress()
{
    const int goal = seDailyGoal->value();
    QString text = QStringLiteral("连续学习 %1 天　　今日 %2/%3").arg(m_streak).arg(m_todayDone).arg(goal);
    if (m_todayDone >= goal)
        text += QStringLiteral("，今天的目标完成了！");
    labDaily->setText(text);
}
