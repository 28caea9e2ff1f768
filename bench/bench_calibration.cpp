// The calibration sheet to a PDF: how long it takes (target <= 200 ms), beside the
// ordinary sheet of 10 plain cards written the same way in the same run.
#include "print/CalibrationSheet.h"
#include "print/PdfSheetWriter.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

double millisecondsOf(const std::function<PrintOutcome()> &write)
{
    QElapsedTimer timer;
    timer.start();
    const PrintOutcome outcome = write();
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!outcome.isPrinted())
        qFatal("writing failed: %s", qPrintable(outcome.message));
    return ms;
}

double medianOf(int runs, const std::function<PrintOutcome()> &write)
{
    std::vector<double> all;
    for (int i = 0; i < runs; ++i)
        all.push_back(millisecondsOf(write));
    std::sort(all.begin(), all.end());
    return all[all.size() / 2];
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
        return writePagesPdf(calibrationFile,
                             [&](QPainter &p) { CalibrationSheet::draw(p, sheet, QStringLiteral("PDF")); }, 1);
    };
    auto cards = [&] { return writeSheetPdf(sheetFile, PrintedCard(), sheet, 1); };

    const double first = millisecondsOf(calibration); // fonts loaded here
    cards();
    const double calibrationMs = medianOf(9, calibration);
    const double cardsMs = medianOf(9, cards);

    out << "calibration sheet to PDF, first run (fonts loaded): " << QString::number(first, 'f', 1) << " ms\n";
    out << "calibration sheet to PDF: " << QString::number(calibrationMs, 'f', 1)
        << " ms (target <= 200 ms), median of 9, " << QFileInfo(calibrationFile).size() << " bytes\n";
    out << "sheet of 10 plain cards to PDF: " << QString::number(cardsMs, 'f', 1) << " ms, median of 9\n";
    out << "ratio calibration / plain sheet: " << QString::number(calibrationMs / cardsMs, 'f', 2) << "\n";
    return 0;
}
