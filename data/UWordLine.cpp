#include "UWordLine.h"

#include <algorithm>

TWordLine SplitWordLine(const QString &line)
{
    // Positions as 1-based "found at" values, 0 for not found, so that the
    // piece lengths work out the same whichever bracket is missing or first.
    const qsizetype open = line.indexOf(QLatin1Char('[')) + 1;
    const qsizetype close = line.indexOf(QLatin1Char(']')) + 1;
    TWordLine word;
    if (open > 0)
        word.Spelling = line.left(open - 1);
    if (close - open - 1 > 0)
        word.Pronunciation = line.mid(open, close - open - 1);
    word.Meaning = line.mid(close);
    return word;
}

QString ConvertPhonetic(const QString &pronunciation)
{
    static const char16_t kFrom[] = u"0123456789=";
    static const char16_t kTo[] = u"6134087=954";
    QString result = pronunciation;
    for (QChar &c : result) {
        for (int k = 0; kFrom[k]; ++k) {
            if (c.unicode() == kFrom[k]) {
                c = QChar(kTo[k]);
                break;
            }
        }
    }
    return result;
}

TLineFault SpellingFault(const QString &spelling)
{
    if (spelling.trimmed().isEmpty())
        return TLineFault::NoSpelling;
    if (std::any_of(spelling.cbegin(), spelling.cend(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return TLineFault::ControlCharacter;
    if (spelling.size() > kMaxSpellingLetters)
        return TLineFault::SpellingTooLong;
    return TLineFault::None;
}
