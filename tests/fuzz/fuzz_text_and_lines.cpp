// Decoding a text file and cutting it into lines and bracket words: any bytes
// decode, every line is free of line breaks, and a split line's pieces come
// from the line itself.

#include "UImpExpLib.h"
#include "UTextCodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = DecodeTextFile(bytes);
    for (const QString &line : SplitTextLines(text)) {
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            std::abort();
        const TWordLine word = SplitWordLine(line);
        if (!line.startsWith(word.Spelling) || !line.endsWith(word.Meaning))
            std::abort();
        if (ConvertPhonetic(word.Pronunciation).size() != word.Pronunciation.size())
            std::abort();
    }
    // Whatever the bytes, encoding what was decoded must not fail either.
    EncodeGbk(text);
    return 0;
}
