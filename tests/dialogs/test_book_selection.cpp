// The book tree and the "选择课本" dialog on small catalogues built in code.

#include "LibraryFixture.h"
#include "UBookTree.h"
#include "UBookType.h"
#include "UFrmSelectBook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class BookSelectionTest : public LibraryFixture
{
protected:
    // Classes out of id order, hidden and empty books, a class with nothing
    // listed and a class whose only listed book has no words.
    void FillCatalogue()
    {
        AddBook(3, QStringLiteral("Primary B"), 40, 1);
        AddBook(1, QStringLiteral("Primary A"), 30, 1);
        AddBook(2, QStringLiteral("Primary hidden"), 50, 1, 0);
        AddBook(4, QStringLiteral("Primary empty"), 0, 1);
        AddBook(5, QStringLiteral("Lost words"), 12, kWordBookClass);
        AddBook(6, QStringLiteral("College none"), -3, 3);
        AddBook(7, QStringLiteral("Adult hidden"), 100, 5, 2);
        AddBook(8, QStringLiteral("《最新TOEFL词汇》"), 3480, 6);
    }

    static QStringList Shape(const QTreeWidget &tree)
    {
        QStringList lines;
        for (int i = 0; i < tree.topLevelItemCount(); ++i) {
            const QTreeWidgetItem *node = tree.topLevelItem(i);
            lines << node->text(0) + QStringLiteral(" ") + QString::number(BookIdOfNode(node));
            for (int k = 0; k < node->childCount(); ++k)
                lines << QStringLiteral("  ") + node->child(k)->text(0) + QStringLiteral(" ")
                             + QString::number(BookIdOfNode(node->child(k)));
        }
        return lines;
    }

    TFrmSelectBook &OpenDialog(const QString &currentBook)
    {
        m_dialog = std::make_unique<TFrmSelectBook>(m_data);
        m_dialog->GamePara().BookName = currentBook;
        m_dialog->GamePara().TollGateWords = 15;
        m_dialog->GamePara().TollGateIndex = 7;
        m_dialog->GamePara().Level = 3;
        m_dialog->show();
        return *m_dialog;
    }

    QTreeWidget &Tree() { return *m_dialog->findChild<QTreeWidget *>(QStringLiteral("tvLibList")); }
    QString BookNameEdit() { return m_dialog->findChild<QLineEdit *>(QStringLiteral("ediBookName"))->text(); }
    QString WordCountEdit() { return m_dialog->findChild<QLineEdit *>(QStringLiteral("ediWordCount"))->text(); }
    QString CountLabel() { return m_dialog->findChild<QLabel *>(QStringLiteral("labCount"))->text(); }

    QTreeWidgetItem *FindNode(const QString &caption)
    {
        const auto found = Tree().findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    void Click(QTreeWidgetItem *node)
    {
        Tree().scrollToItem(node);
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Tree().visualItemRect(node).center());
    }

    std::unique_ptr<TFrmSelectBook> m_dialog;
};

TEST_F(BookSelectionTest, TreeListsWordBookFirstThenClassesWithListedBooksByIdOnly)
{
    FillCatalogue();
    QTreeWidget tree;
    BuildBookTree(m_data, tree, true);
    EXPECT_EQ(Shape(tree), QStringList({
                               QStringLiteral("生词本 -1"),
                               QStringLiteral("  Lost words 5"),
                               QStringLiteral("小学英语 -1"),
                               QStringLiteral("  Primary A 1"),
                               QStringLiteral("  Primary B 3"),
                               QStringLiteral("大学英语 -1"),
                               QStringLiteral("出国留学 -1"),
                               QStringLiteral("  《最新TOEFL词汇》 8"),
                           }));

    // Rebuilding replaces the tree rather than adding to it; without the
    // word-book switch class 8 stays out.
    BuildBookTree(m_data, tree, false);
    EXPECT_EQ(tree.topLevelItemCount(), 3);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("小学英语"));
}

TEST_F(BookSelectionTest, HiddenOrMissingCurrentBookSelectsFirstNodeAndConfirmRefuses)
{
    FillCatalogue();
    for (const QString &current : {QStringLiteral("Primary hidden"), QStringLiteral("Primary empty"),
                                   QStringLiteral("no such book")}) {
        SCOPED_TRACE(current.toStdString());
        m_dialogs->Messages.clear();
        OpenDialog(current);
        EXPECT_EQ(Tree().currentItem(), Tree().topLevelItem(0));
        EXPECT_TRUE(BookNameEdit().isEmpty());
        EXPECT_TRUE(WordCountEdit().isEmpty());
        m_dialog->btnSelectClick();
        EXPECT_EQ(m_dialogs->Texts(), QStringList(QStringLiteral("请选择课本！")));
        EXPECT_EQ(m_dialogs->Messages.front().Icon, TMsgIcon::Information);
        EXPECT_TRUE(m_dialog->isVisible());
        EXPECT_EQ(m_dialog->GamePara().TollGateIndex, 7);
    }
}

TEST_F(BookSelectionTest, ShowSelectsCurrentBookThenClicksAndArrowKeysRefreshTheDetails)
{
    FillCatalogue();
    OpenDialog(QStringLiteral("Primary B"));
    ASSERT_NE(Tree().currentItem(), nullptr);
    EXPECT_EQ(Tree().currentItem()->text(0), QStringLiteral("Primary B"));
    EXPECT_EQ(BookNameEdit(), QStringLiteral("Primary B"));
    EXPECT_EQ(WordCountEdit(), QStringLiteral("40"));
    EXPECT_TRUE(FindNode(QStringLiteral("出国留学"))->isExpanded());

    Click(FindNode(QStringLiteral("《最新TOEFL词汇》")));
    EXPECT_EQ(BookNameEdit(), QStringLiteral("《最新TOEFL词汇》"));
    EXPECT_EQ(WordCountEdit(), QStringLiteral("3480"));
    EXPECT_EQ(CountLabel(), QStringLiteral("单词数"));

    // A class node shows its own number of books, not the last book's details.
    Click(FindNode(QStringLiteral("小学英语")));
    EXPECT_EQ(BookNameEdit(), QStringLiteral("小学英语"));
    EXPECT_EQ(WordCountEdit(), QStringLiteral("2"));
    EXPECT_EQ(CountLabel(), QStringLiteral("课本数"));

    // Confirming a class node is refused.
    m_dialog->btnSelectClick();
    EXPECT_EQ(m_dialogs->Texts(), QStringList(QStringLiteral("请选择课本！")));
    EXPECT_TRUE(m_dialog->isVisible());

    // The arrow keys refresh the details as a click does.
    Tree().setFocus();
    QTest::keyClick(&Tree(), Qt::Key_Down);
    ASSERT_EQ(Tree().currentItem()->text(0), QStringLiteral("Primary A"));
    EXPECT_EQ(BookNameEdit(), QStringLiteral("Primary A"));
    EXPECT_EQ(WordCountEdit(), QStringLiteral("30"));
    EXPECT_EQ(CountLabel(), QStringLiteral("单词数"));
    QTest::keyClick(&Tree(), Qt::Key_Up);
    EXPECT_EQ(BookNameEdit(), QStringLiteral("小学英语"));
    QTest::keyClick(&Tree(), Qt::Key_Down);
    m_dialog->btnSelectClick();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->GamePara().BookName, QStringLiteral("Primary A"));
}

TEST_F(BookSelectionTest, DoubleClickOrEnterOnABookConfirmsButNotOnAClass)
{
    FillCatalogue();
    const struct
    {
        const char *node;
        bool enter;
        bool accepted;
    } cases[] = {
        {"Primary B", false, true},
        {"Primary B", true, true},
        {"小学英语", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.node) + (c.enter ? " enter" : " double-click"));
        OpenDialog(QStringLiteral("Primary A"));
        QTreeWidgetItem *node = FindNode(QString::fromUtf8(c.node));
        if (c.enter) {
            Tree().setCurrentItem(node);
            Tree().setFocus();
            QTest::keyClick(&Tree(), Qt::Key_Return);
        } else {
            const QPoint centre = Tree().visualItemRect(node).center();
            QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, centre);
        }
        EXPECT_EQ(m_dialog->result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(m_dialog->isVisible(), !c.accepted);
        if (c.accepted) {
            EXPECT_EQ(m_dialog->GamePara().BookName, QString::fromUtf8(c.node));
        }
    }
    EXPECT_TRUE(m_dialogs->Messages.empty()) << "a double-click on a class only opens or closes it";
}

TEST_F(BookSelectionTest, ConfirmReturnsTheBookFromTollGateOneWithLevelKept)
{
    AddBook(10, QStringLiteral("big"), 3480, 2);
    AddBook(11, QStringLiteral("odd"), 31, 2);
    AddBook(12, QStringLiteral("one"), 15, 2);
    const struct
    {
        const char *title;
        int words;
        int tollGates;
        const char *table;
    } cases[] = {{"big", 3480, 232, "lib10"}, {"odd", 31, 3, "lib11"}, {"one", 15, 1, "lib12"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title);
        OpenDialog(QStringLiteral("big"));
        m_dialog->GamePara().StoreTableName = QStringLiteral("lib109");
        Tree().setCurrentItem(FindNode(QString::fromUtf8(c.title)));
        m_dialog->btnSelectClick();
        ASSERT_EQ(m_dialog->result(), QDialog::Accepted);
        const TGamePara &para = m_dialog->GamePara();
        EXPECT_EQ(para.TollGateIndex, 1);
        EXPECT_EQ(para.TollGateCount, c.tollGates);
        EXPECT_EQ(para.TollGateWords, 15);
        EXPECT_EQ(para.WordCount, c.words);
        EXPECT_EQ(para.BookName, QString::fromUtf8(c.title));
        EXPECT_EQ(para.StoreTableName, QString::fromUtf8(c.table));
        EXPECT_EQ(para.Level, 3);
    }
    EXPECT_TRUE(m_dialogs->Messages.empty());
}

TEST_F(BookSelectionTest, EmptyCatalogueGivesEmptyTreeAndConfirmStillAsks)
{
    OpenDialog(QStringLiteral("《最新TOEFL词汇》"));
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    m_dialog->findChild<QPushButton *>(QStringLiteral("btnSelect"))->click();
    EXPECT_EQ(m_dialogs->Texts(), QStringList(QStringLiteral("请选择课本！")));
    EXPECT_NE(m_dialog->result(), QDialog::Accepted);
}

TEST_F(BookSelectionTest, ADatabaseErrorIsToldInChineseAndClosesTheDialog)
{
    AddBook(1, QStringLiteral("first"), 20, 2);
    m_data.Close();
    OpenDialog(QStringLiteral("first"));
    ASSERT_EQ(m_dialogs->Texts().size(), 1);
    EXPECT_TRUE(m_dialogs->Texts()[0].startsWith(QStringLiteral("词库数据库操作失败。")));
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_dialog->isVisible());
}

TEST_F(BookSelectionTest, EveryShowingRebuildsFromTheCatalogue)
{
    AddBook(1, QStringLiteral("first"), 20, 2);
    OpenDialog(QStringLiteral("first"));
    m_dialog->hide();
    AddBook(2, QStringLiteral("second"), 20, 2);
    m_dialog->show();
    EXPECT_NE(FindNode(QStringLiteral("second")), nullptr);
    EXPECT_EQ(Tree().topLevelItem(0)->childCount(), 2);
}

} // namespace
