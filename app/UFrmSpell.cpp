#include "UFrmSpell.h"

#include "UAdInterface.h"
#include "UAdLabel.h"
#include "UAutoPause.h"
#include "UBoardAudio.h"
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
#include "UFrmHelp.h"
#include "UGuarded.h"
#include "UMessageBox.h"
#include "URecentGames.h"
#include "USoundPlayer.h"
#include "USpeechEx.h"
#include "USkin.h"
#include "UStartupTrace.h"
#include "USpellGameType.h"
#include "UWebBrowserPane.h"
#include "UWebAddress.h"
#include "UVoiceMenu.h"
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
    m_autoPause = new TAutoPause(
        this, [this] { return m_spellGame && m_spellGame->TimerActive() && m_form.btnPause->isEnabled(); },
        [this] { btnPauseClick(); });
    ConnectGameKeys();

    TimerAd = new QTimer(this);
    TimerAd->setObjectName(QStringLiteral("TimerAd"));
    TimerAd->setInterval(10000);
    TimerAd->setSingleShot(true);
    connect(TimerAd, &QTimer::timeout, this, &TFrmSpell::TimerAdTimer);
    m_adLabel = new TAdLabel(m_form.labAd, this);
    TimerAd->start();
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
    GuardedConnect(f.N6, &QAction::triggered, this, [this] { N6Click(); });
    GuardedConnect(f.N32, &QAction::triggered, this, [this] { N32Click(); });
    GuardedConnect(f.N4, &QAction::triggered, this, [this] { N4Click(); });
    // "学习统计" sits under "排行榜" in the file menu.
    auto *stats = new QAction(QStringLiteral("学习统计"), this);
    stats->setObjectName(QStringLiteral("nWordStats"));
    if (auto *fileMenu = menuBar()->findChild<QMenu *>(QStringLiteral("N1")))
        fileMenu->insertAction(fileMenu->findChild<QAction *>(QStringLiteral("N3")), stats);
    GuardedConnect(stats, &QAction::triggered, this, [this] { WordStatsClick(); });
    connect(f.N2, &QAction::triggered, this, [this] { N2Click(); });
    connect(f.nSupport, &QAction::triggered, this, [this] { nSupportClick(); });
    connect(f.N25, &QAction::triggered, this, [this] { N25Click(); });
    for (QAction *action : {f.N8, f.N9, f.N10, f.N27, f.N28, f.N29})
        GuardedConnect(action, &QAction::triggered, this, [this, action] { N27Click(action); });
    GuardedConnect(f.N16, &QAction::triggered, this, [this] { cbSpeechClick(m_form.N16); });
    GuardedConnect(f.N15, &QAction::triggered, this, [this] { cbBackGroundClick(m_form.N15); });
    for (QAction *action : f.miUI->actions())
        connect(action, &QAction::triggered, this, [this, action] { beijing18Click(action); });
    connect(f.N23, &QAction::triggered, this, [this] {
        m_autoPause->BeforeDialog();
        TFrmHelp::ShowHelp(this, GetInstallPath(), [this](const QString &file) { OpenUrl(QUrl::fromLocalFile(file)); });
    });
}

void TFrmSpell::ConnectWebItems()
{
    TFrmSpellForm &f = m_form;
    // Every address is read at each click, so an edit of the settings file
    // counts at once.
    const auto openSetting = [this](QAction *item, const char *key, const QString &page = QString()) {
        connect(item, &QAction::triggered, this, [this, key, page] {
            const QString address = m_settings.ReadString(QLatin1String(key));
            if (!address.isEmpty())
                OpenWebPage(address + page);
        });
    };
    openSetting(f.N33, "GuluLoadCiKu");
    openSetting(f.N34, "Speek");
    openSetting(f.N11, "HomePage");
    openSetting(f.N5, "Forum");
    openSetting(f.nWebGuide, "WebGuide");
    openSetting(f.N13, "LearningResources");
    for (QAction *action : std::as_const(f.SeriesItems))
        openSetting(action, "SeriesPages", action->data().toString());
}

void TFrmSpell::ConnectGameKeys()
{
    TFrmSpellForm &f = m_form;
    GuardedConnect(f.nGameStart, &QAction::triggered, this, [this] { GameKeyStartClick(); });
    GuardedConnect(f.nGamePause, &QAction::triggered, this, [this] { GameKeyPauseClick(); });
    GuardedConnect(f.nGameRestart, &QAction::triggered, this, [this] { GameKeyRestartClick(); });
    GuardedConnect(f.nGameHint, &QAction::triggered, this, [this] { GameKeyHintClick(); });
    GuardedConnect(f.nGameClear, &QAction::triggered, this, [this] { GameKeyClearClick(); });
    f.nKeyboardPlay->setChecked(m_settings.ReadInteger(QStringLiteral("KeyboardPlay")) == 1);
    f.nAutoPause->setChecked(m_settings.ReadInteger(QStringLiteral("AutoPause")) == 1);
    connect(f.nKeyboardPlay, &QAction::triggered, this, [this] { KeyboardPlayClick(); });
    connect(f.nAutoPause, &QAction::triggered, this, [this] { AutoPauseClick(); });
    m_autoPause->SetEnabled(f.nAutoPause->isChecked());
}

void TFrmSpell::ApplyPlaySettings()
{
    m_autoPause->SetEnabled(m_form.nAutoPause->isChecked());
    if (!m_spellGame)
        return;
    m_spellGame->SetKeyboardPlay(m_form.nKeyboardPlay->isChecked());
    m_spellGame->SetPauseVeil(m_form.nAutoPause->isChecked());
}

void TFrmSpell::OpenWebPage(const QString &address)
{
    const QUrl url = WebAddress(address);
    if (!url.isEmpty())
        OpenUrl(url);
}

void TFrmSpell::OpenUrl(const QUrl &url)
{
    if (m_platform.OpenUrl)
        m_platform.OpenUrl(url);
    else
        QDesktopServices::openUrl(url); // the result is not examined: nothing to tell the player
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
    m_form.nSupport->setEnabled(false);
    connect(m_adInterface.get(), &TAdInterface::ConfigRead, this,
            [this] { m_form.nSupport->setEnabled(m_adInterface->AdCount() > 0); });
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
    m_flow->AttachBoard(m_spellGame);
    StartupMark("board made");
    m_flow->StartSavedGame(m_boardAudio.get());
    StartupMark("saved game started");
    ApplyPlaySettings();
    FormResize();
    // Never smaller than what shows the whole board and the title strip.
    setMinimumSize(size() - m_form.panGame->size() + m_spellGame->size() + QSize(16, 16));
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
    for (QAction *action : m_form.miUI->actions()) {
        const int tag = action->data().toInt();
        action->setText(GetSkinCaption(tag));
        action->setVisible(!action->text().isEmpty());
        action->setChecked(GetSkinName(tag) == current);
    }
}

void TFrmSpell::beijing18Click(QAction *item)
{
    for (QAction *action : m_form.miUI->actions())
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
    if (m_form.btnPause->isEnabled() && !AskYesNo(this, QStringLiteral("是否重新开始游戏？")))
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
    if (!m_settings.WriteString(QStringLiteral("KeyboardPlay"), m_form.nKeyboardPlay->isChecked() ? QStringLiteral("1") : QStringLiteral("0")))
        ShowSettingsNotSaved(this);
}

void TFrmSpell::AutoPauseClick()
{
    ApplyPlaySettings();
    if (!m_settings.WriteString(QStringLiteral("AutoPause"), m_form.nAutoPause->isChecked() ? QStringLiteral("1") : QStringLiteral("0")))
        ShowSettingsNotSaved(this);
}

void TFrmSpell::N27Click(QAction *item)
{
    m_flow->ChangeLevel(item->data().toInt(), item->text());
}

void TFrmSpell::cbSpeechClick(QObject *sender)
{
    if (sender == m_form.N16)
        m_form.cbSpeech->setChecked(m_form.N16->isChecked());
    else
        m_form.N16->setChecked(m_form.cbSpeech->isChecked());
    m_spellGame->SetHasSpeech(m_form.cbSpeech->isChecked());
}

void TFrmSpell::cbBackGroundClick(QObject *sender)
{
    m_spellGame->StopBackMusic();
    if (sender == m_form.N15)
        m_form.cbBackGround->setChecked(m_form.N15->isChecked());
    else
        m_form.N15->setChecked(m_form.cbBackGround->isChecked());
    if (m_form.cbBackGround->isChecked())
        m_spellGame->PlayBackMusic();
}

void TFrmSpell::N6Click()
{
    m_autoPause->BeforeDialog();
    TFrmSelectBook dialog(m_data, this);
    CopyGamePara(m_flow->GamePara(), dialog.GamePara());
    if (DialogService().ExecDialog(dialog) != QDialog::Accepted)
        return;
    m_flow->ChangeBook(dialog.GamePara());
}

void TFrmSpell::N32Click()
{
    m_autoPause->BeforeDialog();
    // The selection dialog reads the catalogue afresh, so nothing to refresh here.
    TFrmImportLib dialog(m_data, m_settings.IsEncrypt(), this);
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::N4Click()
{
    m_autoPause->BeforeDialog();
    TFrmGameRecord dialog(m_data, this);
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::WordStatsClick()
{
    if (!m_recorder)
        return;
    TFrmWordStats dialog(m_recorder->Progress(), QDate::currentDate(), this);
    dialog.LoadStats();
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::N2Click()
{
    close();
}

void TFrmSpell::nSupportClick()
{
    m_autoPause->BeforeDialog();
    TFrmSupport dialog(this);
    dialog.SetSupportUrl(m_adInterface ? m_adInterface->Urls().value(0) : QString());
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::N25Click()
{
    m_autoPause->BeforeDialog();
    TFrmAbout dialog(this);
    DialogService().ExecDialog(dialog);
}

void TFrmSpell::TimerAdTimer()
{
    TimerAd->stop();
    if (m_adWindow && m_adWindow->AdInterface().AdCount() > 0)
        m_adWindow->show();
}

// ---------------------------------------------------------------------------
// Recent games

void TFrmSpell::LoadRecentMenu()
{
    QMenu *menu = m_form.nRecently;
    // The clicked item may be the one being replaced: let Qt free it later.
    for (QAction *action : menu->actions()) {
        menu->removeAction(action);
        action->deleteLater();
    }
    for (const QString &line : m_recent->MenuLines()) {
        auto *action = new QAction(TRecentGames::Caption(line), this);
        action->setData(line);
        GuardedConnect(action, &QAction::triggered, this, [this, action] { RecentItemClick(action); });
        menu->addAction(action);
    }
}

void TFrmSpell::RecentItemClick(QAction *item)
{
    TGamePara para = m_flow->GamePara();
    if (!TRecentGames::Parse(item->data().toString(), para))
        return;
    m_flow->ResumeGame(para); // rebuilds the menu: item must not be touched after this
}
