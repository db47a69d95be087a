#include "URandom.h"

#include <utility>

namespace {
quint32 g_seed = 0;
}

quint32 Random(quint32 range)
{
    g_seed = g_seed * 134775813u + 1u; // wraps modulo 2^32
    return quint32((quint64(g_seed) * range) >> 32);
}

void SetRandSeed(quint32 seed)
{
    g_seed = seed;
}

quint32 RandSeed()
{
    return g_seed;
}

void ShuffleIntAry(TIntAry &values)
{
    if (values.isEmpty())
        return;
    const auto h = quint32(values.size() - 1);
    for (quint32 k = 0; k <= h; ++k) {
        const quint32 a = Random(h) + 1;
        const quint32 b = Random(h) + 1;
        // With one entry both draws give 1, past the end: nothing to swap.
        if (a <= h && b <= h)
            std::swap(values[a], values[b]);
    }
    std::swap(values[0], values[h]);
}
