#include "UDailyGoalRing.h"

#include "UFontMap.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kRing = 13;    // outer size, pixels: fits the 19-pixel status bar
constexpr int kStroke = 3;
}

TDailyGoalRing::TDailyGoalRing(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DailyGoalRing"));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("labDailyGoal"));
    m_label->setFont(FontByPixels(QStringLiteral("宋体"), 12));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(kRing + 6, 0, 4, 0);
    layout->addWidget(m_label);
    SetProgress(0, 1);
}

void TDailyGoalRing::SetProgress(int done, int goal)
{
    m_done = std::max(0, done);
    m_goal = std::max(1, goal);
    m_label->setText(Text());
    setToolTip(m_done >= m_goal ? QStringLiteral("今天的目标完成了！")
                                : QStringLiteral("今天还差 %1 个单词完成目标").arg(m_goal - m_done));
    update();
}

QString TDailyGoalRing::Text() const
{
    return QStringLiteral("今日 %1/%2").arg(m_done).arg(m_goal);
}

void TDailyGoalRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring(2 + kStroke / 2.0, (height() - kRing) / 2.0 + kStroke / 2.0, kRing - kStroke, kRing - kStroke);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 150, 150), kStroke));
    painter.drawEllipse(ring);
    const double share = std::min(1.0, double(m_done) / m_goal);
    if (share <= 0)
        return;
    // Green while on the way, gold once the goal is met; from twelve o'clock, clockwise.
    painter.setPen(QPen(share >= 1 ? QColor(230, 160, 20) : QColor(40, 170, 80), kStroke, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(ring, 90 * 16, -int(share * 360 * 16));
}
