// The calibration sheet to a PDF: how long it takes (target <= 200 ms), beside the
// ordinary sheet of 10 plain cards written the same way in the same run.
#include "BenchSupport.h"
#include "print/CalibrationSheet.h"
#include "print/PdfSheetWriter.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// Writing must succeed, or the figures would time a failure.
void mustPrint(const PrintOutcome &outcome)
{
    if (!outcome.isPrinted())
        qFatal("writing failed: %s", qPrintable(outcome.message));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir folder;
    const QString calibrationFile = folder.filePath(QStringLiteral("testpagina.pdf"));
    const QString sheetFile = folder.filePath(QStringLiteral("sheet.pdf"));
    const SheetGeometry sheet;
    auto calibration = [&] {
        mustPrint(writePagesPdf(calibrationFile,
                                [&](QPainter &p) { CalibrationSheet::draw(p, sheet, QStringLiteral("PDF")); }, 1));
    };
    auto cards = [&] { mustPrint(writeSheetPdf(sheetFile, PrintedCard(), sheet, 1)); };

    const double first = Bench::timeMs(1, calibration).median; // fonts loaded here
    cards();
    const double calibrationMs = Bench::timeMs(9, calibration).median;
    const double cardsMs = Bench::timeMs(9, cards).median;

    out << "calibration sheet to PDF, first run (fonts loaded): " << QString::number(first, 'f', 1) << " ms\n";
    out << "calibration sheet to PDF: " << QString::number(calibrationMs, 'f', 1)
        << " ms (target <= 200 ms), median of 9, " << QFileInfo(calibrationFile).size() << " bytes\n";
    out << "sheet of 10 plain cards to PDF: " << QString::number(cardsMs, 'f', 1) << " ms, median of 9\n";
    out << "ratio calibration / plain sheet: " << QString::number(calibrationMs / cardsMs, 'f', 2) << "\n";
    return 0;
}
