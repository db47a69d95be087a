#pragma once
// The Windows fonts that the program's forms name ("宋体", "黑体", "华文新魏",
// "Arial") do not exist here. This is the one place that maps them to the
// nearest installed fonts; call it once after the application object exists.

#include <QFont>
#include <QString>

void InstallFontSubstitutions();

// A font by its Windows name, with a size in pixels (the forms' negative
// heights) or in points.
QFont FontByPixels(const QString &family, int pixels, bool bold = false);
QFont FontByPoints(const QString &family, int points, bool bold = false);
