#pragma once
// "设置 → 发音": one item for each voice that can speak here (the natural
// voices first, the plain fallback last), the one speaking checked, and
// "慢速朗读" for words said more slowly. A choice speaks from the next word
// on and is kept in the settings ("Voice", "SlowSpeech").

#include "USettings.h"

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;
class TSpeechEx;

class TVoiceMenu : public QObject
{
    Q_OBJECT
public:
    // Sets the speech object up with the voice and pace the settings keep;
    // false when no voice could be set up.
    static bool CreateVoice(TSpeechEx &speech, const TSettings &settings);
    // The "设置" menu of the bar; null when it has none.
    static QMenu *SettingsMenu(QMenuBar *bar);

    // Adds "发音" to settingsMenu, after "单词朗读" (at the end when that is
    // missing). The speech object must outlive this;
    // window is the parent of this object and of its messages.
    TVoiceMenu(QMenu *settingsMenu, const TSettings &settings, TSpeechEx &speech, QWidget *window);

    // What the items do, public for the window's tests.
    void ChooseVoice(const QString &name);
    void SetSlowSpeech(bool slow);

private:
    void CheckCurrentVoice();

    const TSettings m_settings;
    TSpeechEx &m_speech;
    QWidget *m_window;
    QMenu *m_menu = nullptr;
    QActionGroup *m_voices = nullptr;
    QAction *m_slow = nullptr;
};
