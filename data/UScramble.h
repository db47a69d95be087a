#pragma once
// The reversible scrambling of stored word texts: the text's bytes in the
// Chinese code page as hexadecimal digits, a fixed key appended, then halves
// exchanged, adjacent digits swapped and halves exchanged again.
//
// Nothing here throws: every failure (a text that is not scrambled, an odd
// or non-hexadecimal input) gives an empty result.

#include <QByteArray>
#include <QString>

QString GetScrambleKey();

QString ScrambleText(const QString &text);
QString UnscrambleText(const QString &text);

// A word text as a library stores it (scrambled when scramble is set), and
// back. A blank text stays as it is stored: the books keep an empty
// phonetic or meaning empty, scrambled or not.
QString StoredText(const QString &text, bool scramble);
QString PlainText(const QString &stored, bool unscramble);

// Every byte as two upper-case hexadecimal digits, high digit first.
QString StrToHexStr(const QByteArray &bytes);
// The inverse, reading two digits at a time (either case; a lone last digit
// is one byte). Empty when any digit is not hexadecimal.
QByteArray HexStrToStr(const QString &hex);
