#pragma once

#include "print/SheetGeometry.h"
#include "print/PrinterCorrection.h"
#include "print/SheetPlan.h"

#include <QPointF>
#include <QString>

class QPainter;

// The test page that measures a printer: every card place of the settings as a hairline
// outline, and at the top-left corner of the first card and the bottom-right corner of
// the last a pair of millimetre rulers (±5 mm, a tick every 0.5 mm, a figure every mm)
// crossing the nominal corner, with a short Dutch instruction. It is printed without any
// correction, so what the user reads is the printer's own error.
namespace CalibrationSheet {

constexpr double RulerReachMm = 5;
constexpr double TickStepMm = 0.5;
constexpr double LineWidthMm = 0.1;
// The ticks of a ruler lie on the side that keeps the two rulers of a corner apart:
// for the horizontal one below the line left of the corner and above it right of the
// corner, for the vertical one left of the line above the corner and right of it below.
constexpr double HalfTickMm = 0.8;
constexpr double WholeTickMm = 1.4;
constexpr double CornerTickMm = 2.4;

struct Corners {
    QPointF topLeft;     // of the first card
    QPointF bottomRight; // of the card reaching farthest right and down
};
Corners nominalCorners(const SheetGeometry &sheet);

// Draws the page with the painter's origin at the page's origin. printerName goes
// into the instruction, so a sheet can be told apart from another printer's.
void draw(QPainter &painter, const SheetGeometry &sheet, const QString &printerName);

// The double-sided test page, which measures where a printer puts the back of the paper
// against its front. The front has every card place's outline and, at the centre of the
// first card and of the card reaching farthest right and down, a pair of rulers crossing
// there; the back has a cross exactly behind each of those centres once the paper is
// turned over the edge. Held against the light, the user reads on the front's rulers how
// far each back cross lies from where it must.
Corners duplexMarks(const SheetGeometry &sheet);
void drawDuplexFront(QPainter &painter, const SheetGeometry &sheet, const QString &printerName, Duplex edge);
// printableCorner: where the printer's printable area starts on the page, from which
// both pages are drawn (Qt's page origin), in millimetres.
void drawDuplexBack(QPainter &painter, const SheetGeometry &sheet, Duplex edge, QPointF printableCorner = {});

// The correction of the back pages from what the user read on the double-sided test page:
// how far each back cross lies from the crossing of its rulers, as seen from the front (+
// to the right and downwards), at the first card (topLeft) and at the last (bottomRight).
// Seen through the paper the back is mirrored, so a back drawn further right on its own
// page shows further left after a turn over the long edge, and further up after one over
// the short edge; the correction undoes the printer's error in the back page's own terms.
PrinterCorrection backCorrection(const PrinterCorrection::Readings &seenFromFront, const SheetGeometry &sheet,
                                 Duplex edge, QPointF printableCorner = {});

} // namespace CalibrationSheet
