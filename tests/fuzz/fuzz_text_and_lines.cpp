// Decoding a text file and cutting its lines into bracket words: any bytes
// decode, and a split line's pieces come from the line itself.

#include "UTextCodec.h"
#include "UWordLine.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = DecodeTextFile(bytes);
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
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
