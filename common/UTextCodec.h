#pragma once
// Text crosses the program's file boundaries in the Chinese code page (GBK).
// GB18030 is a superset of GBK that is byte-identical on every GBK character,
// so decoding and encoding with it loses nothing; inside, text is QString.

#include <QByteArray>
#include <QString>

QString DecodeGbk(const QByteArray &bytes);
QByteArray EncodeGbk(const QString &text);

// Strict UTF-8 check: Qt's decoders silently replace bad input, so a file's
// encoding has to be decided before decoding.
bool IsValidUtf8(const QByteArray &bytes);

// Well-formed multi-byte UTF-8 sequences and bytes that start no valid
// sequence, so that a file can be judged as a whole.
struct TUtf8Count
{
    qsizetype Valid = 0;
    qsizetype Invalid = 0;
};
TUtf8Count CountUtf8(const QByteArray &bytes);
// True for UTF-8 text, also when a few of its bytes are damaged.
bool LooksLikeUtf8(const TUtf8Count &count);

inline const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// A whole text file: valid UTF-8 (with or without a byte-order mark) is read
// as UTF-8, anything else as GBK.
QString DecodeTextFile(const QByteArray &bytes);
