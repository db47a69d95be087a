// A line of "UseRecord.txt": any text parses or is refused, and a parsed game
// written back as a line parses to the same game.

#include "URecentGames.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TRecentGames::Caption(line);
    TGamePara para;
    if (!TRecentGames::Parse(line, para))
        return 0;
    TGamePara again;
    if (!TRecentGames::Parse(TRecentGames::LineOf(para), again) || again.WordCount != para.WordCount
        || again.TollGateIndex != para.TollGateIndex || again.Level != para.Level)
        std::abort();
    return 0;
}
