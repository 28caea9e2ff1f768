#pragma once

#include "print/PrintOutcome.h"
#include "print/PrintedCard.h"
#include "print/PrinterCorrection.h"
#include "print/SheetPainter.h"
#include "print/SheetGeometry.h"
#include "print/SheetPlan.h"

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
    // How the next document prepared is printed: on one side, or on both, the paper
    // turned over the long or the short edge (ByHand prints one side at a time). A
    // target that cannot print both sides itself prints one.
    virtual void setSides(Duplex sides) { Q_UNUSED(sides); }
    // Whether it turns the paper over that edge itself (LongEdge or ShortEdge).
    virtual bool printsBothSides(Duplex edge) const
    {
        Q_UNUSED(edge);
        return false;
    }
};

// The name the target's correction is kept under: the printer's, or the PDF entry.
QString correctionEntry(const PrintTarget &target);

// Prints the sheet in a number of copies on the target: on a printer one document,
// on a PDF the user names in a save dialog one page per copy. A cancelled save dialog
// prints nothing; a failure comes back with a Dutch message.
PrintOutcome printSheetTo(PrintTarget &target, Questions &questions, const PrintedCard &card,
                          const SheetGeometry &sheet, int copies, const PrinterCorrection &correction = {});

// The sheets of a request (its sheet, edge and corrections; the printable corner is the
// target's) in a number of copies: on a printer that prints both sides one document of a
// front and a back page per sheet; by hand the fronts, then, when the user has turned
// the stack and says so, the backs; on a PDF front and back pages alternately. A request
// that starts past the first slot is printed as a page per sheet, never as printer copies.
//
// With a team (people > 0) the faces are the team's (print/TeamFaces), perPerson cards of
// each along the rows from the request's first slot, and copies prints the whole team that
// many times; every sheet is a page of its own.
struct TeamPrint {
    int people = 0;
    int perPerson = 1;
};
PrintOutcome printPlanTo(PrintTarget &target, Questions &questions, const FaceSource &faces, SheetRequest request,
                         int copies, TeamPrint team = {});
// The plan printPlanTo prints for a request of that many copies.
SheetPlan plannedPrint(const SheetRequest &request, int copies, TeamPrint team = {});

// The question between the fronts and the backs of a print by hand, asked with the
// picture of how the stack goes back into the tray (print/TurnStackPicture).
inline const QString TurnStackTitle = QStringLiteral(" Achterkanten afdrukken");
QString turnStackText();

// One sheet printed on both sides, e.g. the double-sided test page: `draw` draws the page
// of a side from the printable corner the target places it from (a PDF's is the page's
// corner), each side under its correction. On a printer that turns the paper over `edge`
// itself one document of the two pages, its sides set; on one that cannot, over the long
// edge, the front, then, when the user has turned the sheet and says so, the back (as a
// print by hand); over the short edge such a printer is refused. A PDF gets both pages.
using SideDrawing = std::function<void(QPainter &painter, CardSide side, QPointF printableCorner)>;
PrintOutcome printBothSidesTo(PrintTarget &target, Questions &questions, const QString &suggestedName,
                              const SheetGeometry &sheet, const SideDrawing &draw, Duplex edge, const PrinterCorrection &frontCorrection = {},
                              const PrinterCorrection &backCorrection = {});

// The same for any page drawing, e.g. the calibration sheet; suggestedName is the PDF's.
PrintOutcome printPagesTo(PrintTarget &target, Questions &questions, const QString &suggestedName,
                          const PageDrawing &draw, int copies, const PrinterCorrection &correction = {});
