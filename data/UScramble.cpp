#include "UScramble.h"

#include "UTextCodec.h"

#include <utility>

namespace {

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// Exchanging the halves of an even-length text is its own inverse, and so is
// swapping adjacent pairs; together they make the transposition.
QString Transpose(QString t)
{
    const qsizetype h = t.size() / 2;
    t = t.right(h) + t.left(t.size() - h);
    for (qsizetype k = 0; k < h; ++k)
        std::swap(t[2 * k], t[2 * k + 1]);
    return t.right(h) + t.left(t.size() - h);
}

} // namespace

QString GetScrambleKey()
{
    return QStringLiteral("#MOLE@TRAvinK%");
}

QString StrToHexStr(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex()).toUpper();
}

QByteArray HexStrToStr(const QString &hex)
{
    QByteArray bytes;
    bytes.reserve(hex.size() / 2 + 1);
    for (qsizetype i = 0; i < hex.size(); i += 2) {
        const int high = HexValue(hex[i]);
        if (high < 0)
            return QByteArray();
        if (i + 1 == hex.size()) {
            bytes.append(char(high));
            break;
        }
        const int low = HexValue(hex[i + 1]);
        if (low < 0)
            return QByteArray();
        bytes.append(char(high * 16 + low));
    }
    return bytes;
}

QString ScrambleText(const QString &text)
{
    if (text.isEmpty())
        return QString();
    return Transpose(StrToHexStr(EncodeGbk(text)) + StrToHexStr(GetScrambleKey().toLatin1()));
}

QString UnscrambleText(const QString &text)
{
    if (text.isEmpty())
        return QString();
    // With an odd length the two exchanges of halves differ; the reverse
    // order of the rotations keeps the inverse exact for even lengths.
    QString t = text;
    const qsizetype h = t.size() / 2;
    t = t.mid(h) + t.left(h);
    for (qsizetype k = 0; k < h; ++k)
        std::swap(t[2 * k], t[2 * k + 1]);
    t = t.mid(h) + t.left(h);
    const qsizetype keyDigits = GetScrambleKey().size() * 2;
    t.chop(keyDigits);
    if (t.isEmpty())
        return QString();
    const QByteArray bytes = HexStrToStr(t);
    if (bytes.isEmpty())
        return QString();
    return DecodeGbk(bytes);
}

QString StoredText(const QString &text, bool scramble)
{
    if (!scramble || text.trimmed().isEmpty())
        return text;
    return ScrambleText(text);
}

QString PlainText(const QString &stored, bool unscramble)
{
    if (!unscramble)
        return stored;
    return stored.trimmed().isEmpty() ? QString() : UnscrambleText(stored);
}
