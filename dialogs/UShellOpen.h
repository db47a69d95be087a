#pragma once
// Opening web pages in the user's web browser, through one replaceable seam
// so tests can record what would have opened. Only http and https addresses
// are ever handed on; a failed open is not reported to the player.

#include <QUrl>

#include <functional>

using TShellOpener = std::function<void(const QUrl &)>;

// True when the address was handed to the opener.
bool ShellOpen(const QUrl &url);
// Installs an opener (an empty one restores the desktop's) and gives back the
// previous one.
TShellOpener SetShellOpener(TShellOpener opener);
