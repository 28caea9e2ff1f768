#include "print/PrintTarget.h"

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

PrintOutcome printSheetTo(PrintTarget &target, Questions &questions, const PrintedCard &card,
                          const SheetGeometry &sheet, int copies)
{
    if (target.printsToFile()) {
        const QString suggested = target.chosenFileName().isEmpty() ? DefaultPdfName : target.chosenFileName();
        return printSheetToChosenPdf(questions, suggested, card, sheet, copies);
    }
    QPagedPaintDevice *printer = target.prepare(copies);
    if (!printer)
        return printerFailure();
    const PrintOutcome outcome = printSheetPages(*printer, card, sheet, target.repeatsPages() ? 1 : copies);
    if (outcome.isPrinted() && !target.accepted())
        return printerFailure();
    return outcome;
}
