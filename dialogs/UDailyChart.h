#pragma once
// A bar chart of words completed per day, painted with QPainter: thirty bars
// need no chart library, and the program keeps to the packages it has.

#include <QDate>
#include <QList>
#include <QWidget>

class TDailyChart : public QWidget
{
    Q_OBJECT
public:
    explicit TDailyChart(QWidget *parent = nullptr);

    // counts[i] is the day lastDay - (counts.size() - 1 - i).
    void SetCounts(const QList<int> &counts, const QDate &lastDay);
    const QList<int> &Counts() const { return m_counts; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<int> m_counts;
    QDate m_lastDay;
};
