// A real main window on a one-book library, for the X window test: prints
// where "开始游戏" and the first word's tiles (in spelling order) are on the
// screen, then waits until the score label changes and prints it.

#include "UCommonFun.h"
#include "UDataInterface.h"
#include "UFontMap.h"
#include "UFrmSpell.h"
#include "USettings.h"
#include "UPlatformAudio.h"
#include "USpellGameType.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    QTemporaryDir home;
    qputenv("GULUSPELL_HOME", home.path().toLocal8Bit());
    QDir(home.path()).mkpath(QStringLiteral("data"));
    WriteFileAtomically(home.filePath(QStringLiteral("data/spellconfig.ini")),
                        "[system]\r\nStoreTableName=lib1\r\nWordCount=2\r\nBookName=probe\r\ndata=probe\r\nGrade=skip\r\n");

    TDataInterface data;
    if (!data.CreateDatabase(home.filePath(QStringLiteral("data/probe.mdb")), TDataInterface::DatabasePassword())
        || !data.CreateWordTable(QStringLiteral("lib1"))
        || !data.InsertWord(QStringLiteral("lib1"), QStringLiteral("apple"), QString(), QStringLiteral("苹果"))
        || !data.InsertWord(QStringLiteral("lib1"), QStringLiteral("pear"), QString(), QStringLiteral("梨")))
        return 2;

    TFrmSpell::TPlatform platform;
    platform.CreateAudioOutput = CreatePlatformAudioOutput;
    platform.CreateSpeechLayer = CreatePlatformSpeechLayer;
    TFrmSpell window(data, TSettings::Program(), platform);
    window.move(0, 0);
    window.show();
    auto *score = window.findChild<QLabel *>(QStringLiteral("labScore"));

    QTimer::singleShot(500, &window, [&] {
        const auto *start = window.findChild<QToolButton *>(QStringLiteral("sbStart"));
        const QPoint s = start->mapToGlobal(start->rect().center());
        std::printf("START %d %d\n", s.x(), s.y());
        TSpellGameType *board = window.SpellGame();
        QString line = QStringLiteral("TILES");
        QList<bool> used(board->Items().size(), false);
        for (const QChar c : board->Rules().Words()[0].Spelling) {
            for (int i = 0; i < board->Items().size(); ++i) {
                if (!used[i] && board->Items()[i].Letter == QString(c)) {
                    used[i] = true;
                    const TSpellItem &item = board->Items()[i];
                    const QPoint p = board->mapToGlobal(
                        QPoint(item.Left + board->ItemSize().width() / 2, item.Top + board->ItemSize().height() / 2));
                    line += QStringLiteral(" %1,%2").arg(p.x()).arg(p.y());
                    break;
                }
            }
        }
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (score->text() != QLatin1String("0")) {
            std::printf("SCORE %s\n", qPrintable(score->text()));
            std::fflush(stdout);
            app.exit(0);
        }
    });
    poll.start(50);
    QTimer::singleShot(30000, &app, [&] { app.exit(1); });
    return app.exec();
}
