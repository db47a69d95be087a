#pragma once
// The main window's components, built and named as in the form: toolbar,
// menus, title strip, game panel and status bar. Only construction and
// layout live here; what the components do is wired by TFrmSpell.

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
    // Checks the level items of both menus that carry this level.
    void CheckLevelItems(int level);

    static inline const QColor kTeal{0, 128, 128};
    static inline const QColor kPanelBlue{72, 105, 176};

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
    std::unique_ptr<TLazyBrowserPane> wbAd;
    QLabel *labAd = nullptr;

    QMenu *PopupMenu1 = nullptr;
    QMenu *nRecently = nullptr;
    QMenu *miUI = nullptr;
    QAction *N6 = nullptr, *N32 = nullptr, *N33 = nullptr, *N4 = nullptr, *N2 = nullptr;
    QAction *N8 = nullptr, *N9 = nullptr, *N10 = nullptr, *N27 = nullptr, *N28 = nullptr, *N29 = nullptr;
    QAction *N16 = nullptr, *N15 = nullptr;
    // "游戏": the toolbar's commands with their keys, which work whether or
    // not keyboard play is on.
    QAction *nGameStart = nullptr, *nGamePause = nullptr, *nGameRestart = nullptr, *nGameHint = nullptr,
            *nGameClear = nullptr;
    // "键盘拼写" and "自动暂停" in "设置".
    QAction *nKeyboardPlay = nullptr, *nAutoPause = nullptr;
    QAction *N23 = nullptr, *nSupport = nullptr, *N11 = nullptr, *N5 = nullptr, *N34 = nullptr, *nWebGuide = nullptr,
            *N13 = nullptr, *N25 = nullptr;
    // "英语学习系列软件": each item carries its page below the series pages as data.
    QList<QAction *> SeriesItems;

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
