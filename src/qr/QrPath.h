#pragma once

#include "qr/QrCode.h"

#include <QPainterPath>
#include <QRect>
#include <QRectF>

#include <vector>

// The light border a reader needs around the code, in modules on each side.
constexpr int QrQuietZone = 4;

// For paper: the dark modules as one path (Qt::WindingFill) of their outlines, one closed
// subpath round each area of touching dark modules and one round each light hole in it,
// with a corner only where the outline turns; the quiet zone lies inside `target`, so a
// module is target.width() / (size + 8) wide and target.height() / (size + 8) high.
// Every corner lies on the module grid from the target's corner. Empty for an invalid code.
QPainterPath modulePath(const QrCode &code, const QRectF &target);

// For a PDF: the dark modules as rectangles in module units (column, row, from the code's
// top-left, without the quiet zone), together covering exactly the dark modules and none
// twice: each run of dark modules in a row, taken down over the rows below that have the
// very same run. A PDF writes a rectangle as one short operator, where an outline writes
// a point per corner, so a page of codes stays small and quick to write.
std::vector<QRect> moduleRects(const QrCode &code);

// For the screen: the code on whole device pixels within `deviceRect`.
struct QrPixelPath {
    // The code with its quiet zone, centred in the rectangle; square.
    QRect square;
    // Pixels per module when the square is at least size + 8 pixels wide: the largest
    // whole number that fits. 0 when it is smaller: then each pixel shows the module
    // under its centre.
    int modulePixels = 0;
    // The outlines of the dark pixels, on whole device pixels (as modulePath's).
    QPainterPath dark;
};
QrPixelPath modulePixelPath(const QrCode &code, const QRect &deviceRect);
