#pragma once
// Chinese messages for failures that reach the player from below the
// dialogs: settings that could not be saved, database errors.

#include <QString>

class EDatabaseError;
class QWidget;

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
