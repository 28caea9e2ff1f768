// The press-ready PDF of a card with a 24 MP camera photo as its background ("Randloos"
// from a 6000 x 4000 JPEG), an SVG logo, a QR code and two lines: our own page alone, and the whole
// file with Ghostscript (CMYK PDF/X-3 and RGB), beside the A4 sheet PDF of the same card,
// all in one run. Targets: the whole press PDF in at most 3 s, at most 8 MB.
#include "BenchSupport.h"
#include "background/BackgroundPhoto.h"
#include "core/CardDocument.h"
#include "press/PressPage.h"
#include "press/PressPdf.h"
#include "print/PdfSheetWriter.h"
#include "stamp/BackPic.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream out(stdout);

const QByteArray Logo = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 200 100" width="200" height="100">
<rect x="4" y="4" width="192" height="92" rx="18" fill="#1565c0"/>
<circle cx="50" cy="50" r="30" fill="#ffca28"/>
<text x="90" y="62" font-family="Liberation Sans" font-size="30" fill="#ffffff">Lumo</text></svg>)svg";

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString jpeg = Bench::writeJpeg(dir, QStringLiteral("camera.jpg"), Bench::photo(6000, 4000, 7, 10));
    CardDocument document;
    BackPic backPic;
    if (!loadBackgroundPhoto(document, backPic, jpeg, PhotoPlacement::Borderless))
        qFatal("the background photo does not load");
    PlacedObject logo;
    logo.rect = QRectF(300, 190, 110, 55);
    logo.logo.svg = Logo;
    document.insertObject(logo);
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = QRectF(20, 150, 100, 110);
    qr.qr.content.kind = QrKind::WebAddress;
    qr.qr.content.webAddress = QStringLiteral("www.drukkerij-de-snijrand.nl");
    document.insertObject(qr);
    const PrintedCard card = [&] {
        PrintedCard printed = PrintedCard::from(document.card());
        printed.textLines[1] = QStringLiteral("Jan Jansen");
        printed.textLines[2] = QStringLiteral("Drukkerij de Snijrand");
        return printed;
    }();
    const SheetGeometry sheet;
    if (card.canvasPrint.isNull())
        qFatal("the photo card has no print copy");

    constexpr int Runs = 5;
    const PressGeometry page(PressOptions{}, QSizeF(sheet.cardWidth, sheet.cardHeight));
    QByteArray ours;
    const Bench::Timings own = Bench::timeMs(Runs, [&] { ours = pressPagePdf(card, sheet, page, QStringLiteral("Jan")); });
    const QString sheetPdf = dir.filePath(QStringLiteral("vel.pdf"));
    const Bench::Timings a4 = Bench::timeMs(Runs, [&] {
        if (!writeSheetPdf(sheetPdf, card, sheet, 1).isPrinted())
            qFatal("the sheet PDF failed");
    });
    const auto press = [&](PressColour colour, const QString &name, qint64 &bytes) {
        const QString pdf = dir.filePath(name);
        PressRequest request;
        request.colour = colour;
        request.title = QStringLiteral("Jan");
        const Bench::Timings timings = Bench::timeMs(Runs, [&] {
            const PressResult result = writePressPdf(pdf, card, sheet, request);
            if (!result.written)
                qFatal("%s", qPrintable(result.message));
        });
        bytes = QFileInfo(pdf).size();
        return timings;
    };
    qint64 cmykBytes = 0, rgbBytes = 0;
    const Bench::Timings cmyk = press(PressColour::Cmyk, QStringLiteral("cmyk.pdf"), cmykBytes);
    const Bench::Timings rgb = press(PressColour::Rgb, QStringLiteral("rgb.pdf"), rgbBytes);

    // The worst case: a half-transparent bitmap logo, painted into the background at 600 ppi.
    PrintedCard seeThrough = card;
    PlacedObject png;
    png.rect = QRectF(20, 190, 110, 55);
    png.logo.bitmap = QImage(440, 220, QImage::Format_ARGB32_Premultiplied);
    png.logo.bitmap.fill(QColor(200, 30, 30, 140));
    seeThrough.design.objects.push_back(png);
    const QString flatPdf = dir.filePath(QStringLiteral("flat.pdf"));
    const Bench::Timings flat = Bench::timeMs(Runs, [&] {
        PressRequest request;
        request.title = QStringLiteral("Jan");
        if (!writePressPdf(flatPdf, seeThrough, sheet, request).written)
            qFatal("the flattened press PDF failed");
    });
    const qint64 flatBytes = QFileInfo(flatPdf).size();

    const auto mb = [](qint64 bytes) { return bytes / 1e6; };
    out << "Drukklaar PDF, 90 x 50 mm card, 6000 x 4000 photo background (print copy 1760 x 1080), SVG logo, QR code\n"
        << "(median and worst of " << Runs << " runs each, ms)\n";
    out << QStringLiteral("  A4 sheet PDF (10 cards), for comparison  %1  worst %2\n").arg(a4.median, 8, 'f', 1).arg(a4.worst, 8, 'f', 1);
    out << QStringLiteral("  our press page alone (Qt + boxes)        %1  worst %2   %3 MB\n")
               .arg(own.median, 8, 'f', 1).arg(own.worst, 8, 'f', 1).arg(mb(ours.size()), 0, 'f', 2);
    out << QStringLiteral("  whole press PDF, CMYK PDF/X-3 (with gs)  %1  worst %2   %3 MB\n")
               .arg(cmyk.median, 8, 'f', 1).arg(cmyk.worst, 8, 'f', 1).arg(mb(cmykBytes), 0, 'f', 2);
    out << QStringLiteral("  whole press PDF, RGB (with gs)           %1  worst %2   %3 MB\n")
               .arg(rgb.median, 8, 'f', 1).arg(rgb.worst, 8, 'f', 1).arg(mb(rgbBytes), 0, 'f', 2);
    out << QStringLiteral("  CMYK with a see-through PNG logo too     %1  worst %2   %3 MB\n")
               .arg(flat.median, 8, 'f', 1).arg(flat.worst, 8, 'f', 1).arg(mb(flatBytes), 0, 'f', 2);
    out << QStringLiteral("  Ghostscript's share of the CMYK file     %1 %\n")
               .arg(100 * (cmyk.median - own.median) / cmyk.median, 0, 'f', 0);
    const double slowest = std::max(cmyk.worst, flat.worst);
    const double largest = mb(std::max(cmykBytes, flatBytes));
    out << QStringLiteral("  slowest CMYK against 3000 ms             %1   (target <= 1)\n").arg(slowest / 3000, 0, 'f', 2);
    out << QStringLiteral("  largest CMYK against 8 MB                %1   (target <= 1)\n").arg(largest / 8, 0, 'f', 2);
    return 0;
}
