#pragma once
// Writing a whole file so that a crash or a full disk never leaves it half
// written. Qt Core only; below the settings file, which writes through it.

#include <QByteArray>
#include <QString>

// Replaces the file with data through a temporary file and a rename, so a
// crash leaves either the old file or the new one. False on any failure.
bool WriteFileAtomically(const QString &fileName, const QByteArray &data);
