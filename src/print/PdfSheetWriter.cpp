#include "print/PdfSheetWriter.h"

#include "core/AtomicFile.h"
#include "core/Questions.h"
#include "print/SheetPainter.h"

#include <QFileInfo>
#include <QPainter>
#include <QPageLayout>
#include <QPdfWriter>

namespace {

PrintOutcome writeFailure(const QString &fileName, const QString &reason)
{
    return PrintOutcome::failed(
        QStringLiteral("Het PDF-bestand '%1' kon niet worden geschreven.\r\n%2").arg(fileName, reason));
}

} // namespace

PrintOutcome writeSheetPdf(const QString &fileName, const PrintedCard &card, const SheetGeometry &sheet,
                           int copies, const PrinterCorrection &correction)
{
    return writePagesPdf(
        fileName, [&](QPainter &painter) { drawSheet(painter, card, sheet); }, copies, correction);
}

PrintOutcome writePagesPdf(const QString &fileName, const PageDrawing &draw, int pages,
                           const PrinterCorrection &correction)
{
    return writePdf(fileName, [&](QPagedPaintDevice &writer) { return printPages(writer, draw, std::max(pages, 1), correction); });
}

PrintOutcome writePlanPdf(const QString &fileName, const FaceSource &faces, const SheetGeometry &sheet,
                          const SheetPlan &plan)
{
    return writePdf(fileName, [&](QPagedPaintDevice &writer) { return printPlan(writer, faces, sheet, plan); });
}

PrintOutcome writePdf(const QString &fileName, const std::function<PrintOutcome(QPagedPaintDevice &)> &print)
{
    PrintOutcome painted = PrintOutcome::printed();
    const auto failure = AtomicFile::write(fileName, [&](QIODevice &device) {
        QPdfWriter writer(&device);
        writer.setCreator(QStringLiteral("Lumovander"));
        writer.setTitle(QStringLiteral("Visitekaartjes"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                         QPageLayout::Millimeter));
        painted = print(writer);
        // The PDF engine reports no write errors of its own: an empty file is no PDF,
        // whatever the painter said.
        return painted.isPrinted() && device.size() > 0;
    }, AtomicFile::Destination::Output);
    if (!painted.isPrinted())
        return writeFailure(fileName, painted.message);
    if (failure)
        return writeFailure(fileName, failure->reason.isEmpty() ? failure->message : failure->reason);
    return PrintOutcome::printed();
}

PrintOutcome printSheetToChosenPdf(Questions &questions, const QString &suggestedName,
                                   const PrintedCard &card, const SheetGeometry &sheet, int copies,
                                   const PrinterCorrection &correction)
{
    return printPagesToChosenPdf(
        questions, suggestedName, [&](QPainter &painter) { drawSheet(painter, card, sheet); }, copies, correction);
}

namespace {

// The PDF's name from a save dialog, with ".pdf" when it has no suffix; empty when cancelled.
QString chosenPdfName(Questions &questions, const QString &suggestedName)
{
    QString fileName = questions.saveFileName(QStringLiteral(" Afdrukken naar PDF"),
                                              QStringLiteral("PDF-bestand (*.pdf)|*.pdf"), suggestedName);
    if (!fileName.isEmpty() && QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".pdf");
    return fileName;
}

} // namespace

PrintOutcome printPagesToChosenPdf(Questions &questions, const QString &suggestedName, const PageDrawing &draw,
                                   int pages, const PrinterCorrection &correction)
{
    const QString fileName = chosenPdfName(questions, suggestedName);
    return fileName.isEmpty() ? PrintOutcome::cancelled() : writePagesPdf(fileName, draw, pages, correction);
}

PrintOutcome printPlanToChosenPdf(Questions &questions, const QString &suggestedName, const FaceSource &faces,
                                  const SheetGeometry &sheet, const SheetPlan &plan)
{
    const QString fileName = chosenPdfName(questions, suggestedName);
    return fileName.isEmpty() ? PrintOutcome::cancelled() : writePlanPdf(fileName, faces, sheet, plan);
}

PrintOutcome printEachPageToChosenPdf(Questions &questions, const QString &suggestedName, int pages,
                                      const NumberedPageDrawing &draw,
                                      const std::function<PrinterCorrection(int page)> &correctionOf)
{
    const QString fileName = chosenPdfName(questions, suggestedName);
    if (fileName.isEmpty())
        return PrintOutcome::cancelled();
    return writePdf(fileName,
                    [&](QPagedPaintDevice &writer) { return printEachPage(writer, pages, draw, correctionOf); });
}
