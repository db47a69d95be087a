// The name box and the ranking dialog at their edges: long names, placement,
// and a database that fails under the ranking.

#include "LibraryFixture.h"
#include "UErrorMessages.h"
#include "UFrmGameRecord.h"
#include "UFrmInputBox.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTreeWidget>

namespace {

using NameAndRankingTest = LibraryFixture;

TEST_F(NameAndRankingTest, NameBoxTakesWhatTheRankingCanStoreAndOpensCentredOnTheScreen)
{
    QWidget window;
    window.setGeometry(0, 0, 200, 150); // a window far from the screen's centre
    window.show();
    TFrmInputBox input(&window);
    input.setWindowTitle(QStringLiteral("用户名"));
    auto *edit = input.findChild<QLineEdit *>(QStringLiteral("ediText"));
    edit->setText(QString(300, QLatin1Char('n')));
    EXPECT_EQ(edit->text().size(), 255);
    input.show();
    input.btnOkClick();
    EXPECT_EQ(input.result(), QDialog::Accepted);
    EXPECT_TRUE(m_data.AddGameRecord(input.Text(), 100)) << "a name the box takes is one the ranking stores";

    const QPoint screenCentre = window.screen()->availableGeometry().center();
    EXPECT_LE((input.geometry().center() - screenCentre).manhattanLength(), 10)
        << "at " << input.geometry().center().x() << "," << input.geometry().center().y();
}

TEST_F(NameAndRankingTest, ADatabaseErrorUnderTheRankingIsShownInChineseAndClosesIt)
{
    m_data.Close(); // every query now fails
    TFrmGameRecord dialog(m_data);
    dialog.show(); // must not throw out of showEvent
    QCoreApplication::processEvents();
    ASSERT_EQ(m_dialogs->Messages.size(), 1u);
    EXPECT_TRUE(m_dialogs->Messages[0].Text.startsWith(QStringLiteral("词库数据库操作失败。")));
    EXPECT_TRUE(m_dialogs->Messages[0].Text.contains(QStringLiteral("The word library is not open")))
        << "the engine's text is the detail";
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SettingsNotSaved, IsToldOnceInChinese)
{
    TScopedDialogs dialogs;
    ResetSettingsNotSaved();
    ShowSettingsNotSaved(nullptr);
    ShowSettingsNotSaved(nullptr);
    EXPECT_EQ(dialogs->Texts(), QStringList(SettingsNotSavedText()));
    ResetSettingsNotSaved();
}

} // namespace
