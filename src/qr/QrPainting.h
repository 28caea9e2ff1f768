#pragma once

#include "qr/QrCode.h"

#include <QColor>
#include <QPainter>
#include <QRectF>

// Paints the code over the whole of `target` (in the painter's coordinates): the target
// in the light colour, quiet zone included, and the dark modules as one fill on top: into
// a PDF as the rectangles of moduleRects in whole modules under one matrix, on any other
// device as modulePath's outlines. For paper and PDF; the painter's own antialiasing
// setting is kept.
void paintQrCode(QPainter &painter, const QrCode &code, const QRectF &target, const QColor &dark,
                 const QColor &light = Qt::white);

// The same on whole device pixels, for the screen: the target is mapped to the device,
// the largest whole number of pixels per module is used (see modulePixelPath) and the
// code drawn without antialiasing. Under a turned or sheared painter it paints as
// paintQrCode does.
void paintQrCodeOnPixels(QPainter &painter, const QrCode &code, const QRectF &target, const QColor &dark,
                         const QColor &light = Qt::white);
