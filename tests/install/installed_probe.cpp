// Runs the game as the installed program does, from whatever folder this
// probe lies in: the folders are chosen the program's way (a read-only
// program folder sends the written files to the user's data folder), the
// first word is spelled by clicks, and the window is closed as a player
// closes it. Prints the data folder it used; exits 0 when the word scored.

#include "BoardDriver.h"
#include "UAppSetup.h"
#include "UDataInterface.h"
#include "UFrmSpell.h"
#include "UPlatformAudio.h"
#include "USettings.h"

#include <QApplication>
#include <QLabel>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    NameApplication();
    const TSettings settings = TSettings::Program();
    std::printf("DATA %s\n", qPrintable(settings.ProgramDir()));
    TDataInterface data;
    if (!data.ConnectDatabase(settings))
        return 2;
    SetUpApplication(app, settings);
    TFrmSpell::TPlatform platform;
    platform.CreateAudioOutput = CreatePlatformAudioOutput;
    platform.CreateSpeechLayer = CreatePlatformSpeechLayer;
    TFrmSpell window(data, settings, platform);
    window.show();
    QCoreApplication::processEvents();
    window.sbStartClick();
    if (!SpellCurrentWord(*window.SpellGame()))
        return 3;
    const QString score = window.findChild<QLabel *>(QStringLiteral("labScore"))->text();
    std::printf("SCORE %s\n", qPrintable(score));
    window.close();
    return score == QLatin1String("100") ? 0 : 4;
}
