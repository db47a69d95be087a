#pragma once
// Opening web pages and documents with the desktop's own programs, through one
// replaceable seam so tests can record what would have opened. Only http and
// https addresses are ever handed on as web pages. When nothing on the desktop
// takes the address (no web browser), the player is told so, with the address
// to copy.

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// True when a program of the desktop took the address.
using TShellOpener = std::function<bool(const QUrl &)>;

// Opens a web page. False for an address that is not http(s) (nothing is
// shown then) and when it did not open (the player is told, over parent).
bool ShellOpen(const QUrl &url, QWidget *parent = nullptr);
// Installs an opener (an empty one restores the desktop's) and gives back the
// previous one.
TShellOpener SetShellOpener(TShellOpener opener);

// The notice for an address or document that did not open: what happened,
// and the address (a local file as its path) on a line of its own to copy.
QString NotOpenedText(const QUrl &url);
// Shows it in an information box whose text can be selected.
void TellNotOpened(QWidget *parent, const QUrl &url);
