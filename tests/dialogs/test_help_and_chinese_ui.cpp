// The help menu's choice between the chm file and the program's own help
// window, and Qt's standard dialogs in Chinese.

#include "TestSupport.h"
#include "UChineseUi.h"
#include "UFrmHelp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

TEST(Help, TheChmFileIsHandedToTheShellAndWithoutAViewerTheOwnWindowShows)
{
    TTempProgramDir dir;
    dir.WriteFile(QStringLiteral("guluspell.chm"), "ITSF");
    for (const bool viewerThere : {true, false}) {
        SCOPED_TRACE(viewerThere ? "a chm viewer" : "no chm viewer");
        QStringList opened;
        TFrmHelp *help = TFrmHelp::ShowHelp(nullptr, dir.Path(), [&](const QString &file) {
            opened.append(file);
            return viewerThere;
        });
        EXPECT_EQ(opened, QStringList{dir.File(QStringLiteral("guluspell.chm"))});
        EXPECT_EQ(help != nullptr, !viewerThere);
        delete help; // at once: the next call must make a window of its own
    }
}

TEST(Help, WithoutTheChmTheProgramsOwnHelpPageShows)
{
    TTempProgramDir dir;
    // The page the build lays out in the program folder.
    QFile page(qEnvironmentVariable("GULUSPELL_TEST_TEMPLATE") + QStringLiteral("/help/index.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << "the build lays out help/index.html";
    dir.WriteFile(QStringLiteral("help/index.html"), page.readAll());

    bool shellUsed = false;
    TFrmHelp *help = TFrmHelp::ShowHelp(nullptr, dir.Path(), [&](const QString &) { return shellUsed = true; });
    ASSERT_NE(help, nullptr);
    EXPECT_FALSE(shellUsed);
    EXPECT_TRUE(help->isVisible());
    const QString text = help->Browser()->toPlainText();
    for (const char *topic : {"怎么玩", "难度与得分", "提示", "关卡", "暂停", "最近关卡", "排行榜", "导入词库",
                              "拼写[音标]中文意思", "文件保存在哪里"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;
    // A second click raises the open window rather than stacking another.
    EXPECT_EQ(TFrmHelp::ShowHelp(nullptr, dir.Path(), {}), help);
    help->close();
}

TEST(Help, AMissingHelpPageSaysSoInsteadOfAnEmptyWindow)
{
    TTempProgramDir dir;
    TFrmHelp help(dir.File(QStringLiteral("help/index.html")));
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("帮助文件缺失")));
}

TEST(ChineseUi, StandardButtonsReadChinese)
{
    ASSERT_TRUE(InstallChineseTranslation(*qApp)) << "set-up installs qt6-translations-l10n";
    QMessageBox box(QMessageBox::Question, QStringLiteral("提示信息"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    const struct
    {
        QMessageBox::StandardButton button;
        const char *english;
        const char *chinese;
    } cases[] = {
        {QMessageBox::Yes, "&Yes", "是"},
        {QMessageBox::No, "&No", "否"},
        {QMessageBox::Ok, "OK", "确定"},
        {QMessageBox::Cancel, "Cancel", "取消"},
    };
    for (const auto &c : cases) {
        const QString text = box.button(c.button)->text();
        EXPECT_NE(text, QLatin1String(c.english));
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.chinese))) << text.toStdString();
    }
}

} // namespace
