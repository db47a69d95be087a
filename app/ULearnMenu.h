#pragma once
// "设置 → 学习": helps beyond the classic game, each off unless chosen, so
// that without them the game plays as it always did. Each item is a 0/1 key
// of the settings file, written when the item is clicked; the window applies
// the items to the board whenever one changes (Changed).
//   释义提示 "ShowMeaning": the word's meaning and phonetic above the slot.
//   听音拼写 "ListenFirst": each word is said as soon as it can be spelled.
//   关卡小结 "GateReview": a review window when a toll gate ends.

#include "USettings.h"

#include <QObject>

class QAction;
class QMenu;
class QWidget;
class TSpellGameType;

class TLearnMenu : public QObject
{
    Q_OBJECT
public:
    // Adds "学习" to settingsMenu after "自动暂停" (at the end when that is
    // missing), its items checked as the settings say. window parents this
    // object and its messages.
    TLearnMenu(QMenu *settingsMenu, const TSettings &settings, QWidget *window);

    // The submenu, for items added elsewhere.
    QMenu *Menu() const { return m_menu; }

    bool ShowMeaning() const;
    bool ListenFirst() const;
    bool GateReview() const;

    // Puts the meaning line and listening first on the board as checked.
    void ApplyTo(TSpellGameType &board) const;

    // Checks the items again as the settings file says (after something else
    // wrote the keys, as the welcome panel does) and tells the window.
    void Reload();

    // What the items do, public for the window's tests.
    void SetShowMeaning(bool on) { SetItem(m_showMeaning, on); }
    void SetListenFirst(bool on) { SetItem(m_listenFirst, on); }
    void SetGateReview(bool on) { SetItem(m_gateReview, on); }

signals:
    void Changed();

private:
    QAction *AddItem(const QString &caption, const char *key);
    void SetItem(QAction *item, bool on);

    const TSettings m_settings;
    QWidget *m_window;
    QMenu *m_menu = nullptr;
    QAction *m_showMeaning = nullptr;
    QAction *m_listenFirst = nullptr;
    QAction *m_gateReview = nullptr;
};
