#pragma once
// Where the files that the program writes live: the settings file, the word
// library, "UseRecord.txt", the extracted skins and downloaded lists.
//
// A program run from its own (writable) folder keeps them there. An installed
// program, whose folder is read-only, keeps them in the user's data folder,
// which is filled from the installed defaults on first start; a file already
// there is never replaced, so a newer install cannot overwrite the player's
// books and scores. Every copy is writable by its owner, even from a
// read-only install. Qt Core only.

#include <QString>
#include <QStringList>

class QDateTime;

// True when files can be created in folder and in its "data/" (when that
// exists), found by creating and removing a probe file in each. A folder
// whose mode has no write bit counts as read-only for root too, so an
// install made read-only behaves alike for every user.
bool IsFolderWritable(const QString &folder);

// The installed defaults for the writable folder, relative to the program
// folder: the settings file "data/spellconfig.ini" and the word library it
// names (key "data" of section "system", "guluspell" when absent) + ".mdb".
QStringList InstalledDefaultFiles(const QString &programFolder);

// Copies each file of files (relative paths) from the folder from to the
// folder to, unless to already holds it. A copy is written under a temporary
// name and renamed, so an interrupted copy never leaves a half file that a
// later start would take for the player's own. True when every file exists
// in to afterwards.
bool CopyMissingFiles(const QString &from, const QString &to, const QStringList &files);

// The folder (ending in '/') for the files the program writes: programFolder
// when it is writable; otherwise userFolder, created and filled with the
// missing installed defaults. When userFolder cannot be created either,
// programFolder, so the program still runs on its installed files.
QString ChooseDataFolder(const QString &programFolder, const QString &userFolder);

// Replaces the player's copy of file (relative, e.g. "data/guluspell.mdb")
// in userFolder with the installed default from programFolder, keeping the
// old copy beside it as "<file>.damaged-yyyyMMdd-HHmmss" (from now; "-2",
// "-3" ... when that name is taken), its SQLite companions (-wal, -shm,
// -journal) moved along. Gives the kept file's path; empty when there was
// nothing to restore or the copy failed, and the old copy is then back in
// place. The copy is writable by its owner, like every first-start copy.
QString RestoreInstalledFile(const QString &programFolder, const QString &userFolder, const QString &file,
                             const QDateTime &now);

// QStandardPaths::AppDataLocation, ending in '/' (normally
// ~/.local/share/guluspell with the application name "guluspell").
QString UserDataFolder();
