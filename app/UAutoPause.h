#pragma once
// Pauses a running game when the player's attention leaves it: the window
// loses the focus or is minimised, or a menu dialog is about to open. It
// pauses exactly as "暂停" does and never resumes by itself, so the countdown
// cannot run on while the player is elsewhere, nor can the player study a
// paused board: the host veils the board whenever this is on.

#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

class TAutoPause : public QObject
{
    Q_OBJECT
public:
    // How long after the window lost the focus it must still be without it.
    static constexpr int kSettleMs = 250;

    // running: whether a game is running now; pause: the "暂停" command.
    TAutoPause(QWidget *window, std::function<bool()> running, std::function<void()> pause);

    void SetEnabled(bool value) { m_enabled = value; }
    bool Enabled() const { return m_enabled; }

    // Before a menu dialog opens; a dialog takes the focus only once it is
    // shown, and some platforms never tell the window it lost it.
    void BeforeDialog() { PauseIfRunning(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PauseIfRunning();

    QWidget *m_window;
    std::function<bool()> m_running;
    std::function<void()> m_pause;
    bool m_enabled = true;
    QTimer m_settle;
};
