#include "UFrmSpell.h"

#include "UAdInterface.h"
#include "UBassEx.h"
#include "UDataInterface.h"
#include "UFontMap.h"
#include "UFrmGameRecord.h"
#include "UFrmImportLib.h"
#include "UFrmInputBox.h"
#include "UFrmSelectBook.h"
#include "UIniFile.h"
#include "UMessageBox.h"
#include "UPlatformAudio.h"
#include "USpeechEx.h"
#include "USpellGameType.h"
#include "UTextCodec.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsDropShadowEffect>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cstdio>
#include <future>

namespace {

const QString kSystem = QStringLiteral("system");
const QString kRecentSeparator = QStringLiteral("#@#");
constexpr int kTollGateWords = 15;
constexpr int kMaxRecentGames = 10;
const QColor kTeal(0, 128, 128);
const QColor kPanelBlue(72, 105, 176);

// The maker's web site; the paths below it are fixed, the host is ours to set.
const QString kHomePage = QStringLiteral("https://guluspell.example.org");
const QString kWebGuide = QStringLiteral("https://daohang.example.org");

QString LevelCaption(int level)
{
    switch (level) {
    case 1: return QStringLiteral("容易");
    case 2: return QStringLiteral("较难");
    case 3: return QStringLiteral("困难");
    default: return QString();
    }
}

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
// the right. The form's place is kept on the label under these names.
constexpr char kHomeLeft[] = "guluspellHomeLeft";
constexpr char kHomeWidth[] = "guluspellHomeWidth";

void FitLabel(QLabel *label)
{
    const int left = label->property(kHomeLeft).toInt();
    const int width = label->property(kHomeWidth).toInt();
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 4;
    if (needed <= width) {
        label->setGeometry(left, label->y(), width, label->height());
    } else if (label->alignment() & Qt::AlignHCenter) {
        label->setGeometry(left - (needed - width) / 2, label->y(), needed, label->height());
    } else {
        label->setGeometry(left, label->y(), needed, label->height());
    }
}

bool ParseDecimal(const QString &text, int &value)
{
    bool ok = false;
    value = text.toInt(&ok, 10);
    return ok;
}

} // namespace

TFrmSpell::TFrmSpell(TDataInterface &data, TPlatform platform, QWidget *parent)
    : QMainWindow(parent)
    , m_data(data)
    , m_platform(std::move(platform))
{
    Q_INIT_RESOURCE(forms);
    setObjectName(QStringLiteral("FrmSpell"));
    BuildForm();
}

TFrmSpell::~TFrmSpell()
{
    // FormDestroy: advertising, then the board and the players, then the files.
    m_adInterface.reset();
    FreeGame();
    DeleteTempFiles();
}

// ---------------------------------------------------------------------------
// The form

void TFrmSpell::BuildForm()
{
    setWindowTitle(QStringLiteral("咕噜猫字母乐园"));
    setGeometry(121, 22, 837, 669);

    BuildToolBar();
    BuildMenus();

    auto *central = new QWidget(this);
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

    panGame = new QWidget(central);
    panGame->setObjectName(QStringLiteral("panGame"));
    panGame->setAutoFillBackground(true);
    QPalette gamePalette = panGame->palette();
    gamePalette.setColor(QPalette::Window, kPanelBlue);
    panGame->setPalette(gamePalette);
    panGame->installEventFilter(this);
    imaJoin = new QLabel(panGame);
    imaJoin->setObjectName(QStringLiteral("imaJoin"));
    imaJoin->setPixmap(QPixmap(QStringLiteral(":/forms/imajoin.png")));
    imaJoin->resize(426, 472);
    wbAd = new QWidget(panGame);
    wbAd->setObjectName(QStringLiteral("wbAd"));
    wbAd->setGeometry(289, 349, 69, 78);
    wbAd->hide();
    layout->addWidget(panGame, 1);
    setCentralWidget(central);

    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sStatusBar1"));
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    labAd = new QLabel(bar);
    labAd->setObjectName(QStringLiteral("labAd"));
    labAd->setGeometry(59, 4, 742, 13);
    labAd->setFont(SongTi12());

    TimerAd = new QTimer(this);
    TimerAd->setObjectName(QStringLiteral("TimerAd"));
    TimerAd->setInterval(10000);
    TimerAd->setSingleShot(true);
    connect(TimerAd, &QTimer::timeout, this, [this] {
        // The pop-up advertising has nothing to show until ads are fetched.
        TimerAd->stop();
    });
    TimerAd->start();
}

void TFrmSpell::BuildToolBar()
{
    tbar = new QToolBar(this);
    tbar->setObjectName(QStringLiteral("tbar"));
    tbar->setMovable(false);
    tbar->setFloatable(false);
    tbar->setFixedHeight(30);
    addToolBar(Qt::TopToolBarArea, tbar);

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

    connect(sbStart, &QToolButton::clicked, this, [this] { Guarded([this] { sbStartClick(); }); });
    connect(sbReStart, &QToolButton::clicked, this, [this] { Guarded([this] { sbReStartClick(); }); });
    connect(btnContinue, &QToolButton::clicked, this, [this] { Guarded([this] { btnContinueClick(); }); });
    connect(btnPause, &QToolButton::clicked, this, [this] { Guarded([this] { btnPauseClick(); }); });
    connect(btnClear, &QToolButton::clicked, this, [this] { Guarded([this] { btnClearClick(); }); });
    connect(btnDoHint, &QToolButton::clicked, this, [this] { Guarded([this] { btnDoHintClick(); }); });
    connect(cbSpeech, &QCheckBox::clicked, this, [this] { Guarded([this] { cbSpeechClick(cbSpeech); }); });
    connect(cbBackGround, &QCheckBox::clicked, this, [this] { Guarded([this] { cbBackGroundClick(cbBackGround); }); });
}

void TFrmSpell::BuildTitleStrip(QWidget *central)
{
    gbTitle = new QGroupBox(central);
    gbTitle->setObjectName(QStringLiteral("gbTitle"));
    gbTitle->setFixedHeight(47);
    gbTitle->installEventFilter(this);
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

void TFrmSpell::BuildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    auto separator = [](QMenu *menu, const char *name) { menu->addSeparator()->setObjectName(QLatin1String(name)); };

    QMenu *n1 = bar->addMenu(QStringLiteral("  文件(&F)"));
    n1->setObjectName(QStringLiteral("N1"));
    connect(item(n1, "N6", QStringLiteral("选择课本")), &QAction::triggered, this,
            [this] { Guarded([this] { N6Click(); }); });
    connect(item(n1, "N32", QStringLiteral("导入咕噜猫词库")), &QAction::triggered, this,
            [this] { Guarded([this] { N32Click(); }); });
    connect(item(n1, "N33", QStringLiteral("下载咕噜猫词库")), &QAction::triggered, this,
            [this] { OpenDocument(ReadSystemValue(QStringLiteral("GuluLoadCiKu"))); });
    separator(n1, "N7");
    nRecently = n1->addMenu(QStringLiteral("最近关卡"));
    nRecently->setObjectName(QStringLiteral("nRecently"));
    connect(item(n1, "N4", QStringLiteral("排行榜")), &QAction::triggered, this,
            [this] { Guarded([this] { N4Click(); }); });
    separator(n1, "N3");
    connect(item(n1, "N2", QStringLiteral("退出游戏")), &QAction::triggered, this, [this] { N2Click(); });

    QMenu *n12 = bar->addMenu(QStringLiteral("  设置(&S)"));
    n12->setObjectName(QStringLiteral("N12"));
    QMenu *n14 = n12->addMenu(QStringLiteral("难度"));
    n14->setObjectName(QStringLiteral("N14"));
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    sbLevel->setMenu(PopupMenu1);
    struct LevelItem
    {
        QAction **field;
        QMenu *menu;
        const char *name;
        int tag;
    };
    const LevelItem levelItems[] = {
        {&N8, n14, "N8", 1},         {&N9, n14, "N9", 2},         {&N10, n14, "N10", 3},
        {&N27, PopupMenu1, "N27", 1}, {&N28, PopupMenu1, "N28", 2}, {&N29, PopupMenu1, "N29", 3},
    };
    for (const LevelItem &def : levelItems) {
        QAction *action = item(def.menu, def.name, LevelCaption(def.tag));
        action->setCheckable(true);
        action->setData(def.tag);
        connect(action, &QAction::triggered, this, [this, action] { Guarded([this, action] { N27Click(action); }); });
        *def.field = action;
    }
    separator(n12, "N18");
    N16 = item(n12, "N16", QStringLiteral("单词朗读"));
    N15 = item(n12, "N15", QStringLiteral("背景音乐"));
    for (QAction *toggle : {N16, N15}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    connect(N16, &QAction::triggered, this, [this] { Guarded([this] { cbSpeechClick(N16); }); });
    connect(N15, &QAction::triggered, this, [this] { Guarded([this] { cbBackGroundClick(N15); }); });
    separator(n12, "N17");
    miUI = n12->addMenu(QStringLiteral("界面风格"));
    miUI->setObjectName(QStringLiteral("miUI"));
    // beijing18 comes first, then the others in order.
    QList<int> styleOrder = {18};
    for (int tag = 1; tag <= 20; ++tag)
        if (tag != 18)
            styleOrder.append(tag);
    for (int tag : styleOrder) {
        QAction *action = miUI->addAction(QString());
        action->setObjectName(QStringLiteral("beijing%1").arg(tag));
        action->setData(tag);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, action] { beijing18Click(action); });
    }

    QMenu *n19 = bar->addMenu(QStringLiteral("  帮助(&H)"));
    n19->setObjectName(QStringLiteral("N19"));
    connect(item(n19, "N23", QStringLiteral("帮助")), &QAction::triggered, this, [this] {
        const QString help = GetAppPath() + QStringLiteral("guluspell.chm");
        if (QFileInfo::exists(help))
            OpenDocument(help);
    });
    nSupport = item(n19, "nSupport", QStringLiteral("支持我们"));
    separator(n19, "N35");
    connect(item(n19, "N11", QStringLiteral("官方主页")), &QAction::triggered, this, [this] { OpenDocument(kHomePage); });
    connect(item(n19, "N5", QStringLiteral("官方论坛")), &QAction::triggered, this,
            [this] { OpenDocument(kHomePage + QStringLiteral("/bbs")); });
    connect(item(n19, "N34", QStringLiteral("下载语音引擎")), &QAction::triggered, this,
            [this] { OpenDocument(ReadSystemValue(QStringLiteral("Speek"))); });
    connect(item(n19, "nWebGuide", QStringLiteral("网址导航")), &QAction::triggered, this,
            [this] { OpenDocument(kWebGuide); });
    connect(item(n19, "N13", QStringLiteral("英语学习资源")), &QAction::triggered, this,
            [this] { OpenDocument(kWebGuide + QStringLiteral("/s/64.html")); });
    QMenu *n20 = n19->addMenu(QStringLiteral("英语学习系列软件"));
    n20->setObjectName(QStringLiteral("N20"));
    const struct
    {
        const char *name;
        const char *caption;
        const char *page;
    } series[] = {
        {"N21", "咕噜猫单词乐园", "/game/guluword/"},   {"N22", "咕噜猫听写乐园", "/game/gulutingxie/"},
        {"N26", "咕噜猫句子乐园", "/game/gulusentence/"}, {"N30", "咕噜猫语法乐园", "/game/gulugrammar/"},
        {"N31", "咕噜猫字母乐园", "/game/guluspell/"},
    };
    for (const auto &program : series) {
        const QString page = kHomePage + QLatin1String(program.page);
        connect(item(n20, program.name, QString::fromUtf8(program.caption)), &QAction::triggered, this,
                [this, page] { OpenDocument(page); });
    }
    separator(n19, "N24");
    item(n19, "N25", QStringLiteral("关于"));
}

void TFrmSpell::OpenDocument(const QString &target)
{
    if (target.isEmpty())
        return;
    const QUrl url = QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl(target);
    QDesktopServices::openUrl(url); // the result is not examined: nothing to tell the player
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

int TFrmSpell::RunProgram(int &argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
    SetConfigFile(QStringLiteral("data/spellconfig.ini"));

    // Opening the sound device and keying the word library each take tens
    // of milliseconds (the device up to 0.14 s when there is none): both run
    // beside the building of the window. The device is opened first thing;
    // the library only once the application object exists, because Qt takes
    // the first thread that touches a Qt object for its main thread.
    const TAudioOutputWarmUp audioWarmUp;
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    auto data = std::make_unique<TDataInterface>();
    std::future<bool> opened = std::async(std::launch::async, [&data] { return data->ConnectDatabase(); });

    TPlatform platform;
    platform.CreateAudioLayer = CreatePlatformAudioLayer;
    platform.CreateSpeechLayer = CreatePlatformSpeechLayer;
    TFrmSpell window(*data, platform);
    TSpellGameType::PreloadArtwork();
    if (!opened.get()) {
        std::fprintf(stderr, "guluspell: cannot open the word library %s\n",
                     qPrintable(TDataInterface::GetDatabaseFileName()));
        return 1;
    }
    window.show();
    if (qEnvironmentVariableIsSet("GULUSPELL_STARTUP_TIMING")) {
        QTimer::singleShot(0, &window, [&clock] {
            // The epoch time lets a benchmark measure from its own start of
            // the process, before any of our code ran.
            std::printf("guluspell: main window shown after %lld ms, at %lld ns\n",
                        static_cast<long long>(clock.elapsed()),
                        static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) * 1000000);
            std::fflush(stdout);
            if (qEnvironmentVariable("GULUSPELL_STARTUP_TIMING") == QLatin1String("exit"))
                QCoreApplication::quit();
        });
    }
    return app.exec();
}

void TFrmSpell::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    Guarded([this] { FormShow(); });
}

void TFrmSpell::FormShow()
{
    FillStyleMenu();
    m_adInterface = std::make_unique<TAdInterface>();
    wbAd->hide();
    nSupport->setEnabled(!m_adInterface->Urls().isEmpty());
    InitGame();
    LoadRecentMenu();
}

void TFrmSpell::InitGame()
{
    // Every Qt widget paints through a back buffer already, so the board's
    // repaints on each mouse move do not flicker without further set-up.
    m_speech = std::make_unique<TSpeechEx>(m_platform.CreateSpeechLayer ? m_platform.CreateSpeechLayer() : nullptr);
    m_bassEx = std::make_unique<TBassEx>(m_platform.CreateAudioLayer ? m_platform.CreateAudioLayer() : nullptr,
                                         quintptr(winId()));
    if (!m_speech->CreateVoice())
        ShowInfo(this, QStringLiteral("语音引擎创建失败，请安装语音引擎！"));

    m_spellGame = new TSpellGameType(panGame);
    m_spellGame->setObjectName(QStringLiteral("SpellGame"));
    m_spellGame->show();
    connect(m_spellGame, &TSpellGameType::OnTimeChange, this, &TFrmSpell::SpellTimeChange);
    connect(m_spellGame, &TSpellGameType::OnScoreChange, this, &TFrmSpell::SpellScoreChange);
    connect(m_spellGame, &TSpellGameType::OnGameOver, this,
            [this](QObject *sender, bool success) { Guarded([=, this] { SpellGameOver(sender, success); }); });

    m_gamePara.TollGateWords = kTollGateWords;
    m_spellGame->SetTollGateWords(kTollGateWords);
    LoadGamePara();
    m_gamePara.TollGateCount = CeilDiv(kTollGateWords, m_gamePara.WordCount);
    TWordInfos words;
    LoadTollGateWords(m_gamePara.TollGateIndex, words);
    m_spellGame->StartGame(words, m_bassEx.get(), m_speech.get());
    m_spellGame->SetLevel(m_gamePara.Level);
    m_spellGame->SetHasSpeech(true);
    m_spellGame->PauseGame();
    ResetGameView();
    AddRecentRecord(m_gamePara);
    FormResize();
}

void TFrmSpell::LoadGamePara()
{
    const TIniFile ini(ConfigFilePath());
    m_gamePara.StoreTableName = ini.ReadString(kSystem, QStringLiteral("StoreTableName"), QStringLiteral("lib109"));
    m_gamePara.WordCount = ini.ReadInteger(kSystem, QStringLiteral("WordCount"), 3480);
    m_gamePara.BookName = ini.ReadString(kSystem, QStringLiteral("BookName"), QStringLiteral("《最新TOEFL词汇》"));
    m_gamePara.TollGateIndex = ini.ReadInteger(kSystem, QStringLiteral("TollGateIndex"), 1);
    m_gamePara.Level = ini.ReadInteger(kSystem, QStringLiteral("Level"), 1);
}

void TFrmSpell::SaveGamePara()
{
    TIniFile(ConfigFilePath())
        .WriteStrings(kSystem, {{QStringLiteral("StoreTableName"), m_gamePara.StoreTableName},
                                {QStringLiteral("WordCount"), QString::number(m_gamePara.WordCount)},
                                {QStringLiteral("BookName"), m_gamePara.BookName},
                                {QStringLiteral("TollGateIndex"), QString::number(m_gamePara.TollGateIndex)},
                                {QStringLiteral("Level"), QString::number(m_gamePara.Level)}});
}

void TFrmSpell::closeEvent(QCloseEvent *event)
{
    SaveGamePara();
    QMainWindow::closeEvent(event);
}

bool TFrmSpell::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && (watched == panGame || watched == gbTitle))
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TFrmSpell::FormResize()
{
    if (m_spellGame)
        m_spellGame->move(RoundHalfEven((panGame->width() - m_spellGame->width()) / 2.0),
                          RoundHalfEven((panGame->height() - m_spellGame->height()) / 2.0));
    panTitle->move(RoundHalfEven((gbTitle->width() - panTitle->width()) / 2.0), panTitle->y());
    // The picture's sky is the panel's own blue, so it can sit in the lower
    // right corner: the mascots stand on the bottom edge at any height.
    imaJoin->setGeometry(panGame->width() - 426, panGame->height() - 472, 426, 472);
}

void TFrmSpell::FreeGame()
{
    delete m_spellGame; // stops the music through the sound player, which is still alive
    m_spellGame = nullptr;
    m_speech.reset();
    m_bassEx.reset();
}

void TFrmSpell::DeleteTempFiles()
{
    const QString app = GetAppPath();
    for (const char *name : {"data/Acryl.asz", "data/MacOS2.asz", "data/Blue.asz", "data/Opus.asz", "data/Winter.asz",
                             "data/WLM.asz", "guluspell1.xml", "guluspell2.xml"})
        QFile::remove(app + QLatin1String(name));
}

void TFrmSpell::Guarded(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EDatabaseError &error) {
        ShowInfo(this, error.Message());
    } catch (const std::exception &error) {
        ShowInfo(this, QString::fromLocal8Bit(error.what()));
    }
}

// ---------------------------------------------------------------------------
// Interface styles

QString TFrmSpell::GetSkinName(int tag)
{
    static const char *const names[] = {"Acryl",   "Beijing",          "Calcium", "Cold",   "Elegant",
                                        "FalloutStyle", "MacMetal",    "MacOS2",  "Neutral4", "Office2007 Black",
                                        "Blue",    "Opus",             "Pulsar",  "Steam",  "Topaz",
                                        "Vista",   "Winter",           "WLM",     "WMP 2008", "Wood"};
    return tag >= 1 && tag <= 20 ? QLatin1String(names[tag - 1]) : QString();
}

QString TFrmSpell::GetSkinCaption(int tag)
{
    switch (tag) {
    case 1: return QStringLiteral("风格1");
    case 8: return QStringLiteral("风格3");
    case 11: return QStringLiteral("默认风格");
    case 12: return QStringLiteral("风格4");
    case 17: return QStringLiteral("风格5");
    case 18: return QStringLiteral("风格2");
    default: return QString();
    }
}

void TFrmSpell::FillStyleMenu()
{
    const QString current = GetDefaultUI();
    for (QAction *action : miUI->actions()) {
        const int tag = action->data().toInt();
        action->setText(GetSkinCaption(tag));
        action->setVisible(!action->text().isEmpty());
        action->setChecked(GetSkinName(tag) == current);
    }
}

void TFrmSpell::beijing18Click(QAction *item)
{
    for (QAction *action : miUI->actions())
        action->setChecked(false);
    item->setChecked(true);
    SetDefaultUI(GetSkinName(item->data().toInt()));
}

// ---------------------------------------------------------------------------
// Toll gates and the title strip

bool TFrmSpell::LoadTollGateWords(int index, TWordInfos &words)
{
    words.clear();
    // Toll gates before the first read as the first, like rows skipped by a
    // negative count; those past any possible book are simply empty.
    const int gate = std::max(1, index);
    if ((qint64(gate) - 1) * m_gamePara.TollGateWords > std::numeric_limits<int>::max())
        return true;
    try {
        words = m_data.LoadTollGate(m_gamePara.StoreTableName, gate, m_gamePara.TollGateWords);
    } catch (const EDatabaseError &) {
        return false; // a missing book plays as an empty toll gate
    }
    return true;
}

void TFrmSpell::ChangeTollGate(int index)
{
    TWordInfos words;
    LoadTollGateWords(index, words);
    m_spellGame->SetWords(words);
    m_spellGame->RestartGame();
    ShowTollGateInfo();
    m_spellGame->update();
    AddRecentRecord(m_gamePara);
}

void TFrmSpell::ShowTollGateInfo()
{
    labGate->setText(QStringLiteral("关卡：第%1关（共%2关）").arg(m_gamePara.TollGateIndex).arg(m_gamePara.TollGateCount));
    labScore->setText(QStringLiteral("0"));
    FitTitleLabels();
}

void TFrmSpell::FitTitleLabels()
{
    int right = 521;
    for (QLabel *label : {labBook, labGate, sLabelFX2, labScore, sLabelFX6, labTime}) {
        FitLabel(label);
        right = std::max(right, label->geometry().right() + 3);
    }
    if (right != panTitle->width()) {
        panTitle->resize(right, panTitle->height());
        FormResize();
    }
}

void TFrmSpell::CheckLevelItems(int level)
{
    for (QAction *action : {N8, N9, N10, N27, N28, N29})
        action->setChecked(action->data().toInt() == level);
}

void TFrmSpell::ResetGameView()
{
    ShowTollGateInfo();
    SetButtonStates(true, false, false, false, true);
    const int level = m_spellGame->GetLevel();
    CheckLevelItems(level);
    if (!LevelCaption(level).isEmpty())
        sbLevel->setText(LevelCaption(level));
    labTime->setText(QString::number(m_spellGame->GetLevelTime()) + QStringLiteral("秒"));
    labBook->setText(m_gamePara.BookName);
    labScore->setText(QStringLiteral("0"));
    m_scoreBase = 0;
    FitTitleLabels();
}

void TFrmSpell::SetButtonStates(bool start, bool reStart, bool cont, bool pause, bool level)
{
    sbStart->setEnabled(start);
    sbReStart->setEnabled(reStart);
    btnContinue->setEnabled(cont);
    btnPause->setEnabled(pause);
    sbLevel->setEnabled(level);
    btnClear->setEnabled(cont || pause);
    btnDoHint->setEnabled(cont || pause);
    // Only a running game takes clicks: a paused board would let the player
    // think on a stopped clock.
    if (m_spellGame)
        m_spellGame->setEnabled(!start && pause);
}

int TFrmSpell::ShownScore() const
{
    return labScore->text().toInt();
}

// ---------------------------------------------------------------------------
// Toolbar and menus

void TFrmSpell::sbStartClick()
{
    m_spellGame->ContinueGame();
    SetButtonStates(false, true, false, true, true);
}

void TFrmSpell::sbReStartClick()
{
    m_gamePara.TollGateIndex = 1;
    ChangeTollGate(1);
    SetButtonStates(false, true, false, true, true);
    m_scoreBase = 0;
    labScore->setText(QStringLiteral("0"));
}

void TFrmSpell::btnPauseClick()
{
    m_spellGame->PauseGame();
    SetButtonStates(false, true, true, false, true);
}

void TFrmSpell::btnContinueClick()
{
    m_spellGame->ContinueGame();
    SetButtonStates(false, true, false, true, true);
}

void TFrmSpell::btnClearClick()
{
    m_spellGame->ClearSpelling();
}

void TFrmSpell::btnDoHintClick()
{
    m_spellGame->ShowHint();
}

void TFrmSpell::N27Click(QAction *item)
{
    const int tag = item->data().toInt();
    CheckLevelItems(tag);
    sbLevel->setText(item->text());
    m_spellGame->SetLevel(tag);
    m_gamePara.Level = tag;
    ChangeTollGate(m_gamePara.TollGateIndex);
    if (!btnPause->isEnabled())
        m_spellGame->PauseGame();
}

void TFrmSpell::cbSpeechClick(QObject *sender)
{
    if (sender == N16) {
        cbSpeech->setChecked(N16->isChecked());
    } else {
        N16->setChecked(cbSpeech->isChecked());
    }
    m_spellGame->SetHasSpeech(cbSpeech->isChecked());
}

void TFrmSpell::cbBackGroundClick(QObject *sender)
{
    m_spellGame->StopBackMusic();
    if (sender == N15)
        cbBackGround->setChecked(N15->isChecked());
    else
        N15->setChecked(cbBackGround->isChecked());
    if (cbBackGround->isChecked())
        m_spellGame->PlayBackMusic();
}

void TFrmSpell::N6Click()
{
    TFrmSelectBook dialog(m_data, this);
    CopyGamePara(m_gamePara, dialog.GamePara());
    if (DialogService().ExecDialog(dialog) != QDialog::Accepted)
        return;
    CopyGamePara(dialog.GamePara(), m_gamePara);
    ChangeTollGate(m_gamePara.TollGateIndex);
    m_spellGame->PauseGame();
    ResetGameView();
}

void TFrmSpell::N32Click()
{
    // The selection dialog reads the catalogue afresh, so nothing to refresh here.
    TFrmImportLib dialog(m_data, this);
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::N4Click()
{
    TFrmGameRecord dialog(m_data, this);
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::N2Click()
{
    close();
}

// ---------------------------------------------------------------------------
// The board's notifications

void TFrmSpell::SpellTimeChange(QObject *)
{
    labTime->setText(QString::number(m_spellGame->GetLevelTime() - m_spellGame->GetTimerTime()) + QStringLiteral("秒"));
    FitTitleLabels();
}

void TFrmSpell::SpellScoreChange(QObject *)
{
    labScore->setText(QString::number(m_spellGame->GetScore() + m_scoreBase));
    FitTitleLabels();
}

void TFrmSpell::SpellGameOver(QObject *, bool success)
{
    if (success && m_gamePara.TollGateIndex == m_gamePara.TollGateCount) {
        // The board adds the last word's points only after this handler
        // returns; the finished game is credited with them here.
        const int total = ShownScore() + (m_spellGame->HintUsed() ? 0 : m_spellGame->GetLevel() * 100);
        if (!AskYesNo(this, QStringLiteral("恭喜您完成了此次游戏的所有关卡！\n得分：%1\n再玩一次吧？").arg(total)))
            return;
        SaveGameRecord(total);
        // Start the new game once the board has finished with the old one, so
        // the last word's points do not carry into it.
        QMetaObject::invokeMethod(this, [this] { Guarded([this] { StartNewGameAfterBook(); }); },
                                  Qt::QueuedConnection);
        return;
    }
    if (success) {
        m_scoreBase = ShownScore();
        ++m_gamePara.TollGateIndex;
        ChangeTollGate(m_gamePara.TollGateIndex);
        return;
    }
    const int shown = ShownScore();
    ShowInfo(this, QStringLiteral("很遗憾，您没能完成此次游戏，再接再励吧！\n得分：%1").arg(shown));
    SaveGameRecord(shown);
    m_gamePara.TollGateIndex = 1;
    ChangeTollGate(1);
    m_spellGame->PauseGame();
    labScore->setText(QStringLiteral("0"));
    m_scoreBase = 0;
    ResetGameView();
}

void TFrmSpell::StartNewGameAfterBook()
{
    m_gamePara.TollGateIndex = 1;
    ChangeTollGate(1);
    labScore->setText(QStringLiteral("0"));
    m_scoreBase = 0;
}

void TFrmSpell::SaveGameRecord(int score)
{
    if (!AskYesNo(this, QStringLiteral("是否记录您的游戏成绩？")))
        return;
    TFrmInputBox input(this);
    input.setWindowTitle(QStringLiteral("用户名"));
    input.SetPrompt(QStringLiteral("请输入您的名字："));
    if (DialogService().ExecDialog(input) == QDialog::Accepted)
        m_data.AddGameRecord(input.Text(), score);
}

// ---------------------------------------------------------------------------
// Recent games

QString TFrmSpell::RecentFileName() const
{
    return GetAppPath() + QStringLiteral("UseRecord.txt");
}

void TFrmSpell::AddRecentRecord(TGamePara para)
{
    QStringList lines;
    QFile file(RecentFileName());
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return; // unreadable: skip the step rather than lose the list
        const QString text = DecodeGbk(file.readAll());
        file.close();
        lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }
    const QString line = QStringList{para.StoreTableName, QString::number(para.WordCount), para.BookName,
                                     QString::number(para.TollGateIndex), QString::number(para.Level)}
                             .join(kRecentSeparator);
    const bool known = std::any_of(lines.cbegin(), lines.cend(), [&line](const QString &existing) {
        return existing.compare(line, Qt::CaseInsensitive) == 0;
    });
    if (!known)
        lines.append(line);
    while (lines.size() > kMaxRecentGames)
        lines.removeFirst();
    QByteArray out;
    for (const QString &l : std::as_const(lines))
        out += EncodeGbk(l) + "\r\n";
    WriteFileAtomically(RecentFileName(), out);
    LoadRecentMenu();
}

void TFrmSpell::LoadRecentMenu()
{
    // The clicked item may be the one being replaced: let Qt free it later.
    for (QAction *action : nRecently->actions()) {
        nRecently->removeAction(action);
        action->deleteLater();
    }
    QFile file(RecentFileName());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = DecodeGbk(file.readAll()).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (int i = 0; i < lines.size(); ++i) {
        if (i == lines.size() - 1 && lines[i].isEmpty())
            break; // the final line break
        QStringList fields;
        SplitString(lines[i], kRecentSeparator, fields);
        if (fields.size() < 5)
            break;
        int level = 0;
        ParseDecimal(fields[4], level);
        QString caption = fields[2] + QStringLiteral(" 第") + fields[3] + QStringLiteral("关 ");
        if (fields[4] == QLatin1String("1") || fields[4] == QLatin1String("2") || fields[4] == QLatin1String("3"))
            caption += LevelCaption(level);
        auto *action = new QAction(caption, this);
        action->setData(lines[i]);
        connect(action, &QAction::triggered, this, [this, action] { Guarded([this, action] { RecentItemClick(action); }); });
        nRecently->addAction(action);
    }
}

void TFrmSpell::RecentItemClick(QAction *item)
{
    QStringList fields;
    SplitString(item->data().toString(), kRecentSeparator, fields);
    int wordCount = 0, tollGate = 0, level = 0;
    if (fields.size() < 5 || !ParseDecimal(fields[1], wordCount) || !ParseDecimal(fields[3], tollGate)
        || !ParseDecimal(fields[4], level))
        return;
    m_gamePara.StoreTableName = fields[0];
    m_gamePara.WordCount = wordCount;
    m_gamePara.BookName = fields[2];
    m_gamePara.TollGateIndex = tollGate;
    m_gamePara.Level = level;
    m_gamePara.TollGateCount = CeilDiv(m_gamePara.TollGateWords, wordCount);
    ChangeTollGate(tollGate); // rebuilds the menu: item must not be touched after this
    m_spellGame->SetLevel(level);
    m_spellGame->PauseGame();
    ResetGameView();
}
