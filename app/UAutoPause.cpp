#include "UAutoPause.h"

#include <QEvent>
#include <QWidget>

#include <exception>

TAutoPause::TAutoPause(QWidget *window, std::function<bool()> running, std::function<void()> pause,
                       std::function<void()> resume)
    : QObject(window)
    , m_window(window)
    , m_running(std::move(running))
    , m_pause(std::move(pause))
    , m_resume(std::move(resume))
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

bool TAutoPause::PauseIfRunning()
{
    if (!m_enabled || !m_running())
        return false;
    m_pause();
    return true;
}

void TAutoPause::ResumeAfterDialog()
{
    // The focus the dialog took is back with the game: a judgement of that
    // loss still pending must not pause it again.
    m_settle.stop();
    m_resume();
}

TAutoPause::TDuringDialog::TDuringDialog(TAutoPause &autoPause)
    : m_autoPause(autoPause)
    , m_paused(autoPause.PauseIfRunning())
    , m_exceptions(std::uncaught_exceptions())
{
}

TAutoPause::TDuringDialog::~TDuringDialog()
{
    if (m_paused && std::uncaught_exceptions() == m_exceptions)
        m_autoPause.ResumeAfterDialog();
}
