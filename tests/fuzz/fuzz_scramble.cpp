// Scrambling: any text comes back from a scramble and unscramble unchanged
// (where GBK can hold it), and any text at all may be handed to UnscrambleText.

#include "UScramble.h"
#include "UTextCodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    UnscrambleText(QString::fromLatin1(bytes));
    HexStrToStr(QString::fromLatin1(bytes));
    if (DecodeGbk(EncodeGbk(text)) == text && UnscrambleText(ScrambleText(text)) != text)
        std::abort();
    return 0;
}
