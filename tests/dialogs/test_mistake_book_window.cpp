// The mistake book's window on a small library: numbers sort as numbers, the
// search filters, two rows leave at once (their progress stays), a word
// marked known moves to the second tab, which gives it back, and an export
// takes its format from the chosen filter.

#include "LibraryFixture.h"
#include "UBookType.h"
#include "UFrmMistakeBook.h"
#include "UKnownWords.h"
#include "UMistakeBook.h"
#include "UWordListFormats.h"
#include "UWordProgress.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {

const QDate kToday(2026, 5, 10);

class MistakeBookWindowTest : public LibraryFixture
{
protected:
    void SetUp() override
    {
        LibraryFixture::SetUp();
        AddBook(1, QStringLiteral("Book"), 3, 1);
        // Misses 1, 2 and 10: as texts "10" would sort between them.
        Miss(QStringLiteral("ab"), 1);
        Miss(QStringLiteral("cd"), 2);
        Miss(QStringLiteral("ef"), 10);
    }

    void Miss(const QString &spelling, int times)
    {
        TWordEvent event;
        event.Book = QStringLiteral("lib1");
        event.Word = TWordInfo{spelling, QStringLiteral("ph-") + spelling, QStringLiteral("义, \"") + spelling + QStringLiteral("\"")};
        event.Outcome = TWordOutcome::Missed;
        for (int i = 0; i < times; ++i)
            ASSERT_TRUE(m_progress.Record(event, kToday, false));
    }

    static QStringList Column(QTableWidget *list, int column)
    {
        QStringList texts;
        for (int r = 0; r < list->rowCount(); ++r)
            if (!list->isRowHidden(r))
                texts << list->item(r, column)->text();
        return texts;
    }

    static void Select(QTableWidget *list, const QStringList &spellings)
    {
        list->clearSelection();
        for (int r = 0; r < list->rowCount(); ++r)
            if (spellings.contains(list->item(r, 0)->text()))
                list->selectionModel()->select(list->model()->index(r, 0),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    TWordProgress m_progress{m_data};
};

TEST_F(MistakeBookWindowTest, RemoveTwoMarkOneKnownAndGiveItBack)
{
    TFrmMistakeBook window(m_data, false, kToday);
    int knownChanges = 0;
    QObject::connect(&window, &TFrmMistakeBook::KnownWordsChanged, [&] { ++knownChanges; });
    window.LoadWords();
    window.show();
    QTableWidget *mistakes = window.MistakeList();

    mistakes->sortByColumn(TFrmMistakeBook::cMisses, Qt::DescendingOrder);
    EXPECT_EQ(Column(mistakes, TFrmMistakeBook::cSpelling), (QStringList{"ef", "cd", "ab"}));
    window.SearchEdit()->setText(QStringLiteral("\"CD"));
    EXPECT_EQ(Column(mistakes, TFrmMistakeBook::cSpelling), QStringList{"cd"}) << "found by its meaning";
    window.SearchEdit()->clear();

    Select(mistakes, {"ab", "cd"});
    m_dialogs->Answers = {TMsgResult::No};
    window.findChild<QPushButton *>(QStringLiteral("btnRemove"))->click();
    EXPECT_EQ(mistakes->rowCount(), 3);
    EXPECT_EQ(m_dialogs->Messages.back().Buttons, TMsgButtons::YesNoDefaultNo);
    m_dialogs->Answers = {TMsgResult::Yes};
    window.findChild<QPushButton *>(QStringLiteral("btnRemove"))->click();
    EXPECT_EQ(Column(mistakes, TFrmMistakeBook::cSpelling), QStringList{"ef"});
    EXPECT_EQ(m_data.GetListedBooks(kWordBookClass).value(0).WordNumber, 1);
    EXPECT_EQ(m_progress.Word(QStringLiteral("lib1"), QStringLiteral("ab")).Missed, 1) << "progress stays";

    Select(mistakes, {"ef"});
    window.findChild<QPushButton *>(QStringLiteral("btnMarkKnown"))->click();
    EXPECT_EQ(mistakes->rowCount(), 0);
    EXPECT_EQ(TMistakeBook(m_data).Count(), 0);
    EXPECT_EQ(Column(window.KnownList(), TFrmMistakeBook::kcSpelling), QStringList{"ef"});
    EXPECT_EQ(Column(window.KnownList(), TFrmMistakeBook::kcMeaning), QStringList{"义, \"ef\""});
    EXPECT_EQ(Column(window.KnownList(), TFrmMistakeBook::kcSource), QStringList{"Book"});

    window.Tabs()->setCurrentWidget(window.KnownList());
    Select(window.KnownList(), {"ef"});
    window.findChild<QPushButton *>(QStringLiteral("btnForget"))->click();
    EXPECT_EQ(window.KnownList()->rowCount(), 0);
    EXPECT_FALSE(TKnownWords(m_data).Contains(QStringLiteral("ef")));
    EXPECT_EQ(knownChanges, 2);
}

TEST_F(MistakeBookWindowTest, ExportTakesTheChosenFilterAndAddsItsSuffix)
{
    TFrmMistakeBook window(m_data, false, kToday);
    window.LoadWords();
    m_dialogs->FileNames = {m_home.File(QStringLiteral("mine"))};
    m_dialogs->SaveFilters = {QStringLiteral("打字练习 JSON 词库 (*.json)")};
    window.Export();
    const QByteArray bytes = m_home.ReadFile(QStringLiteral("mine.json"));
    const TWordRows rows = ReadWordList(TWordListFormat::Json, bytes);
    ASSERT_EQ(rows.Rows.size(), 3);
    EXPECT_EQ(rows.Rows[0].Word.Meaning, QStringLiteral("义, \"ab\""));
}

} // namespace
