#pragma once
// The main window: menu, toolbar, title strip, the game panel with the board,
// and the status bar. It starts and ends the program's pieces in their order
// (players, board, saved game, recent games, advertising), wires the form's
// components to the game flow and the dialogs, and runs every user action
// through Guarded.
//
// The window owns the board, the sound player and the speech object; the word
// library is handed in and outlives it.

#include "UCommonFun.h"
#include "UFrmSpellForm.h"
#include "USettings.h"
#include "UWordInfo.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QTimer;
class QUrl;
class TAdInterface;
class TAdLabel;
class TAutoPause;
class TFrmAd;
class TAudioOutput;
class TBoardAudio;
class TDailyGoalStatus;
class TDataInterface;
class TGameFlow;
class TLearnMenu;
class TGateReviewFlow;
class TMistakeBookMenu;
class TRecentGames;
class TSpeechEx;
class TSoundPlayer;
class TSpeechLayer;
class TSpellGameType;
class TWelcomeFlow;
class TWordRecorder;

class TFrmSpell : public QMainWindow
{
    Q_OBJECT
public:
    // How the window reaches the platform's sound and speech; tests hand in
    // fakes, the program the real layers.
    struct TPlatform
    {
        std::function<std::unique_ptr<TAudioOutput>()> CreateAudioOutput;
        std::function<std::unique_ptr<TSpeechLayer>()> CreateSpeechLayer;
        // The desktop's opener for web pages and the help file, false when
        // nothing took the address; unset, the program's default
        // (QDesktopServices).
        std::function<bool(const QUrl &)> OpenUrl;
    };

    // adWindow: the hidden pop-up advertising window, shown once ten seconds
    // after start when its list holds an ad; may be null (tests) or handed in
    // later.
    TFrmSpell(TDataInterface &data, TSettings settings, TPlatform platform, TFrmAd *adWindow = nullptr,
              QWidget *parent = nullptr);
    void SetAdWindow(TFrmAd *adWindow) { m_adWindow = adWindow; }
    ~TFrmSpell() override;

    // The handlers of the form, public for the game's own tests.
    void sbStartClick();
    void sbReStartClick();
    void btnContinueClick();
    void btnPauseClick();
    void btnClearClick();
    void btnDoHintClick();
    void LevelItemClicked(QAction *item);
    void cbSpeechClick(QObject *sender);
    void cbBackGroundClick(QObject *sender);
    void SelectBook();
    void SelectTollGate();
    void ImportLibrary();
    void ShowRanking();
    void ExitGame();
    void ShowWordStats();
    void ShowSupport();
    void ShowAbout();
    void ShowAdWindowOnce();
    void StyleItemClicked(QAction *item);
    void RecentItemClicked(QAction *item);
    void LoadRecentMenu();
    void SaveGamePara();
    // The game keys: F2 starts or continues, F3 pauses, F5 restarts (after a
    // question while a game runs), Ctrl+H hints, Escape clears. Each does
    // what its toolbar button does, and only while that button is enabled.
    void GameKeyStartClick();
    void GameKeyPauseClick();
    void GameKeyRestartClick();
    void GameKeyHintClick();
    void GameKeyClearClick();
    void KeyboardPlayClick();
    void AutoPauseClick();

    const TGamePara &GamePara() const;
    int ScoreBase() const;
    TSpellGameType *SpellGame() const { return m_spellGame; }
    const TRecentGames &RecentGames() const { return *m_recent; }
    // The first start's panel; made with the board.
    TWelcomeFlow *Welcome() const { return m_welcome; }
    TMistakeBookMenu &MistakeBook() const { return *m_mistakeBook; }

    static QString GetSkinName(int tag);
    static QString GetSkinCaption(int tag);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ConnectToolBar();
    void ConnectMenus();
    void ConnectWebItems();
    void ConnectGameKeys();
    // Keyboard play and the pause veil on the board, as the settings items say.
    void ApplyPlaySettings();
    void FormShow();
    void InitGame();
    void FormResize();
    void FreeGame();
    void DeleteTempFiles();
    void FillStyleMenu();
    // The web page of a settings key (with page appended): only what
    // WebAddress accepts is opened. A missing address, one that is no web
    // address, and a page that no browser opened are each told to the player.
    void OpenSettingsPage(const QString &key, const QString &page);
    bool OpenUrl(const QUrl &url);

    TDataInterface &m_data;
    TSettings m_settings;
    TPlatform m_platform;
    bool m_shownOnce = false;
    TFrmSpellForm m_form;
    std::unique_ptr<TRecentGames> m_recent;
    TGameFlow *m_flow = nullptr; // child of the window
    TAutoPause *m_autoPause = nullptr; // child of the window
    TLearnMenu *m_learnMenu = nullptr; // child of the window
    TMistakeBookMenu *m_mistakeBook = nullptr; // child of the window
    TWordRecorder *m_recorder = nullptr; // child of the window; made with the board
    TDailyGoalStatus *m_goal = nullptr;  // child of the window; made with the board
    TWelcomeFlow *m_welcome = nullptr;   // child of the window; made with the board
    TGateReviewFlow *m_gateReview = nullptr; // child of the window; made with the board

    TSpellGameType *m_spellGame = nullptr; // child of panGame; FreeGame deletes it first
    std::unique_ptr<TSpeechEx> m_speech;
    std::unique_ptr<TSoundPlayer> m_soundPlayer;
    std::unique_ptr<TBoardAudio> m_boardAudio;
    std::unique_ptr<TAdInterface> m_adInterface;
    TAdLabel *m_adLabel = nullptr; // child of the window
    TFrmAd *m_adWindow;            // not owned
    QTimer *m_adTimer = nullptr;
};
