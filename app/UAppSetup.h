#pragma once
// What every run of the program sets on its application object before the
// first window: its name (which names the user's data folder), the desktop
// entry and icon, Qt's Chinese texts for standard dialogs, the font map, and
// the saved interface style.

class QApplication;
class TSettings;

// The application's name, which names the user's data folder: set it before
// the first GetAppPath().
void NameApplication();

// The style's file in the data folder is written a second after the event
// loop starts.
void SetUpApplication(QApplication &app, const TSettings &settings);
