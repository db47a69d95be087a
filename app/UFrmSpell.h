#pragma once
// The main window: menu, toolbar, title strip, the game panel with the board,
// and the status bar. It runs the game around the board: it cuts the chosen
// book into toll gates of 15 words, loads one toll gate at a time, drives the
// board from the toolbar and menus, shows book, toll gate, score and time,
// answers the board's notifications, offers to record the score, and keeps
// the ten most recent games in "UseRecord.txt".
//
// The window owns the board, the sound player and the speech object; the word
// library is handed in and outlives it. A database error raised by a user's
// action is caught at the edge of that action and shown in a message box.

#include "UCommonFun.h"
#include "UWordInfo.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class TAdInterface;
class TAudioLayer;
class TBassEx;
class TDataInterface;
class TSpeechEx;
class TSpeechLayer;
class TSpellGameType;

class TFrmSpell : public QMainWindow
{
    Q_OBJECT
public:
    // How the window reaches the platform's sound and speech; tests hand in
    // fakes, the program the real layers.
    struct TPlatform
    {
        std::function<std::unique_ptr<TAudioLayer>()> CreateAudioLayer;
        std::function<std::unique_ptr<TSpeechLayer>()> CreateSpeechLayer;
    };

    TFrmSpell(TDataInterface &data, TPlatform platform, QWidget *parent = nullptr);
    ~TFrmSpell() override;

    // The program entry: settings path, word library, application object,
    // main window, message loop. Ends at once, without a message box, when
    // the word library cannot be opened.
    static int RunProgram(int &argc, char **argv);

    // Game flow, public for the game's own tests.
    bool LoadTollGateWords(int index, TWordInfos &words);
    void ChangeTollGate(int index);
    void ResetGameView();
    void ShowTollGateInfo();
    void SetButtonStates(bool start, bool reStart, bool cont, bool pause, bool level);
    void AddRecentRecord(TGamePara para);
    void LoadRecentMenu();
    void RecentItemClick(QAction *item);
    void SaveGameRecord(int score);
    void LoadGamePara();
    void SaveGamePara();

    void sbStartClick();
    void sbReStartClick();
    void btnContinueClick();
    void btnPauseClick();
    void btnClearClick();
    void btnDoHintClick();
    void N27Click(QAction *item);
    void cbSpeechClick(QObject *sender);
    void cbBackGroundClick(QObject *sender);
    void N6Click();
    void N32Click();
    void N4Click();
    void N2Click();
    void beijing18Click(QAction *item);

    const TGamePara &GamePara() const { return m_gamePara; }
    int ScoreBase() const { return m_scoreBase; }
    TSpellGameType *SpellGame() const { return m_spellGame; }
    TBassEx *BassEx() const { return m_bassEx.get(); }
    TSpeechEx *Speech() const { return m_speech.get(); }
    QString RecentFileName() const;

    static QString GetSkinName(int tag);
    static QString GetSkinCaption(int tag);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildForm();
    void BuildMenus();
    void BuildToolBar();
    void BuildTitleStrip(QWidget *central);
    void FormShow();
    void InitGame();
    void FormResize();
    void FreeGame();
    void DeleteTempFiles();
    void FillStyleMenu();
    void OpenDocument(const QString &target);
    void CheckLevelItems(int level);
    void FitTitleLabels();

    void SpellTimeChange(QObject *sender);
    void SpellScoreChange(QObject *sender);
    void SpellGameOver(QObject *sender, bool success);
    void StartNewGameAfterBook();
    int ShownScore() const;

    // Runs a user's action; a database error ends the action with a message.
    void Guarded(const std::function<void()> &action);

    TDataInterface &m_data;
    TPlatform m_platform;
    TGamePara m_gamePara;
    int m_scoreBase = 0;
    bool m_shownOnce = false;

    TSpellGameType *m_spellGame = nullptr; // child of panGame; FreeGame deletes it first
    std::unique_ptr<TSpeechEx> m_speech;
    std::unique_ptr<TBassEx> m_bassEx;
    std::unique_ptr<TAdInterface> m_adInterface;

    // Components, named as in the form.
    QToolBar *tbar = nullptr;
    QToolButton *sbStart = nullptr, *sbReStart = nullptr, *btnContinue = nullptr, *btnPause = nullptr,
                *btnClear = nullptr, *btnDoHint = nullptr, *sbLevel = nullptr, *sbClose = nullptr;
    QCheckBox *cbSpeech = nullptr, *cbBackGround = nullptr;
    QFrame *sPanel1 = nullptr;
    QLabel *sLabelFX1 = nullptr;
    QGroupBox *gbTitle = nullptr;
    QFrame *panTitle = nullptr;
    QLabel *labBook = nullptr, *labGate = nullptr, *sLabelFX2 = nullptr, *labScore = nullptr, *sLabelFX6 = nullptr,
           *labTime = nullptr;
    QWidget *panGame = nullptr;
    QLabel *imaJoin = nullptr;
    QWidget *wbAd = nullptr;
    QLabel *labAd = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QMenu *nRecently = nullptr;
    QMenu *miUI = nullptr;
    QAction *N8 = nullptr, *N9 = nullptr, *N10 = nullptr, *N27 = nullptr, *N28 = nullptr, *N29 = nullptr;
    QAction *N16 = nullptr, *N15 = nullptr, *nSupport = nullptr;
    QTimer *TimerAd = nullptr;
};
