#include "UTileLayout.h"

#include "UCommonFun.h"

#include <algorithm>

namespace {

constexpr int kTileGap = 2;
// Narrower faces can no longer be told apart or hit reliably.
constexpr int kMinTileWidth = 8;

struct TTileGrid
{
    int Rows = 0;
    int PerRow = 0;
    QSize Size; // empty when the tiles do not fit
};

// The largest tiles, in the proportions of a full tile, that hold count tiles
// in rows kTileGap apart inside area. One row of full tiles while they fit;
// then narrower tiles, and more rows once a single row would make them
// narrower than several rows do.
TTileGrid FitTiles(int count, QSize area, QSize full)
{
    TTileGrid best;
    if (count <= 0)
        return best;
    for (int rows = 1; rows <= count; ++rows) {
        const int perRow = CeilDiv(rows, count);
        const int byWidth = std::min(full.width(), (area.width() + kTileGap) / perRow - kTileGap);
        const int byHeight = std::min(full.height(), (area.height() + kTileGap) / rows - kTileGap);
        if (byHeight * full.width() / full.height() < kMinTileWidth)
            break; // more rows only make the tiles lower
        const int width = std::min(byWidth, byHeight * full.width() / full.height());
        if (width >= kMinTileWidth && width > best.Size.width()) {
            best.Rows = rows;
            best.PerRow = perRow;
            best.Size = QSize(width, std::max(1, RoundHalfEven(double(full.height()) * width / full.width())));
        }
    }
    return best;
}

} // namespace

QList<QRect> TileLayout(int count, const QRect &band, QSize full)
{
    const TTileGrid grid = FitTiles(count, band.size(), full);
    if (grid.Size.isEmpty())
        return {};
    const int pitch = grid.Size.width() + kTileGap;
    const int blockHeight = grid.Rows * (grid.Size.height() + kTileGap) - kTileGap;
    const int top = band.top() + (band.height() - blockHeight) / 2;
    QList<QRect> places;
    places.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int row = i / grid.PerRow;
        const int inRow = std::min(grid.PerRow, count - row * grid.PerRow);
        const int start = band.left() + std::max(0, RoundHalfEven((band.width() - double(pitch) * inRow) / 2.0));
        places.append(QRect(QPoint(start + (i % grid.PerRow) * pitch, top + row * (grid.Size.height() + kTileGap)),
                            grid.Size));
    }
    return places;
}

int MaxTilesInBand()
{
    // Fixed from the classic board, whatever art is loaded.
    static const int most = [] {
        int n = 1;
        while (!TileLayout(n + 1, QRect(0, 0, 600, 64), QSize(48, 64)).isEmpty())
            ++n;
        return n;
    }();
    return most;
}
