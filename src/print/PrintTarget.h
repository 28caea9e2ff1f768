#pragma once

#include "print/PrintOutcome.h"
#include "print/PrintedCard.h"
#include "print/PrinterCorrection.h"
#include "print/SheetPainter.h"
#include "print/SheetGeometry.h"

#include <QPointF>
#include <QString>

class QPagedPaintDevice;
class Questions;

// Where "Print" sends the sheet: the printer of this run, or a PDF file when no printer
// is installed or the user chose printing to a file.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    virtual bool printsToFile() const = 0;
    // The file named in the printer dialog, offered in the save dialog; empty when none.
    virtual QString chosenFileName() const = 0;

    // The printer made ready for one document in portrait, in this number of copies;
    // null when it cannot print at all.
    virtual QPagedPaintDevice *prepare(int copies) = 0;
    // Whether the printer makes the copies of a page itself; if not, each copy is a page.
    virtual bool repeatsPages() const = 0;
    // After the document has ended: whether the printer took it without an error.
    virtual bool accepted() const = 0;
    // The printer's name as the system knows it; empty when it has none.
    virtual QString printerName() const { return {}; }
    // Where the printable area, from which the cards are placed, starts on the page,
    // in millimetres; a PDF's is the whole page.
    virtual QPointF printableCornerMm() const { return {}; }
};

// The name the target's correction is kept under: the printer's, or the PDF entry.
QString correctionEntry(const PrintTarget &target);

// Prints the sheet in a number of copies on the target: on a printer one document,
// on a PDF the user names in a save dialog one page per copy. A cancelled save dialog
// prints nothing; a failure comes back with a Dutch message.
PrintOutcome printSheetTo(PrintTarget &target, Questions &questions, const PrintedCard &card,
                          const SheetGeometry &sheet, int copies, const PrinterCorrection &correction = {});

// The same for any page drawing, e.g. the calibration sheet; suggestedName is the PDF's.
PrintOutcome printPagesTo(PrintTarget &target, Questions &questions, const QString &suggestedName,
                          const PageDrawing &draw, int copies, const PrinterCorrection &correction = {});
