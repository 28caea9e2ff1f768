#pragma once

#include "print/PrintOutcome.h"
#include "print/PrintedCard.h"
#include "print/PrinterCorrection.h"
#include "print/SheetGeometry.h"

#include <functional>

class QPagedPaintDevice;
class QPainter;

// The one drawing routine of the printed sheet. The painter's origin is the printable
// area's corner; millimetres become device pixels through the device's resolution, so
// pictures are scaled (smoothly) at the device's own resolution and text stays text.
// Per card: the canvas image over the whole card, the outline bars, the stamp, then the
// text lines over all of it; each picture from its print copy when the card has one.
void drawSheet(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet);

// What one page holds, drawn with the painter's origin at the page's origin.
using PageDrawing = std::function<void(QPainter &)>;

// Prints a drawing on `pages` pages of the device, one after another, and ends the
// document (printSheetTo decides how many: one on a printer that makes its copies
// itself, a page per copy elsewhere). The printer's correction is laid over everything
// the drawing puts on each page; a neutral correction leaves the painter as it is.
// Fails, with a Dutch message, when the device cannot be painted on or refuses the
// document.
PrintOutcome printPages(QPagedPaintDevice &device, const PageDrawing &draw, int pages,
                        const PrinterCorrection &correction = {});
