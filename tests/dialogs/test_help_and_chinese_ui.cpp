// The help menu's choice between the chm file and the program's own help
// window, web pages no browser opened, and the message boxes: Qt's standard
// buttons in Chinese, the default answers.

#include "TestSupport.h"
#include "UChineseUi.h"
#include "UFrmHelp.h"
#include "UShellOpen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
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

TEST(MessageBoxes, TheAnswerThatDestroysIsNeverTheDefaultAndTheTextCanBeCopied)
{
    const struct
    {
        TMsgButtons buttons;
        QMessageBox::StandardButton byDefault;
    } cases[] = {
        {TMsgButtons::Ok, QMessageBox::Ok},
        {TMsgButtons::YesNo, QMessageBox::Yes},
        {TMsgButtons::YesNoDefaultNo, QMessageBox::No},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.buttons));
        const auto box = MakeMessageBox(nullptr, QStringLiteral("确定要清空生词本吗？"), TMsgIcon::Question, c.buttons);
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->standardButton(box->defaultButton()), c.byDefault);
        EXPECT_EQ(box->windowTitle(), kMessageCaption);
        EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByMouse);
    }
}

TEST(WebPages, APageNoBrowserOpenedIsToldWithTheAddressToCopy)
{
    TScopedDialogs dialogs;
    const struct
    {
        const char *address;
        bool browserOpens;
        bool handedOn, told;
    } cases[] = {
        {"https://guluspell.example/", true, true, false},
        {"https://guluspell.example/", false, true, true},
        {"file:///etc/passwd", false, false, false}, // never a web page: nothing to tell
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.address) + (c.browserOpens ? " with a browser" : " without"));
        dialogs->Messages.clear();
        QStringList handed;
        const TShellOpener previous = SetShellOpener([&](const QUrl &url) { return handed << url.toString(), c.browserOpens; });
        EXPECT_EQ(ShellOpen(QUrl(QString::fromLatin1(c.address))), c.handedOn && c.browserOpens);
        SetShellOpener(previous);
        EXPECT_EQ(handed.size(), c.handedOn ? 1 : 0);
        ASSERT_EQ(dialogs->Messages.size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_EQ(dialogs->Messages[0].Icon, TMsgIcon::Information);
            EXPECT_TRUE(dialogs->Texts()[0].endsWith(QStringLiteral("\n") + QString::fromLatin1(c.address)));
        }
    }
    // A document is named by its path, as the player finds it on the disk.
    EXPECT_TRUE(NotOpenedText(QUrl::fromLocalFile(QStringLiteral("/opt/guluspell/guluspell.chm")))
                    .endsWith(QStringLiteral("\n/opt/guluspell/guluspell.chm")));
}

} // namespace
