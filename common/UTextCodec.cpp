#include "UTextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString DecodeGbk(const QByteArray &bytes)
{
    // Stateless: a cut-off sequence at the end shows as a replacement
    // character instead of vanishing with the unflushed decoder state.
    QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray EncodeGbk(const QString &text)
{
    QStringEncoder encoder("GB18030");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

TUtf8Count CountUtf8(const QByteArray &bytes)
{
    TUtf8Count count;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned int cp = 0;
        unsigned int min = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1; cp = c & 0x1F; min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2; cp = c & 0x0F; min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3; cp = c & 0x07; min = 0x10000;
        } else {
            ++count.Invalid;
            ++i;
            continue;
        }
        int k = 1;
        for (; k <= extra; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                break;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (k <= extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            ++count.Invalid;
            ++i; // resynchronise at the next byte
            continue;
        }
        ++count.Valid;
        i += extra + 1;
    }
    return count;
}

bool IsValidUtf8(const QByteArray &bytes)
{
    return CountUtf8(bytes).Invalid == 0;
}

bool LooksLikeUtf8(const TUtf8Count &count)
{
    // GBK text forms a valid UTF-8 sequence only here and there by chance;
    // UTF-8 text with a damaged byte or two is still overwhelmingly valid.
    return count.Invalid == 0 || (count.Valid > 0 && count.Valid >= 2 * count.Invalid);
}

QString DecodeTextFile(const QByteArray &bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (IsValidUtf8(bytes)) {
        const QByteArray body = bytes.startsWith(bom) ? bytes.mid(3) : bytes;
        return QString::fromUtf8(body);
    }
    return DecodeGbk(bytes);
}
