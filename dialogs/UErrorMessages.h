#pragma once
// Chinese messages for failures that reach the player from below the
// dialogs: settings that could not be saved, database errors, a score that
// was not stored, a word library that did not open at start-up.

#include <QString>

class EDatabaseError;
class QWidget;
enum class TConnectResult;

// Told when writing the settings file failed (a full disk, a read-only
// folder); the old settings are then still in place.
QString SettingsNotSavedText();

// Shows SettingsNotSavedText() the first time it is called in a run and
// does nothing afterwards, so a disk that stays full is reported once.
void ShowSettingsNotSaved(QWidget *parent);
// Lets the next failure be reported again (tests).
void ResetSettingsNotSaved();

// A Chinese headline with the engine's own text as the detail.
QString DatabaseErrorText(const QString &engineText);
void ShowDatabaseError(QWidget *parent, const EDatabaseError &error);

// A score the ranking could not take (a full disk, a read-only library).
QString ScoreNotSavedText(const QString &engineText);
void ShowScoreNotSaved(QWidget *parent, const EDatabaseError &error);

// Why the word library named fileName did not open at start-up, with the
// engine's text as the detail when there is one. Missing, Busy, Damaged and
// CannotOpen each have their own words; Connected gives an empty text.
QString LibraryNotOpenedText(TConnectResult result, const QString &fileName, const QString &engineText);
// The question put for a damaged library that an installed default can
// replace; the damaged file is kept.
QString AskRestoreLibraryText(const QString &fileName, const QString &engineText);
// Told after the restore: where the damaged file now is.
QString LibraryRestoredText(const QString &keptAs);
// Told when the restore itself failed.
QString LibraryNotRestoredText(const QString &fileName);
