#pragma once

#include <QFont>

// The one typeface of the built-in pictures, Liberation Sans, at a pixel size so that
// the pictures come out the same whatever the screen's resolution.
QFont drawingFont(int pixelSize, bool bold = false);
