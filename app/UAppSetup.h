#pragma once
// What every run of the program sets on its application object before the
// first window: its name (which names the user's data folder), the desktop
// entry and icon, Qt's Chinese texts for standard dialogs, the font map, and
// the saved interface style. And start-up's answer to a word library that
// did not open.

#include <QString>

class QApplication;
class TDataInterface;
class TSettings;
enum class TConnectResult;

// The application's name, which names the user's data folder: set it before
// the first GetAppPath().
void NameApplication();

// The style's file in the data folder is written a second after the event
// loop starts.
void SetUpApplication(QApplication &app, const TSettings &settings);

// Called when data.Connect(settings) gave failure: the player is told why in
// a message box, since a program started from a menu has no terminal. A
// damaged library in the installed layout (the settings' folder is the
// user's copy of installFolder, and the install ships a library of the same
// name) may be restored from the installed default on the player's word,
// the damaged file kept beside it, and is then opened. True when the
// library is open and the program goes on; false when it must end.
bool RecoverWordLibrary(TDataInterface &data, const TSettings &settings, TConnectResult failure,
                        const QString &installFolder);
