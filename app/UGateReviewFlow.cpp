#include "UGateReviewFlow.h"

#include "UCommonFun.h"
#include "UDatabaseError.h"
#include "UFrmGateMap.h"
#include "UMessageBox.h"
#include "UMistakeBook.h"
#include "USettings.h"

#include <QTimer>

#include <algorithm>

TGateReviewFlow::TGateReviewFlow(TDataInterface &data, const TSettings &settings, const TSpellRules &rules,
                                 std::function<const TGamePara &()> game, QWidget *window, QObject *parent)
    : QObject(parent)
    , m_data(data)
    , m_settings(settings)
    , m_game(std::move(game))
    , m_window(window)
    , m_tally(rules)
    , m_progress(data)
{
    connect(&m_tally, &TGateTally::GateEnded, this, &TGateReviewFlow::Record);
}

void TGateReviewFlow::GateOver(bool finished)
{
    m_tally.Close(finished);
}

void TGateReviewFlow::Record(const TGateResult &result)
{
    const TGamePara &game = m_game();
    m_progress.Record(game.StoreTableName, std::max(1, game.TollGateIndex), result.Stars, result.Score);
    NoticeRebuilt();
}

void TGateReviewFlow::NoticeRebuilt()
{
    if (!m_progress.TakeRebuiltNotice() || m_noticeShown)
        return;
    m_noticeShown = true;
    // Not inside the board's notification, where the game is moving on.
    QTimer::singleShot(0, this, [this] {
        ShowInfo(m_window, QStringLiteral("关卡记录已损坏，已重新建立，能读出的记录都保留了。游戏可以照常进行。"));
    });
}

bool TGateReviewFlow::Enabled() const
{
    return m_settings.ReadInteger(QStringLiteral("GateReview")) == 1;
}

bool TGateReviewFlow::MistakeBookHasWords()
{
    try {
        TMistakeBook book(m_data);
        return book.Exists() && book.Count() > 0;
    } catch (const EDatabaseError &) {
        return false; // a book that cannot be read cannot be practised either
    }
}

std::optional<TGateReviewChoice> TGateReviewFlow::Review(const TGamePara &game, int tollGate)
{
    if (!Enabled())
        return std::nullopt;
    TFrmGateReview dialog(m_tally.Result(), game.BookName, tollGate, MistakeBookHasWords(), m_window);
    if (m_markKnown)
        dialog.OfferMarkKnown(m_markKnown);
    DialogService().ExecDialog(dialog);
    return dialog.Choice();
}

int TGateReviewFlow::ChooseGate(const TGamePara &game)
{
    const QString &book = game.StoreTableName;
    // The gate the game stands on was reached, whatever the records say.
    const int furthest = std::max(m_progress.FurthestGate(book), game.TollGateIndex);
    TFrmGateMap dialog(game.BookName, m_progress.Gates(book), game.TollGateCount,
                       TGateProgress::LastOpenGate(furthest, game.TollGateCount), game.TollGateIndex, m_window);
    NoticeRebuilt();
    if (DialogService().ExecDialog(dialog) != QDialog::Accepted)
        return 0;
    return dialog.ChosenGate();
}
