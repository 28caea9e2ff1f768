#include "print/PrintTarget.h"

#include "core/Questions.h"
#include "print/CorrectionFile.h"
#include "print/PdfSheetWriter.h"
#include "print/SheetPainter.h"
#include "print/TurnStackPicture.h"

namespace {

const QString DefaultPdfName = QStringLiteral("Kaartjes.pdf");

PrintOutcome printerFailure()
{
    return PrintOutcome::failed(
        QStringLiteral("De printer heeft de kaartjes niet aangenomen. Controleer de printer en probeer het opnieuw."));
}

} // namespace

QString correctionEntry(const PrintTarget &target)
{
    return target.printsToFile() ? CorrectionFile::PdfTarget : target.printerName();
}

PrintOutcome printSheetTo(PrintTarget &target, Questions &questions, const PrintedCard &card,
                          const SheetGeometry &sheet, int copies, const PrinterCorrection &correction)
{
    return printPagesTo(
        target, questions, DefaultPdfName, [&](QPainter &painter) { drawSheet(painter, card, sheet); }, copies,
        correction);
}

QString turnStackText()
{
    return QStringLiteral(
        "De voorkanten zijn afgedrukt.\r\n\r\n"
        "Laat de vellen in dezelfde volgorde en draai de stapel om over de lange kant, zoals u een bladzijde omslaat. "
        "Leg hem zo terug in de lade dat de printer op de blanco kant drukt, met de bovenrand van de voorkanten "
        "weer als eerste de printer in.\r\n\r\n"
        "Nu de achterkanten afdrukken?");
}

namespace {

// What one job puts on its pages: the given sides of the sheet, in that order.
using SidesPrinting = std::function<PrintOutcome(QPagedPaintDevice &printer, const QList<CardSide> &sides)>;

// The sides a choice prints, each job checked: the fronts alone, both in one job with the
// printer turning the paper, or by hand the fronts, the question with its picture of the
// turned stack, and after Yes the backs.
PrintOutcome printSidesTo(PrintTarget &target, Questions &questions, const SheetGeometry &sheet,
                          const SidesPrinting &print, Duplex duplex, int copies)
{
    const auto job = [&](const QList<CardSide> &sides, Duplex printed) {
        target.setSides(printed);
        QPagedPaintDevice *printer = target.prepare(copies);
        if (!printer)
            return printerFailure();
        const PrintOutcome outcome = print(*printer, sides);
        if (outcome.isPrinted() && !target.accepted())
            return printerFailure();
        return outcome;
    };
    switch (duplex) {
    case Duplex::FrontOnly:
        return job({CardSide::Front}, Duplex::FrontOnly);
    case Duplex::LongEdge:
    case Duplex::ShortEdge:
        return job({CardSide::Front, CardSide::Back}, duplex);
    case Duplex::ByHand:
        break;
    }
    const PrintOutcome fronts = job({CardSide::Front}, Duplex::FrontOnly);
    if (!fronts.isPrinted()
        || !questions.yesNoWithPicture(TurnStackTitle, turnStackText(), turnStackPicture(sheet, target.printerName())))
        return fronts;
    return job({CardSide::Back}, Duplex::FrontOnly);
}

} // namespace

SheetPlan plannedPrint(const SheetRequest &request, int copies, TeamPrint team)
{
    SheetRequest asked = request;
    asked.sheets = copies;
    return team.people > 0 ? SheetPlan::forCards(asked, team.people, team.perPerson) : SheetPlan::forOneCard(asked);
}

PrintOutcome printPlanTo(PrintTarget &target, Questions &questions, const FaceSource &faces, SheetRequest request,
                         int copies, TeamPrint team)
{
    if (target.printsToFile()) {
        request.printableCorner = QPointF();
        const QString suggested = target.chosenFileName().isEmpty() ? DefaultPdfName : target.chosenFileName();
        return printPlanToChosenPdf(questions, suggested, faces, request.sheet, plannedPrint(request, copies, team));
    }
    // Backs printed on sheets of their own would end up behind nothing: refused, with
    // the way that does work on such a printer.
    if ((request.duplex == Duplex::LongEdge || request.duplex == Duplex::ShortEdge)
        && !target.printsBothSides(request.duplex))
        return PrintOutcome::failed(
            QStringLiteral("De printer \"%1\" drukt niet zelf dubbelzijdig af. Kies \"Handmatig: eerst de voorkanten, "
                           "dan de achterkanten\" om de stapel zelf om te draaien.")
                .arg(target.printerName()));
    request.printableCorner = target.printableCornerMm();
    // A printer that makes the copies itself gets one sheet's pages, collated. A sheet
    // started past its first slot is no copy of the sheets after it, nor is a team's
    // sheet of the next: each is a page.
    const bool wholeSheets = request.startSlot() == 0 && team.people == 0;
    const SheetPlan plan = plannedPrint(request, target.repeatsPages() && wholeSheets ? 1 : copies, team);
    // A job of both sides takes the plan's pages as they alternate; a job of one side its own.
    const auto print = [&](QPagedPaintDevice &printer, const QList<CardSide> &sides) {
        return printPlan(printer, faces, request.sheet, sides.size() > 1 ? plan : SheetPlan{plan.pagesOf(sides.first())});
    };
    return printSidesTo(target, questions, request.sheet, print, request.duplex, wholeSheets ? copies : 1);
}

PrintOutcome printBothSidesTo(PrintTarget &target, Questions &questions, const QString &suggestedName,
                              const SheetGeometry &sheet, const SideDrawing &draw, Duplex edge,
                              const PrinterCorrection &frontCorrection, const PrinterCorrection &backCorrection)
{
    const auto correctionOf = [&](CardSide side) { return side == CardSide::Front ? frontCorrection : backCorrection; };
    if (target.printsToFile()) {
        const QString suggested = target.chosenFileName().isEmpty() ? suggestedName : target.chosenFileName();
        const auto sideOf = [](int page) { return page == 0 ? CardSide::Front : CardSide::Back; };
        return printEachPageToChosenPdf(
            questions, suggested, 2, [&](QPainter &painter, int page) { draw(painter, sideOf(page), QPointF()); },
            [&](int page) { return correctionOf(sideOf(page)); });
    }
    const bool byPrinter = target.printsBothSides(edge);
    // By hand the sheet is turned over its long edge, as the question tells the user.
    if (!byPrinter && edge != Duplex::LongEdge)
        return PrintOutcome::failed(
            QStringLiteral("De printer \"%1\" drukt niet zelf dubbelzijdig af. Kies \"omslaan over de lange kant\" "
                           "om het vel zelf om te draaien.")
                .arg(target.printerName()));
    const QPointF corner = target.printableCornerMm();
    const auto print = [&](QPagedPaintDevice &printer, const QList<CardSide> &sides) {
        return printEachPage(
            printer, int(sides.size()), [&](QPainter &painter, int page) { draw(painter, sides[page], corner); },
            [&](int page) { return correctionOf(sides[page]); });
    };
    return printSidesTo(target, questions, sheet, print, byPrinter ? edge : Duplex::ByHand, 1);
}

PrintOutcome printPagesTo(PrintTarget &target, Questions &questions, const QString &suggestedName,
                          const PageDrawing &draw, int copies, const PrinterCorrection &correction)
{
    if (target.printsToFile()) {
        const QString suggested = target.chosenFileName().isEmpty() ? suggestedName : target.chosenFileName();
        return printPagesToChosenPdf(questions, suggested, draw, copies, correction);
    }
    QPagedPaintDevice *printer = target.prepare(copies);
    if (!printer)
        return printerFailure();
    const PrintOutcome outcome = printPages(*printer, draw, target.repeatsPages() ? 1 : copies, correction);
    if (outcome.isPrinted() && !target.accepted())
        return printerFailure();
    return outcome;
}
