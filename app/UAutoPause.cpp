#include "UAutoPause.h"

#include <QEvent>
#include <QWidget>

TAutoPause::TAutoPause(QWidget *window, std::function<bool()> running, std::function<void()> pause)
    : QObject(window)
    , m_window(window)
    , m_running(std::move(running))
    , m_pause(std::move(pause))
{
    m_window->installEventFilter(this);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (!m_window->isActiveWindow())
            PauseIfRunning();
    });
}

bool TAutoPause::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::WindowDeactivate:
            // Judged a moment later: a window system reports focus changes
            // late and in pieces, and a dialog of the game's own that has
            // already closed again took nothing from the player.
            m_settle.start();
            break;
        case QEvent::WindowStateChange:
            if (m_window->isMinimized())
                PauseIfRunning();
            break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TAutoPause::PauseIfRunning()
{
    if (m_enabled && m_running())
        m_pause();
}
