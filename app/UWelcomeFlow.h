#pragma once
// The first start: while the settings file has no "Grade" key at all, the
// welcome panel lies centred over the game panel (the menus and the toolbar
// stay usable). "开始游戏" stores the stage, turns on the chosen learning
// aids, switches to the stage's shipped book and starts the game; "跳过"
// stores "skip" and keeps the book. Either way the panel closes for good.
// A game started another way (toolbar, key, a recent game) closes it for this
// run only, storing nothing, so the question comes again at the next start.
// A book missing from the catalogue keeps the current one.

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
class TDataInterface;
class TGameFlow;
class TSettings;
class TWelcomePanel;

class TWelcomeFlow : public QObject
{
    Q_OBJECT
public:
    // window parents the panel and the message boxes; over is the widget the
    // panel is centred on; startGame starts the game as the toolbar does.
    TWelcomeFlow(TDataInterface &data, const TSettings &settings, TGameFlow &flow, QWidget *window, QWidget *over,
                 std::function<void()> startGame);

    // True while "Grade" is absent from the settings file.
    static bool Needed(const TSettings &settings);
    // Shows the panel when Needed; does nothing otherwise.
    void ShowIfNeeded();
    // Null before ShowIfNeeded and after the panel closed.
    TWelcomePanel *Panel() const;

    // The panel's buttons.
    void Start();
    void Skip();

signals:
    // The learning aids the player turned on were written to the settings,
    // before the game starts.
    void AidsChosen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Place();
    void Close();
    // Switches to the catalogue's book id unless it is missing or already played.
    void ChangeToBook(int bookId);
    bool Store(const QString &key, const QString &value);

    TDataInterface &m_data;
    const TSettings &m_settings;
    TGameFlow &m_flow;
    QWidget *m_window;
    QWidget *m_over;
    std::function<void()> m_startGame;
    QPointer<TWelcomePanel> m_panel;
};
