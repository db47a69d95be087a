#pragma once
// Pauses a running game when the player's attention leaves it: the window
// loses the focus or is minimised, or a window of the game's own opens (a
// menu dialog, a question). It pauses exactly as "暂停" does, so the countdown
// cannot run on while the player is elsewhere, nor can the player study a
// paused board: the host veils the board whenever this is on.
//
// Leaving the game's window waits for "继续". A window of the game's own that
// closes with the game still paused as it was left gives the game back: the
// game that was running runs again.

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

    // running: whether a game is running now; pause: the "暂停" command;
    // resume: goes on with a game paused here, when it is still paused (it
    // decides what "still paused" means, so a dialog that changed the game
    // leaves it as the dialog left it).
    TAutoPause(QWidget *window, std::function<bool()> running, std::function<void()> pause,
               std::function<void()> resume);

    void SetEnabled(bool value) { m_enabled = value; }
    bool Enabled() const { return m_enabled; }

    // Before a window opens that stays open on its own (help); a dialog takes
    // the focus only once it is shown, and some platforms never tell the
    // window it lost it.
    void BeforeDialog() { PauseIfRunning(); }

    // Holds a running game still for as long as it lives: made just before a
    // modal dialog or question, ended once it has closed and its answer has
    // been acted on. Ended by an exception, it leaves the game paused.
    class TDuringDialog
    {
    public:
        explicit TDuringDialog(TAutoPause &autoPause);
        ~TDuringDialog();
        TDuringDialog(const TDuringDialog &) = delete;
        TDuringDialog &operator=(const TDuringDialog &) = delete;

    private:
        TAutoPause &m_autoPause;
        bool m_paused;
        int m_exceptions;
    };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // True when it paused a running game.
    bool PauseIfRunning();
    void ResumeAfterDialog();

    QWidget *m_window;
    std::function<bool()> m_running;
    std::function<void()> m_pause;
    std::function<void()> m_resume;
    bool m_enabled = true;
    QTimer m_settle;
};
