#pragma once
// Qt's own Chinese texts for its standard dialogs and buttons (是, 否, 确定,
// 取消, the file dialog), so nothing the player sees stays English.

class QCoreApplication;

// Loads "qtbase_zh_CN" from Qt's translations folder and installs it on app.
// False, with nothing changed, when the translation is not installed: the
// program then runs with Qt's English texts.
bool InstallChineseTranslation(QCoreApplication &app);
