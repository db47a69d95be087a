#pragma once
// Writes words as a list that the word-list import (UWordListFormats) reads
// back to the same words: CSV with the header "word,phonetic,meaning", Anki's
// plain text (tab-separated notes under "#separator:tab" and "#html:false"),
// and the typing trainers' JSON (an array of {"name", "trans", "usphone"}).
// Always UTF-8.
//
// A control character inside a text (a tab, a line break) is written as a
// space, which is what the import makes of one anyway: the board shows every
// word on one line.

#include "UWordLine.h"
#include "UWordListFormats.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The file's bytes; only Csv, Anki and Json are written (any other format
// gives Csv's).
QByteArray FormatWordList(TWordListFormat format, const QList<TWordLine> &words);

// Writes the file atomically: false leaves what was there before.
bool ExportWordList(const QString &fileName, TWordListFormat format, const QList<TWordLine> &words);
