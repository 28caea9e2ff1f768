#pragma once

#include "print/PrintOutcome.h"
#include "print/PrintedCard.h"
#include "print/PrinterCorrection.h"
#include "print/SheetPainter.h"
#include "print/SheetGeometry.h"

class Questions;

// The sheet as a PDF file: an A4 portrait page whose printable area is the whole page,
// so a card's corner lies exactly at (A - 3, B - 4) mm from the page's corner.
//
// A PDF cannot make a printer repeat its page, so each copy is a page of its own; the
// pictures are stored once however many cards and pages show them. The file is written
// under a temporary name and takes its place only when complete: a failure leaves any
// earlier file of that name as it was and nothing half-written behind.
PrintOutcome writeSheetPdf(const QString &fileName, const PrintedCard &card, const SheetGeometry &sheet,
                           int copies, const PrinterCorrection &correction = {});

// Any drawing as such a PDF, in pages that all show it.
PrintOutcome writePagesPdf(const QString &fileName, const PageDrawing &draw, int pages,
                           const PrinterCorrection &correction = {});

// The pages of a plan as such a PDF: with a back, front and back pages alternately, as a
// duplex printer takes them.
PrintOutcome writePlanPdf(const QString &fileName, const FaceSource &faces, const SheetGeometry &sheet,
                          const SheetPlan &plan);

// What the writers above share: an A4 PDF whose printable area is the whole page, which
// `print` fills; written whole or not at all.
PrintOutcome writePdf(const QString &fileName, const std::function<PrintOutcome(QPagedPaintDevice &)> &print);

// Asks for the PDF's name in a save dialog, then writes it. Cancelling prints nothing.
PrintOutcome printSheetToChosenPdf(Questions &questions, const QString &suggestedName,
                                   const PrintedCard &card, const SheetGeometry &sheet, int copies,
                                   const PrinterCorrection &correction = {});
PrintOutcome printPagesToChosenPdf(Questions &questions, const QString &suggestedName, const PageDrawing &draw,
                                   int pages, const PrinterCorrection &correction = {});
PrintOutcome printPlanToChosenPdf(Questions &questions, const QString &suggestedName, const FaceSource &faces,
                                  const SheetGeometry &sheet, const SheetPlan &plan);
// Pages each with a drawing and a correction of its own (printEachPage).
PrintOutcome printEachPageToChosenPdf(Questions &questions, const QString &suggestedName, int pages,
                                      const NumberedPageDrawing &draw,
                                      const std::function<PrinterCorrection(int page)> &correctionOf);
