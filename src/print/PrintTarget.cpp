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

// Pages of a plan as one document on the printer, which prints the given sides.
PrintOutcome printPlannedPages(PrintTarget &target, const FaceSource &faces, const SheetGeometry &sheet,
                               const QList<PlannedPage> &pages, Duplex sides, int copies)
{
    target.setSides(sides);
    QPagedPaintDevice *printer = target.prepare(copies);
    if (!printer)
        return printerFailure();
    const PrintOutcome outcome = printPlan(*printer, faces, sheet, SheetPlan{pages});
    if (outcome.isPrinted() && !target.accepted())
        return printerFailure();
    return outcome;
}

} // namespace

PrintOutcome printPlanTo(PrintTarget &target, Questions &questions, const FaceSource &faces, SheetRequest request,
                         int copies)
{
    if (target.printsToFile()) {
        request.printableCorner = QPointF();
        request.sheets = copies;
        const QString suggested = target.chosenFileName().isEmpty() ? DefaultPdfName : target.chosenFileName();
        return printPlanToChosenPdf(questions, suggested, faces, request.sheet, SheetPlan::forOneCard(request));
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
    // A printer that makes the copies itself gets one sheet's pages, collated.
    request.sheets = target.repeatsPages() ? 1 : copies;
    const SheetPlan plan = SheetPlan::forOneCard(request);
    if (request.duplex != Duplex::ByHand)
        return printPlannedPages(target, faces, request.sheet, plan.pages, request.duplex, copies);
    const PrintOutcome fronts =
        printPlannedPages(target, faces, request.sheet, plan.pagesOf(CardSide::Front), Duplex::FrontOnly, copies);
    if (!fronts.isPrinted()
        || !questions.yesNoWithPicture(TurnStackTitle, turnStackText(), turnStackPicture(request.sheet, target.printerName())))
        return fronts;
    return printPlannedPages(target, faces, request.sheet, plan.pagesOf(CardSide::Back), Duplex::FrontOnly, copies);
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
    const QPointF corner = target.printableCornerMm();
    // The given sides of the sheet as one document.
    const auto document = [&](const QList<CardSide> &sides, Duplex printed) {
        target.setSides(printed);
        QPagedPaintDevice *printer = target.prepare(1);
        if (!printer)
            return printerFailure();
        const PrintOutcome outcome = printEachPage(
            *printer, int(sides.size()), [&](QPainter &painter, int page) { draw(painter, sides[page], corner); },
            [&](int page) { return correctionOf(sides[page]); });
        if (outcome.isPrinted() && !target.accepted())
            return printerFailure();
        return outcome;
    };
    if (target.printsBothSides(edge))
        return document({CardSide::Front, CardSide::Back}, edge);
    // By hand the sheet is turned over its long edge, as the question tells the user.
    if (edge != Duplex::LongEdge)
        return PrintOutcome::failed(
            QStringLiteral("De printer \"%1\" drukt niet zelf dubbelzijdig af. Kies \"omslaan over de lange kant\" "
                           "om het vel zelf om te draaien.")
                .arg(target.printerName()));
    const PrintOutcome front = document({CardSide::Front}, Duplex::FrontOnly);
    if (!front.isPrinted()
        || !questions.yesNoWithPicture(TurnStackTitle, turnStackText(), turnStackPicture(sheet, target.printerName())))
        return front;
    return document({CardSide::Back}, Duplex::FrontOnly);
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
