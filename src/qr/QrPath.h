#pragma once

#include "qr/QrCode.h"

#include <QPainterPath>
#include <QRect>
#include <QRectF>
#include <vector>

// The light border a reader needs around the code, in modules on each side.
constexpr int QrQuietZone = 4;

// The dark modules as few rectangles, in modules from the code's top left (quiet zone not
// included): the dark runs of each row, a run carried down while the rows below have the
// very same run. Every dark module lies in exactly one rectangle.
std::vector<QRect> darkRectangles(const QrCode &code);

// For paper: the dark modules as one path (Qt::WindingFill) of those rectangles, with the
// quiet zone inside `target`, so a module is target.width() / (size + 8) wide and
// target.height() / (size + 8) high. Every edge lies on the module grid from the
// target's corner. Empty for an invalid code.
QPainterPath modulePath(const QrCode &code, const QRectF &target);

// For the screen: the code on whole device pixels within `deviceRect`.
struct QrPixelPath {
    // The code with its quiet zone, centred in the rectangle; square.
    QRect square;
    // Pixels per module when the square is at least size + 8 pixels wide: the largest
    // whole number that fits. 0 when it is smaller: then each pixel shows the module
    // under its centre.
    int modulePixels = 0;
    // The dark pixels as whole-pixel rectangles, in device pixels.
    QPainterPath dark;
};
QrPixelPath modulePixelPath(const QrCode &code, const QRect &deviceRect);
