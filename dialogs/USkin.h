#pragma once
// The interface styles carried inside the program: six style sheets, each
// with the palette colours a sheet cannot reach, embedded under ":/asz/" as
// "ACRYL", "BLUE", "MACOS2", "OPUS", "WINTER" and "WLM".

#include <QByteArray>
#include <QPalette>
#include <QString>
#include <QStringList>

// The embedded sheet named name, matched without regard to case; empty when
// there is none.
QByteArray EmbeddedSkin(const QString &name);

// The palette a sheet declares in its "@palette Role #rrggbb" comments,
// laid over base. Unknown roles and malformed colours are skipped.
QPalette SkinPalette(const QByteArray &sheet, const QPalette &base);

// Writes the embedded skin to "data/<name>.asz" in the program's data folder
// and restyles every open window at once: the sheet and its palette go on the
// application. A name naming no embedded skin restores the default look.
// True when the skin was found, written and applied; the look is applied
// even when the file cannot be written. Needs a QApplication.
bool ApplySkin(const QString &name);

// The two halves of ApplySkin, for the start-up, which restyles before the
// first window and leaves the file (a synced disk write) until after it shows.
// ApplySkinLook is true when the name names an embedded skin; WriteSkinFile
// when that skin's file was written.
bool ApplySkinLook(const QString &name);
bool WriteSkinFile(const QString &name);

// The skin files ApplySkin left in the data folder, whatever the letter case
// they were written with: the program deletes them when it ends.
QStringList TempSkinFiles();
