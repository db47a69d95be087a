#include "UBoardShake.h"

#include <iterator>

namespace {
constexpr int kOffsets[] = {6, -6, 5, -5, 4, -4, 3, -3, 1, -1};
constexpr int kStepMs = 30;
} // namespace

TBoardShake::TBoardShake()
{
    m_timer.setInterval(kStepMs);
    connect(&m_timer, &QTimer::timeout, this, &TBoardShake::Step);
}

void TBoardShake::Start()
{
    m_step = 0;
    m_timer.start();
    emit Changed();
}

void TBoardShake::Step()
{
    if (++m_step >= int(std::size(kOffsets))) {
        m_step = -1;
        m_timer.stop();
    }
    emit Changed();
}

int TBoardShake::Offset() const
{
    return m_step >= 0 ? kOffsets[m_step] : 0;
}
