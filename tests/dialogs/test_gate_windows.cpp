// "关卡小结" and "选择关卡" as the player meets them: the buttons, the key
// that closes the review, and the gates that cannot be started.

#include "TestSupport.h"
#include "UFrmGateMap.h"
#include "UFrmGateReview.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TGateResult TimedOutGate()
{
    TGateResult result;
    const struct
    {
        const char *spelling;
        TGateMark mark;
    } words[] = {{"cat", TGateMark::Spelled},
                 {"dog", TGateMark::Hinted},
                 {"pig", TGateMark::AfterWrong},
                 {"owl", TGateMark::NotDone}};
    for (const auto &w : words)
        result.Words.append(TGateWord{TWordInfo{QString::fromLatin1(w.spelling), QStringLiteral("[x]"), QStringLiteral("义")}, w.mark});
    result.Seconds = result.LevelTime = 200;
    result.Score = 200;
    return result;
}

TEST(GateReviewWindow, ListsEachWordAndClosesOnTheChosenButtonEnterBeingTheNextGate)
{
    const struct
    {
        const char *button; // clicked; none: Enter on a selected row
        bool mistakeWords;
        TGateReviewChoice choice;
    } cases[] = {
        {nullptr, false, TGateReviewChoice::NextGate},
        {"btnNext", true, TGateReviewChoice::NextGate},
        {"btnReplay", true, TGateReviewChoice::ReplayGate},
        {"btnMistakes", true, TGateReviewChoice::MistakeBook},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button ? c.button : "Enter");
        TFrmGateReview review(TimedOutGate(), QStringLiteral("《书》"), 4, c.mistakeWords);
        review.show();
        QApplication::processEvents();
        QTreeWidget *list = review.WordList();
        ASSERT_EQ(list->topLevelItemCount(), 4);
        QStringList marks;
        for (int row = 0; row < 4; ++row)
            marks << list->topLevelItem(row)->text(3);
        EXPECT_EQ(marks, (QStringList{QStringLiteral("已拼出"), QStringLiteral("提示后拼出"), QStringLiteral("拼错后拼出"),
                                      QStringLiteral("未完成：owl")}));
        auto *mistakes = review.findChild<QPushButton *>("btnMistakes");
        EXPECT_EQ(mistakes->isEnabled(), c.mistakeWords);
        EXPECT_TRUE(review.findChild<QPushButton *>("btnNext")->isDefault());

        if (c.button) {
            QTest::mouseClick(review.findChild<QPushButton *>(c.button), Qt::LeftButton);
        } else {
            // A row chosen for its own actions does not take Enter away.
            list->setFocus();
            list->setCurrentItem(list->topLevelItem(3));
            EXPECT_EQ(review.SelectedWord().Spelling, QStringLiteral("owl"));
            QTest::mouseClick(mistakes, Qt::LeftButton); // disabled: nothing happens
            EXPECT_TRUE(review.isVisible());
            QTest::keyClick(list, Qt::Key_Return);
        }
        EXPECT_EQ(review.result(), QDialog::Accepted);
        EXPECT_EQ(review.Choice(), c.choice);
    }
}

TEST(GateReviewWindow, MarksTheSelectedWordKnownOnceAndEnterStaysTheNextGate)
{
    for (const bool stored : {true, false}) {
        SCOPED_TRACE(stored ? "marked" : "the library refused it");
        TFrmGateReview review(TimedOutGate(), QStringLiteral("《书》"), 4, false);
        QStringList asked;
        review.OfferMarkKnown([&](const TWordInfo &word) {
            asked << word.Spelling;
            return stored;
        });
        review.show();
        QApplication::processEvents();
        auto *mark = review.findChild<QPushButton *>("btnMarkKnown");
        EXPECT_FALSE(mark->isEnabled()) << "nothing selected";
        QTreeWidget *list = review.WordList();
        list->setCurrentItem(list->topLevelItem(1));
        QTest::mouseClick(mark, Qt::LeftButton);
        EXPECT_EQ(asked, QStringList{QStringLiteral("dog")});
        EXPECT_EQ(list->topLevelItem(1)->text(3).endsWith(QStringLiteral("（已标为熟词）")), stored);
        EXPECT_EQ(mark->isEnabled(), !stored) << "a marked word is not offered again";
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(review.Choice(), TGateReviewChoice::NextGate);
    }
}

TEST(GateMapWindow, OpenGatesStartAndLockedOnesCannot)
{
    const QList<TGateRecord> records = {{2, 1, 300}, {1, 3, 1500}, {99, 3, 1}};
    TFrmGateMap map(QStringLiteral("《书》"), records, 20, 3, 2);
    map.show();
    QApplication::processEvents();

    EXPECT_EQ(map.GateButton(1)->text(), QStringLiteral("第1关\n★★★\n1500分"));
    EXPECT_EQ(map.GateButton(3)->text(), QStringLiteral("第3关\n☆☆☆"));
    EXPECT_EQ(map.GateButton(21), nullptr); // the record past the book's end is not shown
    for (const int locked : {4, 20}) {
        EXPECT_FALSE(map.GateButton(locked)->isEnabled()) << locked;
        QTest::mouseClick(map.GateButton(locked), Qt::LeftButton);
        EXPECT_FALSE(map.StartGate(locked)) << locked;
    }
    EXPECT_FALSE(map.StartGate(0));
    EXPECT_TRUE(map.isVisible());
    EXPECT_EQ(map.ChosenGate(), 0);

    QTest::mouseClick(map.GateButton(3), Qt::LeftButton);
    EXPECT_EQ(map.result(), QDialog::Accepted);
    EXPECT_EQ(map.ChosenGate(), 3);
}

} // namespace
