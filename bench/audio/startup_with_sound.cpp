// The minimal start-up window of bench/app, with the sound player and the
// speech object set up at its first showing the way the main window does it:
// speech object and voice, sound player, background music started. Quits as
// soon as that is done, without the shut-down of the audio output (closing
// SDL's dummy device takes some 60 ms), which belongs to shut-down rather
// than start-up.
#include "UCommonFun.h"
#include "UPlatformAudio.h"
#include "USoundPlayer.h"
#include "USpeechEx.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(837, 669);
    window.show();
    TSpeechEx speech(CreatePlatformSpeechLayer());
    speech.CreateVoice();
    TSoundPlayer player(CreatePlatformAudioOutput());
    player.AddStream(GetAppPath() + QStringLiteral("sound/back.mp3"), QStringLiteral("spellback"));
    player.PlayStream(QStringLiteral("spellback"));
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    std::_Exit(app.exec());
}
