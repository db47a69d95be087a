#include "UErrorMessages.h"

#include "UDataInterface.h"
#include "UDatabaseError.h"
#include "UMessageBox.h"

namespace {

bool g_settingsFailureShown = false;

QString WithDetail(const QString &text, const QString &engineText)
{
    return engineText.isEmpty() ? text : text + QStringLiteral("\n\n详细信息：%1").arg(engineText);
}

} // namespace

QString SettingsNotSavedText()
{
    return QStringLiteral("无法保存游戏设置（磁盘可能已满或没有写入权限），本次的更改没有保存，原来的设置保持不变。");
}

void ShowSettingsNotSaved(QWidget *parent)
{
    if (g_settingsFailureShown)
        return;
    g_settingsFailureShown = true;
    ShowExclamation(parent, SettingsNotSavedText());
}

void ResetSettingsNotSaved()
{
    g_settingsFailureShown = false;
}

QString DatabaseErrorText(const QString &engineText)
{
    return QStringLiteral("词库数据库操作失败。\n\n详细信息：%1").arg(engineText);
}

void ShowDatabaseError(QWidget *parent, const EDatabaseError &error)
{
    ShowInfo(parent, DatabaseErrorText(error.Message()));
}

QString ScoreNotSavedText(const QString &engineText)
{
    return WithDetail(QStringLiteral("您的成绩没能记录到排行榜（磁盘可能已满，或词库文件不能写入）。"), engineText);
}

void ShowScoreNotSaved(QWidget *parent, const EDatabaseError &error)
{
    ShowExclamation(parent, ScoreNotSavedText(error.Message()));
}

QString LibraryNotOpenedText(TConnectResult result, const QString &fileName, const QString &engineText)
{
    QString text;
    switch (result) {
    case TConnectResult::Connected: return {};
    case TConnectResult::Missing:
        text = QStringLiteral("找不到词库文件，游戏无法启动：\n%1\n\n请重新安装本游戏，或检查设置文件中的词库名称（data=）。");
        break;
    case TConnectResult::Busy:
        text = QStringLiteral("词库文件正被另一个程序占用，等待后仍无法打开，游戏无法启动：\n%1\n\n请关闭占用它的程序后再启动游戏。");
        break;
    case TConnectResult::Damaged:
        text = QStringLiteral("词库文件已损坏或不是咕噜猫词库，游戏无法启动：\n%1");
        break;
    case TConnectResult::CannotOpen:
        text = QStringLiteral("无法打开词库文件（可能没有读写权限），游戏无法启动：\n%1");
        break;
    }
    return WithDetail(text.arg(fileName), engineText);
}

QString AskRestoreLibraryText(const QString &fileName, const QString &engineText)
{
    return WithDetail(QStringLiteral("词库文件已损坏，无法打开：\n%1\n\n是否恢复为安装时的默认词库？"
                                     "损坏的文件会改名保留在同一文件夹中。选择“否”将退出游戏。")
                          .arg(fileName),
                      engineText);
}

QString LibraryRestoredText(const QString &keptAs)
{
    return QStringLiteral("已恢复为默认词库。损坏的文件保留为：\n%1").arg(keptAs);
}

QString LibraryNotRestoredText(const QString &fileName)
{
    return QStringLiteral("无法恢复默认词库（磁盘可能已满或没有写入权限），游戏无法启动：\n%1").arg(fileName);
}
