#pragma once
// Where the tiles of a word go: a row of full-size tiles 2 px apart while
// they fit the band, then narrower tiles wrapped into rows of the same band,
// each row centred. Pure geometry, shared by dealing and the playable limit.

#include <QList>
#include <QRect>
#include <QSize>

// The face of each of count tiles inside band, for tiles of full size at most
// and in its proportions; empty when they cannot all keep a face wide enough
// to be told apart and hit (or count is 0).
QList<QRect> TileLayout(int count, const QRect &band, QSize full);

// The most tiles the classic board's band (600 x 64, tiles of 48 x 64) holds.
int MaxTilesInBand();
