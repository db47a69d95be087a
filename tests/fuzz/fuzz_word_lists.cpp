// The word-list readers (CSV/TSV, Anki text, JSON lists, the bracket format)
// on any bytes: they end, and every row they report carries a line number.

#include "UWordListFormats.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    int rows = 0;
    const TRowSink sink = [&rows](const TWordRow &row) {
        if (row.Line < 1)
            std::abort();
        return ++rows < 100000;
    };
    ReadDelimitedWordList(bytes, ',', sink);
    ReadDelimitedWordList(bytes, '\t', sink);
    ReadAnkiWordList(bytes, sink);
    ReadJsonWordList(bytes, sink);
    ReadBracketWordList(bytes, sink);
    return 0;
}
