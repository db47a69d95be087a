#pragma once
// Book classes: the catalogue's "bookclass" values and their captions.

#include <QString>
#include <QStringList>


// The word book ("生词本") is class 8; the ordinary classes are 1 to 7.
constexpr int kWordBookClass = 8;
constexpr int kFirstBookClass = 1;
constexpr int kLastImportClass = 7;

// The caption of a class 1..8; empty for any other value.
QString BookClassCaption(int bookClass);
// The classes a player can import into, in order: position + 1 is the class.
QStringList ImportBookClasses();
