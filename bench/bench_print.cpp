// Printing a sheet of 10 cards with a photo background and a stamp to a PDF, the scan
// animation left out: how long it takes and how large the file gets, beside the same
// card printed once, which shows whether the pictures are stored once per file; and the
// same sheet printed double-sided, its back a photo of its own, beside the one-sided sheet.
// bench_print [FOLDER]: also keeps the sheet printed from print copies, fine.pdf, in
// FOLDER, to look at.
#include "BenchSupport.h"
#include "background/BackgroundPhoto.h"
#include "core/CardDocument.h"
#include "print/PdfSheetWriter.h"
#include "stamp/BackPic.h"
#include "stamp/PhotoWorkspace.h"

#include <QPainter>

#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct Run {
    double milliseconds;
    qint64 bytes;
    qsizetype pictures;
};

qsizetype storedPictures(const QString &fileName)
{
    QFile file(fileName);
    file.open(QIODevice::ReadOnly);
    return file.readAll().count("/Subtype /Image");
}

Run printOnce(const QString &fileName, const PrintedCard &card, const SheetGeometry &sheet)
{
    QElapsedTimer timer;
    timer.start();
    const PrintOutcome outcome = writeSheetPdf(fileName, card, sheet, 1);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!outcome.isPrinted())
        qFatal("print failed: %s", qPrintable(outcome.message));
    return {ms, QFileInfo(fileName).size(), storedPictures(fileName)};
}

Run medianOf(int runs, const std::function<Run()> &once)
{
    std::vector<Run> all;
    for (int i = 0; i < runs; ++i)
        all.push_back(once());
    std::sort(all.begin(), all.end(), [](const Run &a, const Run &b) { return a.milliseconds < b.milliseconds; });
    return all[all.size() / 2];
}

Run medianOf(int runs, const QString &fileName, const PrintedCard &card, const SheetGeometry &sheet)
{
    return medianOf(runs, [&] { return printOnce(fileName, card, sheet); });
}

// One sheet of the plan's pages through the PDF writer, as the print dialog and the batch
// program write it.
Run printPlanOnce(const QString &fileName, const PrintedCard &front, const PrintedCard &back, const SheetRequest &request)
{
    const FaceSource faces = [&](int, CardSide face) { return face == CardSide::Front ? &front : &back; };
    const SheetPlan plan = SheetPlan::forOneCard(request);
    QElapsedTimer timer;
    timer.start();
    const PrintOutcome outcome = writePlanPdf(fileName, faces, request.sheet, plan);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!outcome.isPrinted())
        qFatal("print failed: %s", qPrintable(outcome.message));
    return {ms, QFileInfo(fileName).size(), storedPictures(fileName)};
}

// A 10-card sheet double-sided beside the same front one-sided, in one run.
void compareDoubleSided(QTextStream &out, const QString &what, const PrintedCard &front, const PrintedCard &back,
                        const QString &folder)
{
    SheetRequest oneSided;
    SheetRequest twoSided;
    twoSided.duplex = Duplex::LongEdge;
    const QString oneFile = QDir(folder).filePath(QStringLiteral("eenzijdig.pdf"));
    const QString twoFile = QDir(folder).filePath(QStringLiteral("dubbelzijdig.pdf"));
    printPlanOnce(twoFile, front, back, twoSided); // warmed up
    const Run one = medianOf(7, [&] { return printPlanOnce(oneFile, front, back, oneSided); });
    const Run two = medianOf(7, [&] { return printPlanOnce(twoFile, front, back, twoSided); });
    out << what << ":\n";
    out << "  one-sided sheet of 10 cards to PDF:    " << QString::number(one.milliseconds, 'f', 1) << " ms, "
        << one.bytes << " bytes, " << one.pictures << " pictures stored, median of 7\n";
    out << "  double-sided sheet of 10 cards to PDF: " << QString::number(two.milliseconds, 'f', 1) << " ms, "
        << two.bytes << " bytes, " << two.pictures << " pictures stored, median of 7\n";
    out << "  ratio double / one-sided: time " << QString::number(two.milliseconds / one.milliseconds, 'f', 2)
        << ", size " << QString::number(double(two.bytes) / one.bytes, 'f', 2)
        << " (target <= 2.2; one more picture when each is stored once)\n";
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);

    CardDocument document;
    document.setCanvasPicture(QStringLiteral("Templates"), Bench::photo(440, 270, 1));
    document.applyLayout(2);
    Card designed = document.card();
    designed.stamp.setPicture(Bench::photo(140, 180, 2));
    designed.state.CardBorder = true;
    document.replaceCard(QStringLiteral("Kaart"), designed, false);
    const PrintedCard card = PrintedCard::from(document.card());

    SheetGeometry tenCards;
    SheetGeometry oneCard;
    oneCard.cardsPerSheet = 1;

    QTemporaryDir folder;
    const QString sheetFile = folder.filePath(QStringLiteral("sheet.pdf"));
    const QString singleFile = folder.filePath(QStringLiteral("single.pdf"));
    printOnce(sheetFile, card, tenCards); // fonts and pictures warmed up
    const Run sheet = medianOf(7, sheetFile, card, tenCards);
    const Run single = medianOf(7, singleFile, card, oneCard);

    out << "print sheet of 10 cards to PDF: " << QString::number(sheet.milliseconds, 'f', 1)
        << " ms (target <= 1000 ms), median of 7\n";
    out << "PDF size, 10 cards: " << sheet.bytes << " bytes (" << QString::number(sheet.bytes / 1048576.0, 'f', 3)
        << " MB, target < 3 MB)\n";
    out << "PDF size, 1 card:   " << single.bytes << " bytes\n";
    out << "pictures stored in the PDF, 10 cards: " << sheet.pictures << " (canvas and stamp, 20 drawn)\n";
    out << "size ratio 10 cards / 1 card: " << QString::number(double(sheet.bytes) / single.bytes, 'f', 3)
        << " (about 1 when each picture is stored once)\n";

    // The back: a photo background of its own, no stamp.
    Card withBack = document.card();
    withBack.back = CardFace::blankBack(withBack);
    withBack.back->canvas.setPicture(Bench::photo(440, 270, 4));
    const PrintedCard back = PrintedCard::from(*withBack.back, nullptr);
    compareDoubleSided(out, QStringLiteral("double-sided, photo backgrounds of 440 x 270 on both sides"), card, back,
                       folder.path());

    // Very long text lines: a sheet whose seven lines hold 300 KB each, beside the same
    // sheet with ordinary lines, and one long line drawn whole on a page-wide picture,
    // as the sheet painter drew each of them before.
    QString longLine;
    while (longLine.size() < 300 * 1024)
        longLine += QStringLiteral("Vlinderstraat 12, Wijk bij Duurstede ");
    PrintedCard longCard = card;
    PrintedCard ordinaryCard = card;
    for (int line = 1; line <= 7; ++line) {
        longCard.textLines[line] = longLine;
        ordinaryCard.textLines[line] = longLine.left(36);
    }
    const QString longFile = folder.filePath(QStringLiteral("long.pdf"));
    const Run withOrdinary = medianOf(7, longFile, ordinaryCard, tenCards);
    const Run withLong = medianOf(7, longFile, longCard, tenCards);
    QImage page(2480, 3508, QImage::Format_RGB32);
    QElapsedTimer wholeTimer;
    {
        QPainter painter(&page);
        painter.setFont(longCard.font);
        wholeTimer.start();
        painter.drawText(QPointF(100, 100), longLine);
    }
    const double wholeLineMs = wholeTimer.nsecsElapsed() / 1e6;
    out << "print sheet of 10 cards, 7 lines of 300 KB each: " << QString::number(withLong.milliseconds, 'f', 1)
        << " ms, median of 7\n";
    out << "print sheet of 10 cards, 7 ordinary lines of 36 characters: "
        << QString::number(withOrdinary.milliseconds, 'f', 1) << " ms\n";
    out << "ratio 300 KB lines / ordinary lines: " << QString::number(withLong.milliseconds / withOrdinary.milliseconds, 'f', 2)
        << " (near 1 when only what can show is drawn)\n";
    out << "one 300 KB line drawn whole, as before: " << QString::number(wholeLineMs, 'f', 1) << " ms (70 per sheet: "
        << QString::number(70 * wholeLineMs / 1000, 'f', 1) << " s)\n";
    // The same sheet from print copies: a 24-megapixel photo background and a stamp cut
    // from that photo at 10 %.
    const QString jpeg = Bench::writeJpeg(folder, QStringLiteral("photo.jpg"), Bench::photo(6000, 4000, 3));
    CardDocument fine;
    fine.applyLayout(2);
    PhotoWorkspace workspace(fine);
    BackPic backPic;
    if (!loadBackgroundPhoto(fine, backPic, jpeg, PhotoPlacement::Borderless) || !workspace.loadPhoto(jpeg))
        qFatal("the photo does not load");
    workspace.toggleEnlargedView();
    workspace.zoom(1);
    workspace.mouseDown(1, QPointF(20, 20));
    workspace.mouseMove(1, QPointF(300, 300));
    workspace.mouseUp(1, QPointF(300, 300));
    const PrintedCard fineCard = PrintedCard::from(fine.card());
    const QString fineFile = folder.filePath(QStringLiteral("fine.pdf"));
    printOnce(fineFile, fineCard, tenCards);
    const Run fineSheet = medianOf(7, fineFile, fineCard, tenCards);
    if (argc > 1) {
        const QString kept = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("fine.pdf"));
        QFile::remove(kept);
        QFile::copy(fineFile, kept);
    }
    out << "with print copies (background " << fineCard.canvasPrint.width() << " x " << fineCard.canvasPrint.height()
        << ", stamp " << fineCard.stampPrint.width() << " x " << fineCard.stampPrint.height() << ", 24 MP source):\n";
    out << "  print sheet of 10 cards to PDF: " << QString::number(fineSheet.milliseconds, 'f', 1)
        << " ms (target <= 1000 ms), median of 7\n";
    out << "  PDF size: " << QString::number(fineSheet.bytes / 1048576.0, 'f', 3) << " MB (target <= 10 MB), "
        << fineSheet.pictures << " pictures stored (canvas and stamp, 20 drawn)\n";
    // Double-sided from print copies: the back's background another 24-megapixel photo,
    // loaded as the front's was.
    const QString backJpeg = Bench::writeJpeg(folder, QStringLiteral("back.jpg"), Bench::photo(6000, 4000, 9));
    CardDocument backPhoto;
    BackPic backPhotoPic;
    if (!loadBackgroundPhoto(backPhoto, backPhotoPic, backJpeg, PhotoPlacement::Borderless))
        qFatal("the back's photo does not load");
    Card fineWithBack = fine.card();
    fineWithBack.back = CardFace::blankBack(fineWithBack);
    fineWithBack.back->canvas = backPhoto.canvas();
    const PrintedCard fineBack = PrintedCard::from(*fineWithBack.back, nullptr);
    if (fineBack.canvasPrint.isNull())
        qFatal("the back has no print copy");
    compareDoubleSided(out, QStringLiteral("double-sided with print copies of the photos on both sides"), fineCard,
                       fineBack, folder.path());

    // The card keeps the print copies beside the screen pictures; an opened card also
    // keeps its own picture's print copy for "new background colour".
    const double copies = (fine.canvas().printImage().sizeInBytes() + fine.stamp().printImage().sizeInBytes()) / 1048576.0;
    out << "  memory of the print copies: " << QString::number(copies, 'f', 1) << " MB, "
        << QString::number(copies + fine.canvas().printImage().sizeInBytes() / 1048576.0, 'f', 1)
        << " MB for an opened card (target <= 20 MB)\n";
    return 0;
}
