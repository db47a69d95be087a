#include "UFrmSpellForm.h"

#include "UCommonFun.h"
#include "UDailyGoalRing.h"
#include "UFontMap.h"
#include "URecentGames.h"
#include "UWebBrowserPane.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QGraphicsDropShadowEffect>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QFont SongTi12()
{
    return FontByPixels(QStringLiteral("宋体"), 12);
}

// The title strip's labels are drawn with a soft white glow around the text.
void AddWhiteGlow(QWidget *widget)
{
    auto *glow = new QGraphicsDropShadowEffect(widget);
    glow->setColor(Qt::white);
    glow->setOffset(0, 0);
    glow->setBlurRadius(6);
    widget->setGraphicsEffect(glow);
}

// Active and inactive text only: a disabled control keeps the style's grey,
// so the player sees which buttons work.
void SetTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(group, role, colour);
    widget->setPalette(palette);
}

// A title-strip label keeps its place from the form but never cuts its
// text: too long a text widens it around its centre (centred labels) or to
// the right, and never onto the label before it. The form's place is kept on
// the label under these names.
constexpr char kHomeLeft[] = "guluspellHomeLeft";
constexpr char kHomeWidth[] = "guluspellHomeWidth";
constexpr char kFullText[] = "guluspellFullText";
constexpr int kLabelGap = 6;
// The ad line over the status bar's panels.
constexpr int kAdLeft = 59, kAdWidth = 742;

// Gives the right edge of the placed label.
int FitLabel(QLabel *label, int minimumLeft)
{
    const int home = label->property(kHomeLeft).toInt();
    const int width = label->property(kHomeWidth).toInt();
    const int needed = std::max(width, label->fontMetrics().horizontalAdvance(label->text()) + 4);
    int left = home;
    if (needed > width && (label->alignment() & Qt::AlignHCenter))
        left = home - (needed - width) / 2;
    left = std::max(left, minimumLeft);
    label->setGeometry(left, label->y(), needed, label->height());
    return left + needed;
}

// The book title keeps its width: a long one is cut at its end with "…",
// and the whole title shows as the label's tooltip.
void ElideBookTitle(QLabel *label)
{
    QString full = label->property(kFullText).toString();
    if (label->text() != label->property("guluspellShownText").toString())
        full = label->text(); // a new title was set since the last fit
    const int width = label->property(kHomeWidth).toInt() - 4;
    const QString shown = label->fontMetrics().elidedText(full, Qt::ElideRight, width);
    label->setProperty(kFullText, full);
    label->setProperty("guluspellShownText", shown);
    label->setText(shown);
    label->setToolTip(shown == full ? QString() : full);
}

QAction *AddItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

// One checked item at a time, shown with the platform's radio marks. The
// code may still clear every mark, as the style menu does when the saved
// style is unknown.
QActionGroup *RadioGroup(QObject *owner)
{
    return new QActionGroup(owner);
}

QMenu *AddMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

} // namespace

QPixmap LoadPixmapForDensity(const QString &path, qreal dpr)
{
    // QPixmap(path) never looks for the "@2x" sibling by itself.
    if (dpr > 1.0) {
        const int dot = path.lastIndexOf(QLatin1Char('.'));
        const QString doubled = path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
        QPixmap pixmap(doubled);
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(2.0);
            return pixmap;
        }
    }
    return QPixmap(path);
}

void TFrmSpellForm::Build(QMainWindow &window)
{
    window.setWindowTitle(QStringLiteral("咕噜猫字母乐园"));
    window.setGeometry(121, 22, 837, 669);

    BuildToolBar(window);
    BuildMenus(window);

    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    panBanner = new QFrame(central);
    panBanner->setObjectName(QStringLiteral("panBanner"));
    panBanner->setFixedHeight(41);
    panBanner->setFrameShape(QFrame::StyledPanel);
    auto *bannerLayout = new QHBoxLayout(panBanner);
    bannerLayout->setContentsMargins(0, 0, 0, 0);
    labBanner = new QLabel(QStringLiteral("咕噜猫字母乐园"), panBanner);
    labBanner->setObjectName(QStringLiteral("labBanner"));
    labBanner->setAlignment(Qt::AlignCenter);
    labBanner->setFont(FontByPixels(QStringLiteral("华文新魏"), 32));
    SetTextColour(labBanner, QColor(0, 64, 128));
    AddWhiteGlow(labBanner);
    bannerLayout->addWidget(labBanner);
    layout->addWidget(panBanner);

    BuildTitleStrip(central);
    layout->addWidget(gbTitle);
    BuildGamePanel(central);
    layout->addWidget(panGame, 1);
    window.setCentralWidget(central);
    BuildStatusBar(window);
}

void TFrmSpellForm::BuildGamePanel(QWidget *central)
{
    panGame = new QWidget(central);
    panGame->setObjectName(QStringLiteral("panGame"));
    panGame->setAutoFillBackground(true);
    QPalette gamePalette = panGame->palette();
    gamePalette.setColor(QPalette::Window, kPanelBlue);
    panGame->setPalette(gamePalette);
    imaJoin = new QLabel(panGame);
    imaJoin->setObjectName(QStringLiteral("imaJoin"));
    imaJoin->setPixmap(LoadPixmapForDensity(QStringLiteral(":/forms/imajoin.png"), panGame->devicePixelRatioF()));
    // A strip along the right edge; the picture stands on its bottom, and the
    // strip's own background is the panel's blue, so any height joins unseen.
    imaJoin->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    imaJoin->resize(426, 472);
    // The light pane, hidden and made with its first page: it only ever
    // loads the counting page, which must not start a whole browser engine.
    wbAd = std::make_unique<TLazyBrowserPane>(panGame, QRect(289, 349, 69, 78));
}

void TFrmSpellForm::BuildStatusBar(QMainWindow &window)
{
    QStatusBar *bar = window.statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    // Two panels; the last one runs to the right edge, as a status bar's
    // last part does, and the advertising line lies over it.
    for (int i = 0; i < 2; ++i) {
        auto *panel = new QFrame(bar);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i == 0)
            panel->setFixedWidth(50);
        else
            panel->setMinimumWidth(50);
        bar->addWidget(panel, i);
    }
    labAd = new QLabel(bar);
    labAd->setObjectName(QStringLiteral("labAd"));
    // Taller than the text: the link look's underline lies below it, under
    // the panel's lower edge, and a label only as tall as the text cut it off.
    labAd->setGeometry(kAdLeft, 1, kAdWidth, 18);
    labAd->setFont(SongTi12());
    labAd->raise();
    goalRing = new TDailyGoalRing(bar);
    goalRing->hide();
    bar->addPermanentWidget(goalRing);
}

void TFrmSpellForm::FitAdLabel()
{
    const int end = goalRing->isVisible() ? goalRing->x() - 4 : kAdLeft + kAdWidth;
    labAd->resize(std::clamp(end - kAdLeft, 0, kAdWidth), labAd->height());
}

void TFrmSpellForm::BuildToolBar(QMainWindow &window)
{
    tbar = new QToolBar(&window);
    tbar->setObjectName(QStringLiteral("tbar"));
    tbar->setMovable(false);
    tbar->setFloatable(false);
    tbar->setFixedHeight(30);
    window.addToolBar(Qt::TopToolBarArea, tbar);

    auto button = [this](const char *name, const QString &caption, int width) {
        auto *b = new QToolButton(tbar);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setAutoRaise(true); // flat
        b->setFixedWidth(width);
        b->setFont(SongTi12());
        SetTextColour(b, kTeal);
        return b;
    };

    sbStart = button("sbStart", QStringLiteral("开始游戏"), 69);
    sbReStart = button("sbReStart", QStringLiteral("重新游戏"), 69);
    btnContinue = button("btnContinue", QStringLiteral("继续"), 69);
    btnPause = button("btnPause", QStringLiteral("暂停"), 69);
    btnClear = button("btnClear", QStringLiteral("清除"), 69);
    btnDoHint = button("btnDoHint", QStringLiteral("提示"), 69);
    sbLevel = button("sbLevel", QStringLiteral("容易"), 85);
    sbLevel->setPopupMode(QToolButton::InstantPopup);
    // The arrow follows the caption instead of hanging in the lower corner.
    // A widget's own sheet wins over a skin's, property by property, so
    // every skin keeps its look.
    sbLevel->setStyleSheet(QStringLiteral(
        "QToolButton { padding-left: 12px; padding-right: 24px; }"
        "QToolButton::menu-indicator { subcontrol-origin: content; subcontrol-position: right center; right: -14px; }"));
    sbClose = button("sbClose", QStringLiteral("退出游戏"), 88);
    cbSpeech = new QCheckBox(QStringLiteral("读音"), tbar);
    cbSpeech->setObjectName(QStringLiteral("cbSpeech"));
    cbBackGround = new QCheckBox(QStringLiteral("背景音乐"), tbar);
    cbBackGround->setObjectName(QStringLiteral("cbBackGround"));
    for (QCheckBox *box : {cbSpeech, cbBackGround}) {
        box->setChecked(true);
        box->setFont(SongTi12());
        SetTextColour(box, kTeal);
    }

    tbar->addWidget(sbStart);
    tbar->addSeparator();
    tbar->addWidget(sbReStart);
    tbar->addSeparator();
    tbar->addWidget(btnContinue);
    tbar->addWidget(btnPause);
    tbar->addSeparator();
    tbar->addWidget(btnClear);
    tbar->addWidget(btnDoHint);
    tbar->addSeparator();
    tbar->addWidget(sbLevel);
    tbar->addSeparator();
    tbar->addWidget(cbSpeech);
    tbar->addWidget(cbBackGround);
    tbar->addSeparator();
    tbar->addWidget(sbClose)->setVisible(false);
}

void TFrmSpellForm::BuildTitleStrip(QWidget *central)
{
    gbTitle = new QGroupBox(central);
    gbTitle->setObjectName(QStringLiteral("gbTitle"));
    gbTitle->setFixedHeight(47);
    panTitle = new QFrame(gbTitle);
    panTitle->setObjectName(QStringLiteral("panTitle"));
    panTitle->setGeometry(0, 10, 521, 31);

    struct TitleLabel
    {
        QLabel **field;
        const char *name;
        int left, top, width;
        Qt::Alignment alignment;
        QColor colour;
        QString text;
    };
    const TitleLabel labels[] = {
        {&labBook, "labBook", 10, 8, 154, Qt::AlignCenter, QColor(0, 128, 64), QString()},
        {&labGate, "labGate", 214, 8, 124, Qt::AlignCenter, kTeal, QString()},
        {&labScoreCaption, "labScoreCaption", 348, 8, 40, Qt::AlignLeft, kTeal, QStringLiteral("得分：")},
        {&labScore, "labScore", 387, 8, 36, Qt::AlignLeft, kTeal, QStringLiteral("0")},
        {&labTimeCaption, "labTimeCaption", 426, 7, 64, Qt::AlignLeft, kTeal, QStringLiteral("剩余时间：")},
        {&labTime, "labTime", 491, 6, 30, Qt::AlignLeft, Qt::red, QStringLiteral("0")},
    };
    for (const TitleLabel &def : labels) {
        auto *label = new QLabel(def.text, panTitle);
        label->setObjectName(QLatin1String(def.name));
        label->setGeometry(def.left, def.top, def.width, 16);
        label->setAlignment(def.alignment | Qt::AlignVCenter);
        label->setFont(SongTi12());
        SetTextColour(label, def.colour);
        AddWhiteGlow(label);
        label->setProperty(kHomeLeft, def.left);
        label->setProperty(kHomeWidth, def.width);
        *def.field = label;
    }
}

void TFrmSpellForm::BuildMenus(QMainWindow &window)
{
    QMenuBar *bar = window.menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    BuildFileMenu(bar);
    BuildGameMenu(bar);
    BuildSettingsMenu(window, bar);
    BuildHelpMenu(bar);
}

void TFrmSpellForm::BuildFileMenu(QMenuBar *bar)
{
    fileMenu = AddMenu(bar, "fileMenu", QStringLiteral("  文件(&F)"));
    selectBookAction = AddItem(fileMenu, "selectBookAction", QStringLiteral("选择课本(&B)"));
    selectGateAction = AddItem(fileMenu, "selectGateAction", QStringLiteral("选择关卡(&G)"));
    importLibraryAction = AddItem(fileMenu, "importLibraryAction", QStringLiteral("导入咕噜猫词库(&I)"));
    downloadLibraryAction = AddItem(fileMenu, "downloadLibraryAction", QStringLiteral("下载咕噜猫词库(&D)"));
    fileMenu->addSeparator();
    recentMenu = fileMenu->addMenu(QStringLiteral("最近关卡(&R)"));
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    rankingAction = AddItem(fileMenu, "rankingAction", QStringLiteral("排行榜(&K)"));
    wordStatsAction = AddItem(fileMenu, "wordStatsAction", QStringLiteral("学习统计(&T)"));
    fileMenu->addSeparator();
    exitAction = AddItem(fileMenu, "exitAction", QStringLiteral("退出游戏(&X)"));
    // The platform's quit key; platforms without one (Windows' key scheme)
    // get Ctrl+Q, which players know from other programs.
    QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (quitKeys.isEmpty())
        quitKeys = {QKeySequence(Qt::CTRL | Qt::Key_Q)};
    exitAction->setShortcuts(quitKeys);
}

void TFrmSpellForm::BuildGameMenu(QMenuBar *bar)
{
    gameMenu = AddMenu(bar, "gameMenu", QStringLiteral("  游戏(&G)"));
    const struct
    {
        QAction **field;
        const char *name;
        const char *caption; // UTF-8
        QKeySequence key;
        QToolButton *button;
    } items[] = {
        {&startAction, "startAction", "开始游戏/继续(&S)", QKeySequence(Qt::Key_F2), sbStart},
        {&pauseAction, "pauseAction", "暂停(&P)", QKeySequence(Qt::Key_F3), btnPause},
        {&restartAction, "restartAction", "重新游戏(&R)", QKeySequence(Qt::Key_F5), sbReStart},
        {&hintAction, "hintAction", "提示(&H)", QKeySequence(Qt::CTRL | Qt::Key_H), btnDoHint},
        {&clearAction, "clearAction", "清除(&C)", QKeySequence(Qt::Key_Escape), btnClear},
    };
    for (const auto &def : items) {
        QAction *action = AddItem(gameMenu, def.name, QString::fromUtf8(def.caption));
        action->setShortcut(def.key);
        *def.field = action;
        def.button->setToolTip(QStringLiteral("%1（%2）").arg(def.button->text(), def.key.toString(QKeySequence::NativeText)));
    }
    btnContinue->setToolTip(QStringLiteral("%1（F2）").arg(btnContinue->text()));
    sayAgainAction = AddItem(gameMenu, "sayAgainAction", QStringLiteral("再读一遍(&A)"));
    sayAgainAction->setShortcut(QKeySequence(Qt::Key_F4));
}

void TFrmSpellForm::BuildSettingsMenu(QMainWindow &window, QMenuBar *bar)
{
    settingsMenu = AddMenu(bar, "settingsMenu", QStringLiteral("  设置(&S)"));
    levelMenu = settingsMenu->addMenu(QStringLiteral("难度(&L)"));
    levelMenu->setObjectName(QStringLiteral("levelMenu"));
    levelPopupMenu = new QMenu(&window);
    levelPopupMenu->setObjectName(QStringLiteral("levelPopupMenu"));
    sbLevel->setMenu(levelPopupMenu);
    const struct
    {
        QMenu *menu;
        QList<QAction *> *items;
        const char *names[3];
    } levelMenus[] = {
        {levelMenu, &levelActions, {"easyLevelAction", "mediumLevelAction", "hardLevelAction"}},
        {levelPopupMenu, &levelPopupActions, {"easyLevelPopupAction", "mediumLevelPopupAction", "hardLevelPopupAction"}},
    };
    for (const auto &def : levelMenus) {
        QActionGroup *group = RadioGroup(def.menu);
        for (int level = 1; level <= 3; ++level) {
            QAction *action = AddItem(def.menu, def.names[level - 1], LevelCaption(level));
            action->setCheckable(true);
            action->setActionGroup(group);
            action->setData(level);
            def.items->append(action);
        }
    }
    settingsMenu->addSeparator();
    speechAction = AddItem(settingsMenu, "speechAction", QStringLiteral("单词朗读(&W)"));
    musicAction = AddItem(settingsMenu, "musicAction", QStringLiteral("背景音乐(&M)"));
    for (QAction *toggle : {speechAction, musicAction}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    keyboardPlayAction = AddItem(settingsMenu, "keyboardPlayAction", QStringLiteral("键盘拼写(&K)"));
    autoPauseAction = AddItem(settingsMenu, "autoPauseAction", QStringLiteral("自动暂停(&A)"));
    keyboardPlayAction->setCheckable(true);
    autoPauseAction->setCheckable(true);
    settingsMenu->addSeparator();
    styleMenu = settingsMenu->addMenu(QStringLiteral("界面风格(&U)"));
    styleMenu->setObjectName(QStringLiteral("styleMenu"));
    // The default style (tag 18) comes first, then the others in tag order.
    // Each item carries its tag; TFrmSpell gives it its caption.
    QList<int> styleOrder = {18};
    for (int tag = 1; tag <= 20; ++tag)
        if (tag != 18)
            styleOrder.append(tag);
    QActionGroup *styleGroup = RadioGroup(styleMenu);
    for (int tag : styleOrder) {
        QAction *action = styleMenu->addAction(QString());
        action->setActionGroup(styleGroup);
        action->setData(tag);
        action->setCheckable(true);
    }
}

void TFrmSpellForm::BuildHelpMenu(QMenuBar *bar)
{
    helpMenu = AddMenu(bar, "helpMenu", QStringLiteral("  帮助(&H)"));
    helpAction = AddItem(helpMenu, "helpAction", QStringLiteral("帮助(&H)"));
    supportAction = AddItem(helpMenu, "supportAction", QStringLiteral("支持我们(&S)"));
    helpMenu->addSeparator();
    homePageAction = AddItem(helpMenu, "homePageAction", QStringLiteral("官方主页(&O)"));
    forumAction = AddItem(helpMenu, "forumAction", QStringLiteral("官方论坛(&F)"));
    downloadSpeechAction = AddItem(helpMenu, "downloadSpeechAction", QStringLiteral("下载语音引擎(&D)"));
    webGuideAction = AddItem(helpMenu, "webGuideAction", QStringLiteral("网址导航(&N)"));
    learningResourcesAction = AddItem(helpMenu, "learningResourcesAction", QStringLiteral("英语学习资源(&E)"));
    QMenu *seriesMenu = helpMenu->addMenu(QStringLiteral("英语学习系列软件(&L)"));
    seriesMenu->setObjectName(QStringLiteral("seriesMenu"));
    const struct
    {
        const char *caption;
        const char *page;
    } series[] = {
        {"咕噜猫单词乐园", "guluword/"},   {"咕噜猫听写乐园", "gulutingxie/"}, {"咕噜猫句子乐园", "gulusentence/"},
        {"咕噜猫语法乐园", "gulugrammar/"}, {"咕噜猫字母乐园", "guluspell/"},
    };
    for (const auto &program : series) {
        QAction *action = seriesMenu->addAction(QString::fromUtf8(program.caption));
        action->setData(QLatin1String(program.page));
        seriesActions.append(action);
    }
    helpMenu->addSeparator();
    aboutAction = AddItem(helpMenu, "aboutAction", QStringLiteral("关于(&A)"));
}

void TFrmSpellForm::FitTitleLabels()
{
    ElideBookTitle(labBook);
    // A caption and its value sit together; other labels keep a gap.
    const std::pair<QLabel *, int> row[] = {{labBook, 0},  {labGate, kLabelGap},        {labScoreCaption, kLabelGap},
                                            {labScore, 0}, {labTimeCaption, kLabelGap}, {labTime, 0}};
    int right = 0;
    for (const auto &[label, gap] : row)
        right = FitLabel(label, right + gap);
    right = std::max(521, right + 3);
    if (right != panTitle->width())
        panTitle->resize(right, panTitle->height());
}

void TFrmSpellForm::Layout(QWidget *board)
{
    if (board)
        board->move(RoundHalfEven((panGame->width() - board->width()) / 2.0),
                    RoundHalfEven((panGame->height() - board->height()) / 2.0));
    panTitle->move(RoundHalfEven((gbTitle->width() - panTitle->width()) / 2.0), panTitle->y());
    imaJoin->setGeometry(panGame->width() - 426, 0, 426, panGame->height());
}

void TFrmSpellForm::CheckLevelItems(int level)
{
    for (QAction *action : levelActions + levelPopupActions)
        action->setChecked(action->data().toInt() == level);
}
