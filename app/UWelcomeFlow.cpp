#include "UWelcomeFlow.h"

#include "UDataInterface.h"
#include "UErrorMessages.h"
#include "UGameFlow.h"
#include "UGuarded.h"
#include "USettings.h"
#include "USpellGameType.h"
#include "USpellRules.h"
#include "UWelcomePanel.h"

#include <QEvent>
#include <QWidget>

namespace {
const QString kGrade = QStringLiteral("Grade");
}

TWelcomeFlow::TWelcomeFlow(TDataInterface &data, const TSettings &settings, TGameFlow &flow, QWidget *window,
                           QWidget *over, std::function<void()> startGame)
    : QObject(window)
    , m_data(data)
    , m_settings(settings)
    , m_flow(flow)
    , m_window(window)
    , m_over(over)
    , m_startGame(std::move(startGame))
{
}

bool TWelcomeFlow::Needed(const TSettings &settings)
{
    return !settings.HasKey(kGrade);
}

TWelcomePanel *TWelcomeFlow::Panel() const
{
    return m_panel;
}

void TWelcomeFlow::ShowIfNeeded()
{
    if (m_panel || !Needed(m_settings))
        return;
    // A child of the window, not of the game panel: the game panel's own blue
    // would otherwise reach the panel's background and text.
    m_panel = new TWelcomePanel(m_window);
    GuardedConnect(m_panel.data(), &TWelcomePanel::StartClicked, m_window, [this] { Start(); });
    GuardedConnect(m_panel.data(), &TWelcomePanel::SkipClicked, m_window, [this] { Skip(); });
    m_over->installEventFilter(this);
    Place();
    m_panel->show();
    m_panel->raise();
    // A game started from the toolbar or a key leaves the question for the
    // next start, instead of hiding the board it is played on.
    if (TSpellGameType *board = m_flow.Board())
        connect(&board->Rules(), &TSpellRules::Changed, m_panel.data(), [this] {
            if (m_flow.Board()->Rules().BeingSpelled())
                Close();
        });
}

bool TWelcomeFlow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_over && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        Place();
    return QObject::eventFilter(watched, event);
}

void TWelcomeFlow::Place()
{
    if (!m_panel)
        return;
    m_panel->resize(m_panel->sizeHint().expandedTo(m_panel->minimumSize()));
    QRect place(QPoint(0, 0), m_panel->size());
    place.moveCenter(QRect(m_over->mapTo(m_window, QPoint(0, 0)), m_over->size()).center());
    m_panel->move(place.topLeft());
}

void TWelcomeFlow::Start()
{
    if (!m_panel || m_panel->ChosenStage() < 0)
        return;
    const TWelcomePanel::TStage &stage = TWelcomePanel::Stages()[m_panel->ChosenStage()];
    // Only what the player turned on is written: an aid left off stays as
    // the file had it.
    bool stored = true;
    if (m_panel->ShowMeaning())
        stored = Store(QStringLiteral("ShowMeaning"), QStringLiteral("1")) && stored;
    if (m_panel->GateReview())
        stored = Store(QStringLiteral("GateReview"), QStringLiteral("1")) && stored;
    stored = Store(kGrade, QLatin1String(stage.Grade)) && stored;
    Close();
    if (!stored)
        ShowSettingsNotSaved(m_window);
    ChangeToBook(stage.BookId);
    emit AidsChosen();
    m_startGame();
}

void TWelcomeFlow::Skip()
{
    const bool stored = Store(kGrade, QStringLiteral("skip"));
    Close();
    if (!stored)
        ShowSettingsNotSaved(m_window);
}

bool TWelcomeFlow::Store(const QString &key, const QString &value)
{
    return m_settings.WriteString(key, value);
}

void TWelcomeFlow::Close()
{
    m_over->removeEventFilter(this);
    if (m_panel) {
        m_panel->hide();
        m_panel->deleteLater(); // its button's click is still on the stack
    }
    m_panel = nullptr;
}

void TWelcomeFlow::ChangeToBook(int bookId)
{
    TGamePara chosen = m_flow.GamePara();
    try {
        chosen.BookName = m_data.GetBookName(bookId);
        chosen.WordCount = m_data.GetBookWordCount(bookId);
        chosen.StoreTableName = m_data.GetBookTableName(bookId);
    } catch (const EDatabaseError &) {
        return; // a catalogue that cannot be read keeps the book on the board
    }
    if (chosen.BookName.isEmpty() || chosen.WordCount <= 0 || chosen.StoreTableName.isEmpty()
        || chosen.StoreTableName == m_flow.GamePara().StoreTableName)
        return;
    chosen.TollGateIndex = 1;
    chosen.TollGateCount = CeilDiv(chosen.TollGateWords, chosen.WordCount);
    m_flow.ChangeBook(chosen);
}
