#pragma once

#include "print/PrintedCard.h"
#include "print/SheetGeometry.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QSizeF>

// The card as the printer draws it, at a screen's or a render's scale: the window's
// printed view and `lumovander-batch render --afgedrukt` both take their pictures here,
// drawn by the sheet's own routine for one card.
//
// A scale is a whole number of dots per inch: paper's mapping takes millimetres and
// points through the device's resolution, which a device gives in whole dots per inch.
namespace PrintedView {

// The largest whole dots per inch at which a card of cardMm fits area (at least 1).
int fittingDpi(QSizeF cardMm, QSize area);
// The card's pixels at dpi, at least one each way.
QSize pixelsAt(QSizeF cardMm, int dpi);
// The card at the dpi that fits area, centred there.
QRect cardRect(QSizeF cardMm, QSize area);

// An empty picture of pixels, to measure on as picture() draws at dpi: paper's mapping
// and the fonts on it are the picture's. Its own resolution is finer than dpi (fonts
// come in whole pixels of their device), so it is for measuring, not for drawing on.
QImage device(QSize pixels, int dpi);

// The card of sheet's size as it prints, at dpi. The card gives its print copies when it
// has them (a render larger than the screen); the window leaves them out.
QImage picture(const PrintedCard &card, const SheetGeometry &sheet, int dpi);

// picture() in two parts, for a drawing that keeps the first: the card's background (white
// and the canvas picture, scaled onto the card), and the whole card drawn over a copy of
// it, pixel for pixel picture(). Scaling the picture is most of what the card costs over
// the canvas's own drawing, and a drag changes everything but the background.
QImage background(const PrintedCard &card, const SheetGeometry &sheet, int dpi);
QImage pictureOver(const QImage &background, const PrintedCard &card, const SheetGeometry &sheet);

} // namespace PrintedView
