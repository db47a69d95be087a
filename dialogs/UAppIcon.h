#pragma once
// The mascot icon of every window and of the taskbar entry.

#include <QIcon>

// The icon at all its drawn sizes, from the program's resources, so a
// window has it without any installed icon theme.
QIcon AppIcon();
