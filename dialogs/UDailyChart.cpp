#include "UDailyChart.h"

#include "UFontMap.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int kMargin = 28;
}

TDailyChart::TDailyChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DailyChart"));
    setMinimumSize(300, 140);
}

void TDailyChart::SetCounts(const QList<int> &counts, const QDate &lastDay)
{
    m_counts = counts;
    m_lastDay = lastDay;
    update();
}

void TDailyChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setFont(FontByPixels(QStringLiteral("宋体"), 12));
    const QRect plot = rect().adjusted(kMargin, 10, -10, -kMargin + 6);
    painter.setPen(QColor(120, 120, 120));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    if (m_counts.isEmpty() || plot.width() <= 0 || plot.height() <= 0)
        return;

    const int top = std::max(1, *std::max_element(m_counts.cbegin(), m_counts.cend()));
    // The axis numbers in the dates' black: the axes' grey is too faint for text.
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, plot.top() - 6, kMargin - 4, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(top));
    painter.drawText(QRect(0, plot.bottom() - 7, kMargin - 4, 14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));

    const int n = int(m_counts.size());
    const double slot = double(plot.width()) / n;
    for (int i = 0; i < n; ++i) {
        const int h = int(double(plot.height()) * m_counts[i] / top);
        const int left = plot.left() + int(i * slot) + 1;
        const int width = std::max(1, int(slot) - 2);
        if (h > 0)
            painter.fillRect(QRect(left, plot.bottom() - h + 1, width, h), QColor(70, 140, 220));
    }
    // The first and the last day under the axis, so the span reads at a glance.
    const QDate first = m_lastDay.addDays(1 - n);
    const int labelTop = plot.bottom() + 3;
    painter.drawText(QRect(plot.left(), labelTop, 80, 16), Qt::AlignLeft, first.toString(QStringLiteral("M月d日")));
    painter.drawText(QRect(plot.right() - 80, labelTop, 80, 16), Qt::AlignRight, m_lastDay.toString(QStringLiteral("M月d日")));
}
