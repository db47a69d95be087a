#pragma once
// The program's single pseudo-random generator. It starts from seed 0 and is
// never seeded from the clock, so every run deals the same shuffles in the
// same order on every machine.

#include <QList>
#include <QtGlobal>

using TIntAry = QList<qint32>;

// A number in [0, range); 0 when range is 0.
quint32 Random(quint32 range);

// Back to the state of a fresh program start (tests and benchmarks only).
void SetRandSeed(quint32 seed);
quint32 RandSeed();

// The tile shuffle. Its swaps never touch position 0 until the final swap of
// the first and last entries, so the last entry always ends up holding what
// was first.
void ShuffleIntAry(TIntAry &values);
