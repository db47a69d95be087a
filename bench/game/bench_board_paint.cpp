// The cost of the board's repaints. Every mouse move over the board repaints
// all of it, so a repaint should cost little more than copying one board-sized
// picture: BoardRepaint / PixmapFloor/opaque:1 is the figure to watch (goal:
// 3 or less).

#include "BoardDriver.h"
#include "UFontMap.h"
#include "USpellGameType.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const QColor kPanelBlue(72, 105, 176);

// A 12-letter word with three letters picked, nine completed words listed.
std::unique_ptr<TSpellGameType> MidGameBoard()
{
    auto board = std::make_unique<TSpellGameType>();
    TWordInfos words;
    const char *done[] = {"apple", "banana", "cherry", "grape", "lemon", "mango", "orange", "peach", "pear", "plum"};
    for (const char *spelling : done)
        words << TWordInfo{QString::fromLatin1(spelling), QString(), QStringLiteral("n. 水果；果实")};
    words << TWordInfo{QStringLiteral("neighborhood"), QString(), QStringLiteral("n. 邻近；街坊")};
    board->Rules().StartGame(words, nullptr);
    while (board->Rules().WordIndex() < 10)
        SpellCurrentWord(*board);
    for (QChar c : QStringLiteral("nei"))
        ClickLetter(*board, c);
    return board;
}

QImage Target()
{
    QImage image(600, 420, QImage::Format_ARGB32_Premultiplied);
    image.fill(kPanelBlue);
    return image;
}

// The floor: one 600 x 420 picture drawn into the target, opaque (a plain
// copy, the strictest floor) and translucent (blended like the board's layer).
void PixmapFloor(benchmark::State &state)
{
    QPixmap picture(600, 420);
    picture.fill(state.range(0) ? QColor(200, 220, 240) : QColor(200, 220, 240, 128));
    QImage target = Target();
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawPixmap(0, 0, picture);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(PixmapFloor)->ArgName("opaque")->Arg(1)->Arg(0)->Repetitions(9)->ReportAggregatesOnly(true);

void BoardRepaint(benchmark::State &state)
{
    auto board = MidGameBoard();
    QImage target = Target();
    for (auto _ : state) {
        QPainter painter(&target);
        board->Paint(painter);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BoardRepaint)->Repetitions(9)->ReportAggregatesOnly(true);

// The first paint after a change in the listed words or the spelled text:
// the frame and slot layer is drawn afresh.
void BoardRepaintUncached(benchmark::State &state)
{
    auto board = MidGameBoard();
    QImage target = Target();
    bool flip = false;
    for (auto _ : state) {
        // The spelled text alternates between "" and "n": every paint finds
        // the layer stale.
        state.PauseTiming();
        if ((flip = !flip))
            board->Rules().ClearSpelling();
        else
            ClickLetter(*board, u'n');
        state.ResumeTiming();
        QPainter painter(&target);
        board->Paint(painter);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BoardRepaintUncached)->Repetitions(9)->ReportAggregatesOnly(true);

// One mouse move over the board: the hover update through the event handler
// and the repaint it asks for.
void MouseMove(benchmark::State &state)
{
    auto board = MidGameBoard();
    QImage target = Target();
    const QPoint a = TileCentre(*board, 4), b = TileCentre(*board, 7);
    bool flip = false;
    for (auto _ : state) {
        SendMove(*board, (flip = !flip) ? a : b);
        QPainter painter(&target);
        board->Paint(painter);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(MouseMove)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
