#pragma once
// "关卡小结": the toll gate that just ended, word by word (spelled, after the
// hint, after a wrong fill, or not done with its right spelling), the time
// it took and its stars, and what to do next: the next gate (the default, on
// Enter), this gate again, or a round in the mistake book.
//
// The rows can be selected one at a time; WordActions() is the place beside
// the list's buttons where actions on the selected word go.

#include "UGateTally.h"

#include <QDialog>

#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTreeWidget;

enum class TGateReviewChoice
{
    NextGate,    // also closing the window: the game goes on as it would
    ReplayGate,
    MistakeBook,
};

class TFrmGateReview : public QDialog
{
    Q_OBJECT
public:
    // mistakeBookHasWords enables "练习生词本".
    TFrmGateReview(const TGateResult &result, const QString &bookName, int tollGate, bool mistakeBookHasWords,
                   QWidget *parent = nullptr);

    TGateReviewChoice Choice() const { return m_choice; }
    QTreeWidget *WordList() const { return lvWords; }
    // The selected row's word; empty when none is selected.
    TWordInfo SelectedWord() const;
    QHBoxLayout *WordActions() const { return m_wordActions; }
    // Adds "标为熟词" for the selected word: mark answers whether the word
    // was marked, and a marked row says so and is not offered again.
    void OfferMarkKnown(std::function<bool(const TWordInfo &)> mark);

    // "★★☆": stars filled of three.
    static QString StarText(int stars);
    static QString MarkText(const TGateWord &word);

private:
    void Choose(TGateReviewChoice choice);
    void FillWords(const TGateResult &result);

    TGateResult m_result;
    TGateReviewChoice m_choice = TGateReviewChoice::NextGate;
    QTreeWidget *lvWords = nullptr;
    QHBoxLayout *m_wordActions = nullptr;
};
