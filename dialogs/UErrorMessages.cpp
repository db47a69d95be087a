#include "UErrorMessages.h"

#include "UDatabaseError.h"
#include "UMessageBox.h"

namespace {
bool g_settingsFailureShown = false;
}

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
