#include "UFrmSpell.h"

#include "UAdInterface.h"
#include "UBassEx.h"
#include "UBoardAudio.h"
#include "UDataInterface.h"
#include "UFrmGameRecord.h"
#include "UFrmImportLib.h"
#include "UFrmSelectBook.h"
#include "UGameFlow.h"
#include "UGuarded.h"
#include "UMessageBox.h"
#include "URecentGames.h"
#include "USpeechEx.h"
#include "USpellGameType.h"
#include "UWebAddress.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

// The maker's web site; the paths below it are fixed, the host is ours to set.
const QString kHomePage = QStringLiteral("https://guluspell.example.org");
const QString kWebGuide = QStringLiteral("https://daohang.example.org");

} // namespace

TFrmSpell::TFrmSpell(TDataInterface &data, TSettings settings, TPlatform platform, QWidget *parent)
    : QMainWindow(parent)
    , m_data(data)
    , m_settings(std::move(settings))
    , m_platform(std::move(platform))
    , m_recent(std::make_unique<TRecentGames>(m_settings.ProgramDir() + QStringLiteral("UseRecord.txt")))
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
    connect(f.N2, &QAction::triggered, this, [this] { N2Click(); });
    for (QAction *action : {f.N8, f.N9, f.N10, f.N27, f.N28, f.N29})
        GuardedConnect(action, &QAction::triggered, this, [this, action] { N27Click(action); });
    GuardedConnect(f.N16, &QAction::triggered, this, [this] { cbSpeechClick(m_form.N16); });
    GuardedConnect(f.N15, &QAction::triggered, this, [this] { cbBackGroundClick(m_form.N15); });
    for (QAction *action : f.miUI->actions())
        connect(action, &QAction::triggered, this, [this, action] { beijing18Click(action); });
    connect(f.N23, &QAction::triggered, this, [this] {
        const QString help = m_settings.ProgramDir() + QStringLiteral("guluspell.chm");
        if (QFileInfo::exists(help))
            OpenUrl(QUrl::fromLocalFile(help));
    });
}

void TFrmSpell::ConnectWebItems()
{
    TFrmSpellForm &f = m_form;
    // The download addresses are read at each click, so an edit of the
    // settings file counts at once.
    connect(f.N33, &QAction::triggered, this,
            [this] { OpenWebPage(m_settings.ReadString(QStringLiteral("GuluLoadCiKu"))); });
    connect(f.N34, &QAction::triggered, this, [this] { OpenWebPage(m_settings.ReadString(QStringLiteral("Speek"))); });
    connect(f.N11, &QAction::triggered, this, [this] { OpenWebPage(kHomePage); });
    connect(f.N5, &QAction::triggered, this, [this] { OpenWebPage(kHomePage + QStringLiteral("/bbs")); });
    connect(f.nWebGuide, &QAction::triggered, this, [this] { OpenWebPage(kWebGuide); });
    connect(f.N13, &QAction::triggered, this, [this] { OpenWebPage(kWebGuide + QStringLiteral("/s/64.html")); });
    for (QAction *action : std::as_const(f.SeriesItems)) {
        const QString page = kHomePage + action->data().toString();
        connect(action, &QAction::triggered, this, [this, page] { OpenWebPage(page); });
    }
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
    m_adInterface = std::make_unique<TAdInterface>();
    m_form.wbAd->hide();
    m_form.nSupport->setEnabled(!m_adInterface->Urls().isEmpty());
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
    m_boardAudio = std::make_unique<TBoardAudio>(m_bassEx.get(), m_speech.get(),
                                                 m_settings.ProgramDir() + QStringLiteral("sound/"));
    if (!m_speech->CreateVoice())
        ShowInfo(this, QStringLiteral("语音引擎创建失败，请安装语音引擎！"));

    m_spellGame = new TSpellGameType(m_form.panGame);
    m_spellGame->setObjectName(QStringLiteral("SpellGame"));
    m_spellGame->show();
    m_flow->AttachBoard(m_spellGame);
    m_flow->StartSavedGame(m_boardAudio.get());
    FormResize();
}

void TFrmSpell::SaveGamePara()
{
    m_settings.SaveGamePara(m_flow->GamePara());
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
    m_bassEx.reset();
}

void TFrmSpell::DeleteTempFiles()
{
    const QString app = m_settings.ProgramDir();
    for (const char *name : {"data/Acryl.asz", "data/MacOS2.asz", "data/Blue.asz", "data/Opus.asz", "data/Winter.asz",
                             "data/WLM.asz", "guluspell1.xml", "guluspell2.xml"})
        QFile::remove(app + QLatin1String(name));
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
    m_settings.SetDefaultUI(GetSkinName(item->data().toInt()));
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
    TFrmSelectBook dialog(m_data, this);
    CopyGamePara(m_flow->GamePara(), dialog.GamePara());
    if (DialogService().ExecDialog(dialog) != QDialog::Accepted)
        return;
    m_flow->ChangeBook(dialog.GamePara());
}

void TFrmSpell::N32Click()
{
    // The selection dialog reads the catalogue afresh, so nothing to refresh here.
    TFrmImportLib dialog(m_data, m_settings.IsEncrypt(), this);
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
