#include "UMistakeBookMenu.h"

#include "UAutoPause.h"
#include "UDataInterface.h"
#include "UErrorMessages.h"
#include "UFrmMistakeBook.h"
#include "UFrmSpellForm.h"
#include "UGameFlow.h"
#include "UGuarded.h"
#include "UMessageBox.h"
#include "USpellGameType.h"
#include "UWordBookEdits.h"

#include <QAction>
#include <QDate>
#include <QMenu>

namespace {

const QString kSkipKey = QStringLiteral("SkipKnownWords");

// The item after which to insert, or null for the end.
QAction *ItemAfter(QMenu *menu, QAction *item)
{
    const QList<QAction *> items = menu->actions();
    const qsizetype at = items.indexOf(item);
    return at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
}

} // namespace

bool SkipKnownWords(const TSettings &settings)
{
    return settings.ReadInteger(kSkipKey) == 1;
}

TMistakeBookMenu::TMistakeBookMenu(TFrmSpellForm &form, QMenu *learnMenu, TDataInterface &data, const TSettings &settings,
                                   TGameFlow &flow, TAutoPause &autoPause, QWidget *window)
    : QObject(window)
    , m_form(form)
    , m_data(data)
    , m_settings(settings)
    , m_flow(flow)
    , m_autoPause(autoPause)
    , m_window(window)
{
    if (form.fileMenu) {
        m_open = new QAction(QStringLiteral("生词本(&M)…"), form.fileMenu);
        m_open->setObjectName(QStringLiteral("mistakeBookAction"));
        form.fileMenu->insertAction(ItemAfter(form.fileMenu, form.wordStatsAction), m_open);
        GuardedConnect(m_open, &QAction::triggered, window, [this] { ShowMistakeBook(); });
    }
    if (learnMenu) {
        m_skip = new QAction(QStringLiteral("跳过熟词(&J)"), learnMenu);
        m_skip->setObjectName(QStringLiteral("skipKnownAction"));
        m_skip->setCheckable(true);
        m_skip->setChecked(SkipKnownWords(settings));
        learnMenu->addSeparator();
        learnMenu->addAction(m_skip);
        connect(m_skip, &QAction::triggered, this,
                [this](bool checked) { Guarded(m_window, [=, this] { SetSkipKnownWords(checked); }); });
    }
}

void TMistakeBookMenu::AttachBoard(TSpellGameType *board)
{
    connect(board, &TSpellGameType::ListedWordMenu, this,
            [this](const TWordInfo &word, const QPoint &globalPos) { ShowWordMenu(word, globalPos); });
}

void TMistakeBookMenu::ShowMistakeBook()
{
    TAutoPause::TDuringDialog pause(m_autoPause);
    TFrmMistakeBook dialog(m_data, m_settings.IsEncrypt(), QDate::currentDate(), m_window);
    connect(&dialog, &TFrmMistakeBook::KnownWordsChanged, this, [this] { Guarded(m_window, [this] { m_flow.KnownWordsChanged(); }); });
    dialog.LoadWords();
    DialogService().ExecDialog(dialog);
}

void TMistakeBookMenu::ShowWordMenu(const TWordInfo &word, const QPoint &globalPos)
{
    TAutoPause::TDuringDialog pause(m_autoPause);
    QMenu menu(m_window);
    menu.setObjectName(QStringLiteral("boardWordMenu"));
    QAction *known = menu.addAction(QStringLiteral("“%1”标为熟词").arg(word.Spelling));
    known->setObjectName(QStringLiteral("markKnownAction"));
    connect(known, &QAction::triggered, this, [this, word] { TryMarkKnown(word); });
    menu.exec(globalPos);
}

void TMistakeBookMenu::MarkKnown(const TWordInfo &word)
{
    ::MarkKnown(m_data, {TKnownWord{word, m_flow.GamePara().StoreTableName, QString(), QDate::currentDate()}},
                QDate::currentDate(), m_settings.IsEncrypt());
    m_flow.KnownWordsChanged();
}

bool TMistakeBookMenu::TryMarkKnown(const TWordInfo &word)
{
    bool marked = false;
    Guarded(m_window, [&] {
        MarkKnown(word);
        marked = true;
    });
    return marked;
}

void TMistakeBookMenu::SetSkipKnownWords(bool on)
{
    if (m_skip)
        m_skip->setChecked(on);
    if (!m_settings.WriteString(kSkipKey, on ? QStringLiteral("1") : QStringLiteral("0")))
        ShowSettingsNotSaved(m_window);
    m_flow.KnownWordsChanged();
}
