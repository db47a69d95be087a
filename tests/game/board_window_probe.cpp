// A real window with the board, for the X server tests and for looking at the
// board. Modes:
//   probe     prints "TILE <x> <y>" (screen position of tile 0's centre) once
//             the window is on screen, then waits for that tile to be picked:
//             prints "PICKED" and exits 0, or exits 1 after 20 seconds.
//   showcase  a board in mid-game (ten words done, some letters picked) on the
//             game panel's colour with its picture, until it is closed;
//             "showcase long" plays on to a thirteen-letter word.

#include "BoardDriver.h"
#include "UFontMap.h"
#include "USpellGameType.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

TWordInfo Word(const char *spelling, const char *meaning)
{
    TWordInfo word;
    word.Spelling = QString::fromUtf8(spelling);
    word.Meaning = QString::fromUtf8(meaning);
    return word;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    Q_INIT_RESOURCE(forms);
    const bool showcase = argc > 1 && QByteArray(argv[1]) == "showcase";

    QWidget panel;
    panel.setWindowFlag(Qt::FramelessWindowHint);
    panel.setAutoFillBackground(true);
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Window, QColor(72, 105, 176));
    panel.setPalette(palette);
    panel.setGeometry(0, 0, 800, 520);

    QLabel picture(&panel);
    picture.setPixmap(QPixmap(QStringLiteral(":/forms/imajoin.png")));
    picture.setGeometry(800 - 426, 520 - 472, 426, 472);

    TSpellGameType board(&panel);
    board.move((800 - 600) / 2, (520 - 420) / 2);
    TWordInfos words = {
        Word("apple", "n. 苹果"),          Word("banana", "n. 香蕉"),
        Word("cherry", "n. 樱桃"),         Word("grape", "n. 葡萄"),
        Word("lemon", "n. 柠檬"),          Word("mango", "n. 芒果"),
        Word("orange", "n. 橙子；橘子"),   Word("peach", "n. 桃子"),
        Word("pear", "n. 梨"),             Word("strawberry", "n. 草莓"),
        Word("watermelon", "n. 西瓜"),     Word("pineapple", "n. 菠萝"),
        Word("encyclopaedia", "n. 百科全书"),
    };
    if (!showcase)
        words = {Word("window", "n. 窗户")};
    board.Rules().StartGame(words, nullptr);
    if (showcase) {
        // "showcase long" plays on to the thirteen-letter word.
        const int done = argc > 2 && QByteArray(argv[2]) == "long" ? 12 : 10;
        for (int i = 0; i < done; ++i)
            SpellCurrentWord(board);
        const QString spelling = board.Rules().Words()[board.Rules().WordIndex()].Spelling;
        for (int i = 0; i < 3; ++i)
            ClickLetter(board, spelling[i]);
        SendMove(board, TileCentre(board, 4));
    }
    panel.show();
    if (!QTest::qWaitForWindowExposed(&panel))
        return 2;
    if (showcase)
        return app.exec();

    const QPoint at = board.mapToGlobal(TileCentre(board, 0));
    std::printf("TILE %d %d\n", at.x(), at.y());
    std::fflush(stdout);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (board.Items()[0].Picked) {
            std::printf("PICKED\n");
            std::fflush(stdout);
            app.exit(0);
        }
    });
    poll.start(20);
    QTimer::singleShot(20000, [&] { app.exit(1); });
    return app.exec();
}
