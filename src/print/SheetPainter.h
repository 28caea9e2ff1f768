#pragma once

#include "print/PrintOutcome.h"
#include "print/PrintedCard.h"
#include "print/PrinterCorrection.h"
#include "print/SheetGeometry.h"
#include "print/SheetPlan.h"

#include "core/CardDesign.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <functional>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The one drawing routine of the printed sheet. The painter's origin is the printable
// area's corner; millimetres become device pixels through the device's resolution, so
// pictures are scaled (smoothly) at the device's own resolution and text stays text.
// Per card: the canvas image over the whole card, the outline bars, the stamp, then the
// text lines over all of it; each picture from its print copy when the card has one.
void drawSheet(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet);

// The face a planned card shows: the card numbered `card` of those printed, on `face`;
// null for a face it does not have, whose slot stays blank.
using FaceSource = std::function<const PrintedCard *(int card, CardSide face)>;

// One page of a plan (print/SheetPlan), each card as drawCardAt draws it. drawSheet is
// the front page of the plan for one card.
void drawPlannedPage(QPainter &painter, const FaceSource &faces, const SheetGeometry &sheet, const PlannedPage &page);

// A page of a plan as it prints, for a page preview: the whole A4 page in white at
// pixelsPerMm, the cards drawn by drawPlannedPage from the printable corner the plan was
// made for, under the page's correction, and nothing outside the page.
QImage pagePicture(const FaceSource &faces, const SheetGeometry &sheet, const PlannedPage &page, QPointF printableCorner,
                   double pixelsPerMm);

// Whether drawCardAt paints the canvas picture: a drawing that lays a larger background
// of its own under the card (a press page's bleed) leaves it out.
enum class CardBackground { Drawn, Omitted };

// One card of sheet's size with its top-left corner at cornerMm, exactly as drawSheet
// draws each of its cards.
void drawCardAt(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet, QPointF cornerMm,
                CardBackground background = CardBackground::Drawn);
// Only the canvas picture that drawCardAt lays first, drawn as it draws it: over a copy
// of it, drawCardAt with CardBackground::Omitted gives the very pixels of the whole card,
// for a drawing that keeps the picture scaled once (the window's printed view).
void drawCardBackgroundAt(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet, QPointF cornerMm);

// Where the card's parts land on paper, in millimetres from the card's top-left corner,
// as drawCardAt places them on the device: the text of each line that has any, the stamp
// (in the layouts that show it) and each placed object.
struct PaperItem {
    CardItem item;
    QRectF mm;
};
QList<PaperItem> paperItems(const PrintedCard &card, const SheetGeometry &sheet, const QPaintDevice &device);

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

// The same with a drawing and a correction of each page's own.
using NumberedPageDrawing = std::function<void(QPainter &, int page)>;
PrintOutcome printEachPage(QPagedPaintDevice &device, int pages, const NumberedPageDrawing &draw,
                           const std::function<PrinterCorrection(int page)> &correctionOf);

// Every page of a plan in its order, each under the correction of its side.
PrintOutcome printPlan(QPagedPaintDevice &device, const FaceSource &faces, const SheetGeometry &sheet,
                       const SheetPlan &plan);
