#pragma once
// "学习统计": per book the toll gate reached, the best score, the words seen,
// the words mastered and those in the mistake book, with a chart of the words
// completed on each of the last 30 days. The mistake book can be emptied
// from here, after a question; nothing else empties it.

#include <QDate>
#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class TDailyChart;
class TWordProgress;

class TFrmWordStats : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kChartDays = 30;

    TFrmWordStats(TWordProgress &progress, const QDate &today, QWidget *parent = nullptr);

    // Throws EDatabaseError when the progress cannot be read.
    void LoadStats();
    QTreeWidget *List() const { return lvBooks; }
    TDailyChart *Chart() const { return m_chart; }
    QPushButton *ClearButton() const { return btnClear; }

    // Daily progress: "连续学习 N 天", today's words against the goal, and
    // the goal's spin box (1 to 500 words), which tells each change.
    void SetDailyGoal(int goal);
    QLabel *DailyProgressLabel() const { return labDaily; }
    QSpinBox *DailyGoalBox() const { return seDailyGoal; }

    // The mistake book's own window.
    QPushButton *MistakeBookButton() const { return btnMistakeBook; }

signals:
    void DailyGoalChanged(int goal);
    // "生词本…": the window's owner opens the mistake book; LoadStats()
    // afterwards shows what changed there.
    void MistakeBookRequested();

private:
    void ClearMistakeBook();
    QLayout *BuildDailyProgress();
    void ShowDailyProgress();

    TWordProgress &m_progress;
    QDate m_today;
    QTreeWidget *lvBooks;
    TDailyChart *m_chart;
    QPushButton *btnClear;
    QLabel *labDaily;
    QSpinBox *seDailyGoal;
    int m_streak = 0;
    int m_todayDone = 0;
    QPushButton *btnMistakeBook;
};
