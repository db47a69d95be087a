#pragma once
// Which texts the program hands to the desktop's opener as web pages. The
// download addresses come from the settings file, which anyone may edit, so
// only an http or https address with a host passes: no local files or paths,
// shares, script or other schemes.

#include <QString>
#include <QUrl>

// The address as a URL, or an empty URL when it is not such a web address.
// Blanks around the text are ignored.
QUrl WebAddress(const QString &text);
