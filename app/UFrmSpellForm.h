#pragma once
// The main window's components: toolbar, menus, banner, title strip, game
// panel and status bar. Only construction and layout live here; what the
// components do is wired by TFrmSpell.

#include "UWebBrowserPane.h"

#include <QColor>
#include <QList>

#include <memory>
#include <QPixmap>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;
class QWidget;
class TDailyGoalRing;


// The picture at path, or its "@2x" sibling tagged with ratio 2 when the
// device ratio is above 1 and the sibling exists.
QPixmap LoadPixmapForDensity(const QString &path, qreal dpr);

struct TFrmSpellForm
{
    // Creates every component as a child of window and lays it out at the
    // form's design size.
    void Build(QMainWindow &window);

    // Keeps each title-strip label at its form place without ever cutting
    // its text, and widens the strip when a label outgrows it.
    void FitTitleLabels();
    // Centres the board (when there is one) and the title strip; anchors the
    // panel picture to the panel's lower right.
    void Layout(QWidget *board);
    // Ends the ad line before today's goal when that shows.
    void FitAdLabel();
    // Checks the level items of both menus that carry this level.
    void CheckLevelItems(int level);

    static inline const QColor kTeal{0, 128, 128};
    static inline const QColor kPanelBlue{72, 105, 176};

    QToolBar *tbar = nullptr;
    QToolButton *sbStart = nullptr, *sbReStart = nullptr, *btnContinue = nullptr, *btnPause = nullptr,
                *btnClear = nullptr, *btnDoHint = nullptr, *sbLevel = nullptr, *sbClose = nullptr;
    QCheckBox *cbSpeech = nullptr, *cbBackGround = nullptr;
    // The banner above the title strip with the program's name.
    QFrame *panBanner = nullptr;
    QLabel *labBanner = nullptr;
    QGroupBox *gbTitle = nullptr;
    QFrame *panTitle = nullptr;
    QLabel *labBook = nullptr, *labGate = nullptr, *labScoreCaption = nullptr, *labScore = nullptr,
           *labTimeCaption = nullptr, *labTime = nullptr;
    QWidget *panGame = nullptr;
    QLabel *imaJoin = nullptr;
    std::unique_ptr<TLazyBrowserPane> wbAd;
    QLabel *labAd = nullptr;
    // Today's words towards the daily goal, at the status bar's right end;
    // hidden until a game starts.
    TDailyGoalRing *goalRing = nullptr;

    QMenu *fileMenu = nullptr, *gameMenu = nullptr, *settingsMenu = nullptr, *helpMenu = nullptr;
    QMenu *recentMenu = nullptr;
    // "难度" in "设置", and the same three levels under the toolbar's level button.
    QMenu *levelMenu = nullptr, *levelPopupMenu = nullptr;
    QMenu *styleMenu = nullptr;
    QAction *selectBookAction = nullptr, *selectGateAction = nullptr, *importLibraryAction = nullptr, *downloadLibraryAction = nullptr,
            *rankingAction = nullptr, *wordStatsAction = nullptr, *exitAction = nullptr;
    // Each carries its level (1 to 3) as data; menu order is level order.
    QList<QAction *> levelActions, levelPopupActions;
    QAction *speechAction = nullptr, *musicAction = nullptr;
    // "游戏": the toolbar's commands with their keys, which work whether or
    // not keyboard play is on.
    QAction *startAction = nullptr, *pauseAction = nullptr, *restartAction = nullptr, *hintAction = nullptr,
            *clearAction = nullptr;
    // "再读一遍" (F4): the word being spelled said again.
    QAction *sayAgainAction = nullptr;
    // "键盘拼写" and "自动暂停" in "设置".
    QAction *keyboardPlayAction = nullptr, *autoPauseAction = nullptr;
    QAction *helpAction = nullptr, *supportAction = nullptr, *homePageAction = nullptr, *forumAction = nullptr,
            *downloadSpeechAction = nullptr, *webGuideAction = nullptr, *learningResourcesAction = nullptr,
            *aboutAction = nullptr;
    // "英语学习系列软件": each item carries its page below the series pages as data.
    QList<QAction *> seriesActions;

private:
    void BuildToolBar(QMainWindow &window);
    void BuildMenus(QMainWindow &window);
    void BuildFileMenu(QMenuBar *bar);
    void BuildGameMenu(QMenuBar *bar);
    void BuildSettingsMenu(QMainWindow &window, QMenuBar *bar);
    void BuildHelpMenu(QMenuBar *bar);
    void BuildTitleStrip(QWidget *central);
    void BuildGamePanel(QWidget *central);
    void BuildStatusBar(QMainWindow &window);
};
