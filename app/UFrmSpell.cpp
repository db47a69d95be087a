#include "UFrmSpell.h"

#include "UAdInterface.h"
#include "UAdLabel.h"
#include "UAutoPause.h"
#include "UBoardAudio.h"
#include "UDailyGoalStatus.h"
#include "UDataInterface.h"
#include "UErrorMessages.h"
#include "UFrmAbout.h"
#include "UFrmAd.h"
#include "UFrmGameRecord.h"
#include "UFrmImportLib.h"
#include "UFrmSelectBook.h"
#include "UFrmSupport.h"
#include "UFrmWordStats.h"
#include "UGameFlow.h"
#include "UGateReviewFlow.h"
#include "UFrmHelp.h"
#include "UGuarded.h"
#include "UMistakeBookMenu.h"
#include "UMessageBox.h"
#include "URecentGames.h"
#include "USoundPlayer.h"
#include "USpeechEx.h"
#include "USkin.h"
#include "UShellOpen.h"
#include "UStartupTrace.h"
#include "USpellGameType.h"
#include "UWebBrowserPane.h"
#include "UWebAddress.h"
#include "UVoiceMenu.h"
#include "ULearnMenu.h"
#include "UWelcomeFlow.h"
#include "UWordRecorder.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

TFrmSpell::TFrmSpell(TDataInterface &data, TSettings settings, TPlatform platform, TFrmAd *adWindow, QWidget *parent)
    : QMainWindow(parent)
    , m_data(data)
    , m_settings(std::move(settings))
    , m_platform(std::move(platform))
    , m_recent(std::make_unique<TRecentGames>(m_settings.ProgramDir() + QStringLiteral("UseRecord.txt")))
    , m_adWindow(adWindow)
{
    Q_INIT_RESOURCE(forms);
    setObjectName(QStringLiteral("FrmSpell"));
    m_form.Build(*this);
    m_form.panGame->installEventFilter(this);
    m_form.gbTitle->installEventFilter(this);
    m_flow = new TGameFlow(m_data, m_settings, m_form, *m_recent, this, [this] { LoadRecentMenu(); });
    ConnectToolBar();
    ConnectMenus();
    ConnectWebItems();
    // Only a running countdown needs protecting: at a game's end the board
    // has stopped it before the flow's own message boxes take the focus.
    // A game it paused goes on only while it is still paused: a dialog that
    // started another game (a book chosen, a restart) has settled its state.
    m_autoPause = new TAutoPause(
        this, [this] { return m_spellGame && m_spellGame->TimerActive() && m_form.btnPause->isEnabled(); },
        [this] { btnPauseClick(); },
        [this] {
            if (m_form.btnContinue->isEnabled())
                btnContinueClick();
        });
    m_learnMenu = new TLearnMenu(m_form.settingsMenu, m_settings, this);
    connect(m_learnMenu, &TLearnMenu::Changed, this, &TFrmSpell::ApplyPlaySettings);
    ConnectGameKeys();
    m_mistakeBook = new TMistakeBookMenu(m_form, m_learnMenu->Menu(), m_data, m_settings, *m_flow, *m_autoPause, this);

    m_adTimer = new QTimer(this);
    m_adTimer->setObjectName(QStringLiteral("adTimer"));
    m_adTimer->setInterval(10000);
    m_adTimer->setSingleShot(true);
    connect(m_adTimer, &QTimer::timeout, this, &TFrmSpell::ShowAdWindowOnce);
    m_adLabel = new TAdLabel(m_form.labAd, this);
    m_adTimer->start();
}

TFrmSpell::~TFrmSpell()
{
    // FormDestroy: advertising, then the board and the players, then the files.
    m_adInterface.reset();
    FreeGame();
    DeleteTempFiles();
}

const TGamePara &TFrmSpell::GamePara() const
{
    return m_flow->GamePara();
}

int TFrmSpell::ScoreBase() const
{
    return m_flow->ScoreBase();
}

// ---------------------------------------------------------------------------
// Wiring

void TFrmSpell::ConnectToolBar()
{
    TFrmSpellForm &f = m_form;
    GuardedConnect(f.sbStart, &QToolButton::clicked, this, [this] { sbStartClick(); });
    GuardedConnect(f.sbReStart, &QToolButton::clicked, this, [this] { sbReStartClick(); });
    GuardedConnect(f.btnContinue, &QToolButton::clicked, this, [this] { btnContinueClick(); });
    GuardedConnect(f.btnPause, &QToolButton::clicked, this, [this] { btnPauseClick(); });
    GuardedConnect(f.btnClear, &QToolButton::clicked, this, [this] { btnClearClick(); });
    GuardedConnect(f.btnDoHint, &QToolButton::clicked, this, [this] { btnDoHintClick(); });
    GuardedConnect(f.cbSpeech, &QCheckBox::clicked, this, [this] { cbSpeechClick(m_form.cbSpeech); });
    GuardedConnect(f.cbBackGround, &QCheckBox::clicked, this, [this] { cbBackGroundClick(m_form.cbBackGround); });
}

void TFrmSpell::ConnectMenus()
{
    TFrmSpellForm &f = m_form;
    GuardedConnect(f.selectBookAction, &QAction::triggered, this, [this] { SelectBook(); });
    GuardedConnect(f.selectGateAction, &QAction::triggered, this, [this] { SelectTollGate(); });
    GuardedConnect(f.importLibraryAction, &QAction::triggered, this, [this] { ImportLibrary(); });
    GuardedConnect(f.rankingAction, &QAction::triggered, this, [this] { ShowRanking(); });
    GuardedConnect(f.wordStatsAction, &QAction::triggered, this, [this] { ShowWordStats(); });
    connect(f.exitAction, &QAction::triggered, this, [this] { ExitGame(); });
    connect(f.supportAction, &QAction::triggered, this, [this] { ShowSupport(); });
    connect(f.aboutAction, &QAction::triggered, this, [this] { ShowAbout(); });
    for (QAction *action : f.levelActions + f.levelPopupActions)
        GuardedConnect(action, &QAction::triggered, this, [this, action] { LevelItemClicked(action); });
    GuardedConnect(f.speechAction, &QAction::triggered, this, [this] { cbSpeechClick(m_form.speechAction); });
    GuardedConnect(f.musicAction, &QAction::triggered, this, [this] { cbBackGroundClick(m_form.musicAction); });
    for (QAction *action : f.styleMenu->actions())
        connect(action, &QAction::triggered, this, [this, action] { StyleItemClicked(action); });
    connect(f.helpAction, &QAction::triggered, this, [this] {
        m_autoPause->BeforeDialog();
        // Without a chm viewer the program's own help window shows instead.
        TFrmHelp::ShowHelp(this, GetInstallPath(), [this](const QString &file) { return OpenUrl(QUrl::fromLocalFile(file)); });
    });
}

void TFrmSpell::ConnectWebItems()
{
    TFrmSpellForm &f = m_form;
    // Every address is read at each click, so an edit of the settings file
    // counts at once.
    const auto openSetting = [this](QAction *item, const char *key, const QString &page = QString()) {
        connect(item, &QAction::triggered, this, [this, key, page] { OpenSettingsPage(QLatin1String(key), page); });
    };
    openSetting(f.downloadLibraryAction, "GuluLoadCiKu");
    openSetting(f.downloadSpeechAction, "Speek");
    openSetting(f.homePageAction, "HomePage");
    openSetting(f.forumAction, "Forum");
    openSetting(f.webGuideAction, "WebGuide");
    openSetting(f.learningResourcesAction, "LearningResources");
    for (QAction *action : std::as_const(f.seriesActions))
        openSetting(action, "SeriesPages", action->data().toString());
}

void TFrmSpell::ConnectGameKeys()
{
    TFrmSpellForm &f = m_form;
    GuardedConnect(f.startAction, &QAction::triggered, this, [this] { GameKeyStartClick(); });
    GuardedConnect(f.pauseAction, &QAction::triggered, this, [this] { GameKeyPauseClick(); });
    GuardedConnect(f.restartAction, &QAction::triggered, this, [this] { GameKeyRestartClick(); });
    GuardedConnect(f.hintAction, &QAction::triggered, this, [this] { GameKeyHintClick(); });
    GuardedConnect(f.clearAction, &QAction::triggered, this, [this] { GameKeyClearClick(); });
    f.keyboardPlayAction->setChecked(m_settings.ReadInteger(QStringLiteral("KeyboardPlay")) == 1);
    f.autoPauseAction->setChecked(m_settings.ReadInteger(QStringLiteral("AutoPause")) == 1);
    connect(f.keyboardPlayAction, &QAction::triggered, this, [this] { KeyboardPlayClick(); });
    connect(f.autoPauseAction, &QAction::triggered, this, [this] { AutoPauseClick(); });
    // Saying the word again belongs to a running game, as pausing does.
    f.sayAgainAction->setEnabled(false);
    connect(f.pauseAction, &QAction::changed, this, [&f] { f.sayAgainAction->setEnabled(f.pauseAction->isEnabled()); });
    connect(f.sayAgainAction, &QAction::triggered, this, [this] {
        if (m_spellGame)
            m_spellGame->Rules().SayAgain();
    });
    m_autoPause->SetEnabled(f.autoPauseAction->isChecked());
}

void TFrmSpell::ApplyPlaySettings()
{
    m_autoPause->SetEnabled(m_form.autoPauseAction->isChecked());
    if (!m_spellGame)
        return;
    m_spellGame->SetKeyboardPlay(m_form.keyboardPlayAction->isChecked());
    m_spellGame->SetPauseVeil(m_form.autoPauseAction->isChecked());
    m_learnMenu->ApplyTo(*m_spellGame);
}

void TFrmSpell::OpenSettingsPage(const QString &key, const QString &page)
{
    const QString address = m_settings.ReadString(key).trimmed();
    if (address.isEmpty()) {
        ShowInfo(this, QStringLiteral("还没有设置这个网页的网址（设置文件中的“%1”），无法打开。").arg(key));
        return;
    }
    const QUrl url = WebAddress(address + page);
    if (url.isEmpty()) {
        ShowInfo(this, QStringLiteral("“%1”不是以 http:// 或 https:// 开头的网址，无法打开。").arg(address + page));
        return;
    }
    if (!OpenUrl(url))
        TellNotOpened(this, url);
}

bool TFrmSpell::OpenUrl(const QUrl &url)
{
    return m_platform.OpenUrl ? m_platform.OpenUrl(url) : QDesktopServices::openUrl(url);
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

void TFrmSpell::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    Guarded(this, [this] { FormShow(); });
}

void TFrmSpell::FormShow()
{
    FillStyleMenu();
    // The status-bar list arrives in the background; "支持我们" leads to its
    // first ad, so it waits for the list.
    m_adInterface = std::make_unique<TAdInterface>();
    m_form.supportAction->setEnabled(false);
    connect(m_adInterface.get(), &TAdInterface::ConfigRead, this,
            [this] { m_form.supportAction->setEnabled(m_adInterface->AdCount() > 0); });
    m_adInterface->InitAd(AdBaseUrl(), QStringLiteral("guluspell2.xml"), false, m_adLabel, m_form.wbAd.get());
    StartupMark("status-bar ads started");
    InitGame();
    LoadRecentMenu();
    StartupMark("game set up");
}

void TFrmSpell::InitGame()
{
    // Every Qt widget paints through a back buffer already, so the board's
    // repaints on each mouse move do not flicker without further set-up.
    m_speech = std::make_unique<TSpeechEx>(m_platform.CreateSpeechLayer ? m_platform.CreateSpeechLayer() : nullptr);
    m_soundPlayer = std::make_unique<TSoundPlayer>(m_platform.CreateAudioOutput ? m_platform.CreateAudioOutput() : nullptr);
    m_boardAudio = std::make_unique<TBoardAudio>(m_soundPlayer.get(), m_speech.get(),
                                                 GetInstallPath() + QStringLiteral("sound/"));
    if (!TVoiceMenu::CreateVoice(*m_speech, m_settings))
        ShowInfo(this, QStringLiteral("语音引擎创建失败，请安装语音引擎！"));
    new TVoiceMenu(TVoiceMenu::SettingsMenu(menuBar()), m_settings, *m_speech, this);
    StartupMark("sound and speech set up");

    m_spellGame = new TSpellGameType(m_form.panGame);
    m_spellGame->setObjectName(QStringLiteral("SpellGame"));
    m_spellGame->show();
    m_recorder = new TWordRecorder(
        m_data, m_settings, [this]() -> const TGamePara & { return m_flow->GamePara(); },
        [this] { return m_flow->Score(); }, this, &QDate::currentDate, this);
    m_recorder->Attach(m_spellGame->Rules());
    m_goal = new TDailyGoalStatus(m_form, m_settings, m_recorder->Progress(), &QDate::currentDate, this);
    m_goal->Attach(m_spellGame->Rules());
    m_gateReview = new TGateReviewFlow(
        m_data, m_settings, m_spellGame->Rules(), [this]() -> const TGamePara & { return m_flow->GamePara(); }, this,
        this);
    m_gateReview->SetMarkKnown([this](const TWordInfo &word) { return m_mistakeBook->TryMarkKnown(word); });
    m_flow->SetGateReview(m_gateReview);
    m_flow->AttachBoard(m_spellGame);
    m_mistakeBook->AttachBoard(m_spellGame);
    StartupMark("board made");
    m_flow->StartSavedGame(m_boardAudio.get());
    StartupMark("saved game started");
    ApplyPlaySettings();
    FormResize();
    // Never smaller than what shows the whole board and the title strip.
    setMinimumSize(size() - m_form.panGame->size() + m_spellGame->size() + QSize(16, 16));
    m_welcome = new TWelcomeFlow(m_data, m_settings, *m_flow, this, m_form.panGame, [this] { GameKeyStartClick(); });
    connect(m_welcome, &TWelcomeFlow::AidsChosen, m_learnMenu, &TLearnMenu::Reload);
    m_welcome->ShowIfNeeded();
}

void TFrmSpell::SaveGamePara()
{
    if (!m_settings.SaveGamePara(m_flow->GamePara()))
        ShowSettingsNotSaved(this);
}

void TFrmSpell::closeEvent(QCloseEvent *event)
{
    SaveGamePara();
    QMainWindow::closeEvent(event);
}

bool TFrmSpell::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && (watched == m_form.panGame || watched == m_form.gbTitle))
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TFrmSpell::FormResize()
{
    m_form.Layout(m_spellGame);
}

void TFrmSpell::FreeGame()
{
    delete m_spellGame; // stops the music through the sound player, which is still alive
    m_spellGame = nullptr;
    m_boardAudio.reset();
    m_speech.reset();
    m_soundPlayer.reset();
}

void TFrmSpell::DeleteTempFiles()
{
    for (const QString &file : TempSkinFiles())
        QFile::remove(file);
    for (const char *name : {"guluspell1.xml", "guluspell2.xml"})
        QFile::remove(m_settings.ProgramDir() + QLatin1String(name));
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
    const QString current = m_settings.GetDefaultUI();
    for (QAction *action : m_form.styleMenu->actions()) {
        const int tag = action->data().toInt();
        action->setText(GetSkinCaption(tag));
        action->setVisible(!action->text().isEmpty());
        action->setChecked(GetSkinName(tag) == current);
    }
}

void TFrmSpell::StyleItemClicked(QAction *item)
{
    for (QAction *action : m_form.styleMenu->actions())
        action->setChecked(false);
    item->setChecked(true);
    const QString name = GetSkinName(item->data().toInt());
    ApplySkin(name);
    if (!m_settings.SetDefaultUI(name))
        ShowSettingsNotSaved(this);
}

// ---------------------------------------------------------------------------
// Toolbar and menus

void TFrmSpell::sbStartClick()
{
    m_flow->Start();
    m_goal->Begin();
}

void TFrmSpell::sbReStartClick()
{
    m_flow->ReStart();
}

void TFrmSpell::btnPauseClick()
{
    m_flow->Pause();
}

void TFrmSpell::btnContinueClick()
{
    m_flow->Continue();
}

void TFrmSpell::btnClearClick()
{
    m_flow->Clear();
}

void TFrmSpell::btnDoHintClick()
{
    m_flow->Hint();
}

void TFrmSpell::GameKeyStartClick()
{
    if (m_form.sbStart->isEnabled())
        sbStartClick();
    else if (m_form.btnContinue->isEnabled())
        btnContinueClick();
}

void TFrmSpell::GameKeyPauseClick()
{
    if (m_form.btnPause->isEnabled())
        btnPauseClick();
}

void TFrmSpell::GameKeyRestartClick()
{
    // A key is pressed by mistake more easily than a button: a running game
    // is not thrown away without asking.
    if (!m_form.sbReStart->isEnabled())
        return;
    const bool running = m_form.btnPause->isEnabled();
    TAutoPause::TDuringDialog pause(*m_autoPause);
    if (running && !AskYesNoDefaultNo(this, QStringLiteral("是否重新开始游戏？")))
        return;
    sbReStartClick();
}

void TFrmSpell::GameKeyHintClick()
{
    if (m_form.btnDoHint->isEnabled())
        btnDoHintClick();
}

void TFrmSpell::GameKeyClearClick()
{
    if (m_form.btnClear->isEnabled())
        btnClearClick();
}

void TFrmSpell::KeyboardPlayClick()
{
    ApplyPlaySettings();
    if (!m_settings.WriteString(QStringLiteral("KeyboardPlay"), m_form.keyboardPlayAction->isChecked() ? QStringLiteral("1") : QStringLiteral("0")))
        ShowSettingsNotSaved(this);
}

void TFrmSpell::AutoPauseClick()
{
    ApplyPlaySettings();
    if (!m_settings.WriteString(QStringLiteral("AutoPause"), m_form.autoPauseAction->isChecked() ? QStringLiteral("1") : QStringLiteral("0")))
        ShowSettingsNotSaved(this);
}

void TFrmSpell::LevelItemClicked(QAction *item)
{
    m_flow->ChangeLevel(item->data().toInt(), item->text());
}

void TFrmSpell::cbSpeechClick(QObject *sender)
{
    if (sender == m_form.speechAction)
        m_form.cbSpeech->setChecked(m_form.speechAction->isChecked());
    else
        m_form.speechAction->setChecked(m_form.cbSpeech->isChecked());
    m_spellGame->SetHasSpeech(m_form.cbSpeech->isChecked());
}

void TFrmSpell::cbBackGroundClick(QObject *sender)
{
    m_spellGame->StopBackMusic();
    if (sender == m_form.musicAction)
        m_form.cbBackGround->setChecked(m_form.musicAction->isChecked());
    else
        m_form.musicAction->setChecked(m_form.cbBackGround->isChecked());
    if (m_form.cbBackGround->isChecked())
        m_spellGame->PlayBackMusic();
}

void TFrmSpell::SelectBook()
{
    TAutoPause::TDuringDialog pause(*m_autoPause);
    TFrmSelectBook dialog(m_data, this);
    CopyGamePara(m_flow->GamePara(), dialog.GamePara());
    if (DialogService().ExecDialog(dialog) != QDialog::Accepted)
        return;
    m_flow->ChangeBook(dialog.GamePara());
}

void TFrmSpell::SelectTollGate()
{
    if (!m_gateReview)
        return;
    TAutoPause::TDuringDialog pause(*m_autoPause);
    if (const int gate = m_gateReview->ChooseGate(m_flow->GamePara()))
        m_flow->StartAtTollGate(gate);
}

void TFrmSpell::ImportLibrary()
{
    TAutoPause::TDuringDialog pause(*m_autoPause);
    // The selection dialog reads the catalogue afresh, so nothing to refresh here.
    TFrmImportLib dialog(m_data, m_settings.IsEncrypt(), this);
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::ShowRanking()
{
    TAutoPause::TDuringDialog pause(*m_autoPause);
    TFrmGameRecord dialog(m_data, this);
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::ShowWordStats()
{
    if (!m_recorder)
        return;
    TAutoPause::TDuringDialog pause(*m_autoPause);
    TFrmWordStats dialog(m_recorder->Progress(), QDate::currentDate(), this);
    dialog.SetDailyGoal(m_settings.DailyGoal());
    connect(&dialog, &TFrmWordStats::DailyGoalChanged, this, [this](int goal) {
        if (!m_settings.WriteString(QStringLiteral("DailyGoal"), QString::number(goal)))
            ShowSettingsNotSaved(this);
        m_goal->Refresh();
    });
    connect(&dialog, &TFrmWordStats::MistakeBookRequested, this, [this, &dialog] {
        Guarded(&dialog, [this, &dialog] {
            m_mistakeBook->ShowMistakeBook();
            dialog.LoadStats();
        });
    });
    dialog.LoadStats();
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::ExitGame()
{
    close();
}

void TFrmSpell::ShowSupport()
{
    TAutoPause::TDuringDialog pause(*m_autoPause);
    TFrmSupport dialog(this);
    dialog.SetSupportUrl(m_adInterface ? m_adInterface->Urls().value(0) : QString());
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::ShowAbout()
{
    TAutoPause::TDuringDialog pause(*m_autoPause);
    TFrmAbout dialog(this);
    dialog.SetWebSite(m_settings.ReadString(QStringLiteral("HomePage")));
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::ShowAdWindowOnce()
{
    m_adTimer->stop();
    if (m_adWindow && m_adWindow->AdInterface().AdCount() > 0)
        m_adWindow->show();
}

// ---------------------------------------------------------------------------
// Recent games

void TFrmSpell::LoadRecentMenu()
{
    QMenu *menu = m_form.recentMenu;
    // The clicked item may be the one being replaced: let Qt free it later.
    for (QAction *action : menu->actions()) {
        menu->removeAction(action);
        action->deleteLater();
    }
    for (const QString &line : m_recent->MenuLines()) {
        auto *action = new QAction(TRecentGames::Caption(line), this);
        action->setData(line);
        GuardedConnect(action, &QAction::triggered, this, [this, action] { RecentItemClicked(action); });
        menu->addAction(action);
    }
}

void TFrmSpell::RecentItemClicked(QAction *item)
{
    TGamePara para = m_flow->GamePara();
    if (!TRecentGames::Parse(item->data().toString(), para))
        return;
    m_flow->ResumeGame(para); // rebuilds the menu: item must not be touched after this
}
