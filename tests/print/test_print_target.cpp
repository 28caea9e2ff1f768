// Where "Print" sends the sheet: one document in copies on a printer that repeats its
// page, a page per copy on one that cannot, a named PDF without a printer.
#include "FakePrinter.h"
#include "RenderedPdf.h"
#include "support/ScriptedQuestions.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PrintTargetTest : public testing::Test {
protected:
    QTemporaryDir folder;
    QString printerPages = folder.filePath(QStringLiteral("printer.pdf"));
    FakePrinter printer{printerPages};
    ScriptedQuestions questions;

    PrintOutcome print(int copies) { return printSheetTo(printer, questions, PrintedCard(), SheetGeometry(), copies); }
};

} // namespace

TEST_F(PrintTargetTest, PrinterThatRepeatsPagesGetsOnePageAndTheCopyCount)
{
    EXPECT_TRUE(print(3).isPrinted());
    EXPECT_EQ(printer.preparedCopies, QList<int>{3});
    EXPECT_EQ(RenderedPdf::pageCount(printerPages), 1);
    EXPECT_TRUE(questions.asked.isEmpty()) << "a printer needs no file name";
}

TEST_F(PrintTargetTest, PrinterThatCannotRepeatGetsAPagePerCopy)
{
    printer.repeats = false;
    EXPECT_TRUE(print(3).isPrinted());
    EXPECT_EQ(RenderedPdf::pageCount(printerPages), 3);
}

TEST_F(PrintTargetTest, PrintingToAFileAsksForThePdfsName)
{
    printer.toFile = true;
    const QString pdf = folder.filePath(QStringLiteral("vel.pdf"));
    questions.saveFileAnswers = {pdf};
    EXPECT_TRUE(print(2).isPrinted());
    EXPECT_EQ(questions.asked, QStringList{QStringLiteral(" Afdrukken naar PDF|Kaartjes.pdf")});
    EXPECT_TRUE(printer.preparedCopies.isEmpty()) << "the printer is not touched";
    EXPECT_EQ(RenderedPdf::pageCount(pdf), 2);

    printer.fileChosen = folder.filePath(QStringLiteral("gekozen.pdf"));
    EXPECT_EQ(print(1).result, PrintOutcome::Result::Cancelled) << "the save dialog was cancelled";
    EXPECT_EQ(questions.asked.last(), QStringLiteral(" Afdrukken naar PDF|") + printer.fileChosen)
        << "the name given in the printer dialog is offered";
}

TEST_F(PrintTargetTest, PrinterFailuresAreReportedNeverDone)
{
    printer.refuses = true;
    const PrintOutcome refused = print(1);
    EXPECT_TRUE(refused.isFailed());
    EXPECT_FALSE(refused.message.isEmpty());

    printer.refuses = false;
    printer.failsDocument = true;
    const PrintOutcome failed = print(1);
    EXPECT_TRUE(failed.isFailed());
    EXPECT_FALSE(failed.message.isEmpty());
}

// A sheet started past its first card differs from the whole sheets after it: a printer
// repeating the first page would leave the same slots empty on every sheet.
TEST_F(PrintTargetTest, ASheetStartedPastItsFirstCardIsNeverRepeatedAsPrinterCopies)
{
    SheetRequest request;
    request.firstSlot = 3;
    const FaceSource faces = [](int, CardSide) { return nullptr; };
    EXPECT_TRUE(printPlanTo(printer, questions, faces, request, 3).isPrinted());
    EXPECT_EQ(printer.preparedCopies, QList<int>{1});
    EXPECT_EQ(RenderedPdf::pageCount(printerPages), 3);

    request.firstSlot = 0;
    EXPECT_TRUE(printPlanTo(printer, questions, faces, request, 3).isPrinted());
    EXPECT_EQ(printer.preparedCopies, (QList<int>{1, 3})) << "whole sheets stay the printer's copies";
    EXPECT_EQ(RenderedPdf::pageCount(printerPages), 1);
}
