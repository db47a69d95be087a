#include "UFrmSpellForm.h"

#include "UCommonFun.h"
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

void AddSeparator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
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

    sPanel1 = new QFrame(central);
    sPanel1->setObjectName(QStringLiteral("sPanel1"));
    sPanel1->setFixedHeight(41);
    sPanel1->setFrameShape(QFrame::StyledPanel);
    auto *titleLayout = new QHBoxLayout(sPanel1);
    titleLayout->setContentsMargins(0, 0, 0, 0);
    sLabelFX1 = new QLabel(QStringLiteral("咕噜猫字母乐园"), sPanel1);
    sLabelFX1->setObjectName(QStringLiteral("sLabelFX1"));
    sLabelFX1->setAlignment(Qt::AlignCenter);
    sLabelFX1->setFont(FontByPixels(QStringLiteral("华文新魏"), 32));
    SetTextColour(sLabelFX1, QColor(0, 64, 128));
    AddWhiteGlow(sLabelFX1);
    titleLayout->addWidget(sLabelFX1);
    layout->addWidget(sPanel1);

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
    bar->setObjectName(QStringLiteral("sStatusBar1"));
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    // Two panels; the last one runs to the right edge, as a status bar's
    // last part does, and the advertising line lies over it.
    for (int i = 0; i < 2; ++i) {
        auto *panel = new QFrame(bar);
        panel->setObjectName(QStringLiteral("sStatusPanel%1").arg(i + 1));
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
    labAd->setGeometry(59, 4, 742, 13);
    labAd->setFont(SongTi12());
    labAd->raise();
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
    auto separator = [this](const char *name) { tbar->addSeparator()->setObjectName(QLatin1String(name)); };

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
    separator("ToolButton1");
    tbar->addWidget(sbReStart);
    separator("ToolButton2");
    tbar->addWidget(btnContinue);
    tbar->addWidget(btnPause);
    separator("ToolButton3");
    tbar->addWidget(btnClear);
    tbar->addWidget(btnDoHint);
    separator("ToolButton4");
    tbar->addWidget(sbLevel);
    separator("ToolButton5");
    tbar->addWidget(cbSpeech);
    tbar->addWidget(cbBackGround);
    separator("tbSplite");
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
        {&sLabelFX2, "sLabelFX2", 348, 8, 40, Qt::AlignLeft, kTeal, QStringLiteral("得分：")},
        {&labScore, "labScore", 387, 8, 36, Qt::AlignLeft, kTeal, QStringLiteral("0")},
        {&sLabelFX6, "sLabelFX6", 426, 7, 64, Qt::AlignLeft, kTeal, QStringLiteral("剩余时间：")},
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
    bar->setObjectName(QStringLiteral("MainMenu1"));
    BuildFileMenu(bar);
    BuildGameMenu(bar);
    BuildSettingsMenu(window, bar);
    BuildHelpMenu(bar);
}

void TFrmSpellForm::BuildFileMenu(QMenuBar *bar)
{
    QMenu *n1 = bar->addMenu(QStringLiteral("  文件(&F)"));
    n1->setObjectName(QStringLiteral("N1"));
    N6 = AddItem(n1, "N6", QStringLiteral("选择课本"));
    N32 = AddItem(n1, "N32", QStringLiteral("导入咕噜猫词库"));
    N33 = AddItem(n1, "N33", QStringLiteral("下载咕噜猫词库"));
    AddSeparator(n1, "N7");
    nRecently = n1->addMenu(QStringLiteral("最近关卡"));
    nRecently->setObjectName(QStringLiteral("nRecently"));
    N4 = AddItem(n1, "N4", QStringLiteral("排行榜"));
    AddSeparator(n1, "N3");
    N2 = AddItem(n1, "N2", QStringLiteral("退出游戏"));
}

void TFrmSpellForm::BuildGameMenu(QMenuBar *bar)
{
    QMenu *menu = bar->addMenu(QStringLiteral("  游戏(&G)"));
    menu->setObjectName(QStringLiteral("nGame"));
    const struct
    {
        QAction **field;
        const char *name;
        const char *caption; // UTF-8
        QKeySequence key;
        QToolButton *button;
    } items[] = {
        {&nGameStart, "nGameStart", "开始游戏/继续", QKeySequence(Qt::Key_F2), sbStart},
        {&nGamePause, "nGamePause", "暂停", QKeySequence(Qt::Key_F3), btnPause},
        {&nGameRestart, "nGameRestart", "重新游戏", QKeySequence(Qt::Key_F5), sbReStart},
        {&nGameHint, "nGameHint", "提示", QKeySequence(Qt::CTRL | Qt::Key_H), btnDoHint},
        {&nGameClear, "nGameClear", "清除", QKeySequence(Qt::Key_Escape), btnClear},
    };
    for (const auto &def : items) {
        QAction *action = AddItem(menu, def.name, QString::fromUtf8(def.caption));
        action->setShortcut(def.key);
        *def.field = action;
        def.button->setToolTip(QStringLiteral("%1 (%2)").arg(def.button->text(), def.key.toString(QKeySequence::NativeText)));
    }
    btnContinue->setToolTip(QStringLiteral("%1 (F2)").arg(btnContinue->text()));
}

void TFrmSpellForm::BuildSettingsMenu(QMainWindow &window, QMenuBar *bar)
{
    QMenu *n12 = bar->addMenu(QStringLiteral("  设置(&S)"));
    n12->setObjectName(QStringLiteral("N12"));
    QMenu *n14 = n12->addMenu(QStringLiteral("难度"));
    n14->setObjectName(QStringLiteral("N14"));
    PopupMenu1 = new QMenu(&window);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    sbLevel->setMenu(PopupMenu1);
    const struct
    {
        QAction **field;
        QMenu *menu;
        const char *name;
        int tag;
    } levelItems[] = {
        {&N8, n14, "N8", 1},         {&N9, n14, "N9", 2},         {&N10, n14, "N10", 3},
        {&N27, PopupMenu1, "N27", 1}, {&N28, PopupMenu1, "N28", 2}, {&N29, PopupMenu1, "N29", 3},
    };
    QActionGroup *levelGroups[] = {RadioGroup(n14), RadioGroup(PopupMenu1)};
    for (const auto &def : levelItems) {
        QAction *action = AddItem(def.menu, def.name, LevelCaption(def.tag));
        action->setCheckable(true);
        action->setActionGroup(levelGroups[def.menu == n14 ? 0 : 1]);
        action->setData(def.tag);
        *def.field = action;
    }
    AddSeparator(n12, "N18");
    N16 = AddItem(n12, "N16", QStringLiteral("单词朗读"));
    N15 = AddItem(n12, "N15", QStringLiteral("背景音乐"));
    for (QAction *toggle : {N16, N15}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    nKeyboardPlay = AddItem(n12, "nKeyboardPlay", QStringLiteral("键盘拼写"));
    nAutoPause = AddItem(n12, "nAutoPause", QStringLiteral("自动暂停"));
    nKeyboardPlay->setCheckable(true);
    nAutoPause->setCheckable(true);
    AddSeparator(n12, "N17");
    miUI = n12->addMenu(QStringLiteral("界面风格"));
    miUI->setObjectName(QStringLiteral("miUI"));
    // beijing18 comes first, then the others in order.
    QList<int> styleOrder = {18};
    for (int tag = 1; tag <= 20; ++tag)
        if (tag != 18)
            styleOrder.append(tag);
    QActionGroup *styleGroup = RadioGroup(miUI);
    for (int tag : styleOrder) {
        QAction *action = miUI->addAction(QString());
        action->setActionGroup(styleGroup);
        action->setObjectName(QStringLiteral("beijing%1").arg(tag));
        action->setData(tag);
        action->setCheckable(true);
    }
}

void TFrmSpellForm::BuildHelpMenu(QMenuBar *bar)
{
    QMenu *n19 = bar->addMenu(QStringLiteral("  帮助(&H)"));
    n19->setObjectName(QStringLiteral("N19"));
    N23 = AddItem(n19, "N23", QStringLiteral("帮助"));
    nSupport = AddItem(n19, "nSupport", QStringLiteral("支持我们"));
    AddSeparator(n19, "N35");
    N11 = AddItem(n19, "N11", QStringLiteral("官方主页"));
    N5 = AddItem(n19, "N5", QStringLiteral("官方论坛"));
    N34 = AddItem(n19, "N34", QStringLiteral("下载语音引擎"));
    nWebGuide = AddItem(n19, "nWebGuide", QStringLiteral("网址导航"));
    N13 = AddItem(n19, "N13", QStringLiteral("英语学习资源"));
    QMenu *n20 = n19->addMenu(QStringLiteral("英语学习系列软件"));
    n20->setObjectName(QStringLiteral("N20"));
    const struct
    {
        const char *name;
        const char *caption;
        const char *page;
    } series[] = {
        {"N21", "咕噜猫单词乐园", "guluword/"},   {"N22", "咕噜猫听写乐园", "gulutingxie/"},
        {"N26", "咕噜猫句子乐园", "gulusentence/"}, {"N30", "咕噜猫语法乐园", "gulugrammar/"},
        {"N31", "咕噜猫字母乐园", "guluspell/"},
    };
    for (const auto &program : series) {
        QAction *action = AddItem(n20, program.name, QString::fromUtf8(program.caption));
        action->setData(QLatin1String(program.page));
        SeriesItems.append(action);
    }
    AddSeparator(n19, "N24");
    N25 = AddItem(n19, "N25", QStringLiteral("关于"));
}

void TFrmSpellForm::FitTitleLabels()
{
    ElideBookTitle(labBook);
    // A caption and its value sit together; other labels keep a gap.
    const std::pair<QLabel *, int> row[] = {{labBook, 0},   {labGate, kLabelGap},   {sLabelFX2, kLabelGap},
                                            {labScore, 0},  {sLabelFX6, kLabelGap}, {labTime, 0}};
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
    for (QAction *action : {N8, N9, N10, N27, N28, N29})
        action->setChecked(action->data().toInt() == level);
}
