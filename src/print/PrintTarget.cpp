#include "print/PrintTarget.h"

#include "print/CorrectionFile.h"
#include "print/PdfSheetWriter.h"
#include "print/SheetPainter.h"

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
