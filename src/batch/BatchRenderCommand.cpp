#include "batch/BatchCommands.h"

#include "batch/BatchSupport.h"
#include "core/CardDocument.h"
#include "cardfile/CardOpening.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "core/DataFolder.h"
#include "core/PictureLimits.h"
#include "core/PrintSettings.h"
#include "core/SettingsFile.h"
#include "print/PrintedCard.h"
#include "print/PrintedView.h"
#include "print/SheetGeometry.h"

#include <QPainter>
#include <optional>

namespace {

// 16 times the card is 7040 x 4320 pixels, sharper than any printer needs.
constexpr int MaxScale = 16;
// The card as printed gets no more pixels than that either, whatever its size on paper.
constexpr qint64 MaxPixels = qint64(Composition::CanvasWidth * MaxScale) * (Composition::CanvasHeight * MaxScale);
static_assert(PictureLimits::fits(Composition::CanvasWidth * MaxScale, Composition::CanvasHeight * MaxScale));

constexpr int DefaultDpi = 300;
constexpr int MinDpi = 10;
constexpr int MaxDpi = 1200;

const QString Usage = QStringLiteral("usage: lumovander-batch render NAME OUTPUT [--folder DIR] [--scale N] "
                                     "[--afgedrukt [--dpi N]] [--achterkant]");

struct RenderJob {
    QString name;
    QString output;
    QString folder;
    int scale = 1;
    // --afgedrukt: the card as printed, at this many dots per inch.
    std::optional<int> printedDpi;
    CardSide side = CardSide::Front;
};

// Parses the words after "render"; on bad input returns nothing and sets problem.
std::optional<RenderJob> parseJob(const QStringList &words, QString &problem)
{
    QStringList valued = words;
    const bool back = valued.removeAll(QStringLiteral("--achterkant")) > 0;
    const bool printed = valued.removeAll(QStringLiteral("--afgedrukt")) > 0;
    const auto arguments = parseBatchArguments(
        valued, {QStringLiteral("--folder"), QStringLiteral("--scale"), QStringLiteral("--dpi")}, problem);
    if (!arguments)
        return std::nullopt;
    if (arguments->positional.size() != 2) {
        problem = Usage;
        return std::nullopt;
    }
    const auto dpi = arguments->options.constFind(QStringLiteral("--dpi"));
    const bool hasDpi = dpi != arguments->options.cend();
    if (hasDpi && !printed) {
        problem = QStringLiteral("--dpi hoort bij --afgedrukt; er is niets geschreven");
        return std::nullopt;
    }
    if (printed && arguments->options.contains(QStringLiteral("--scale"))) {
        problem = QStringLiteral("--scale gaat niet samen met --afgedrukt, dat --dpi neemt; er is niets geschreven");
        return std::nullopt;
    }
    RenderJob job;
    job.name = arguments->positional[0];
    job.output = arguments->positional[1];
    job.folder = arguments->options.value(QStringLiteral("--folder"));
    job.side = back ? CardSide::Back : CardSide::Front;
    if (const auto scale = arguments->options.constFind(QStringLiteral("--scale"));
        scale != arguments->options.cend()) {
        bool isNumber = false;
        job.scale = scale->toInt(&isNumber);
        if (!isNumber || job.scale < 1 || job.scale > MaxScale) {
            problem = QStringLiteral("--scale must be a whole number from 1 to %1: %2").arg(MaxScale).arg(*scale);
            return std::nullopt;
        }
    }
    if (printed) {
        job.printedDpi = DefaultDpi;
        if (hasDpi) {
            bool isNumber = false;
            job.printedDpi = dpi->toInt(&isNumber);
            if (!isNumber || *job.printedDpi < MinDpi || *job.printedDpi > MaxDpi) {
                problem = QStringLiteral("--dpi moet een heel getal van %1 tot %2 zijn: %3; er is niets geschreven")
                              .arg(MinDpi)
                              .arg(MaxDpi)
                              .arg(*dpi);
                return std::nullopt;
            }
        }
    }
    return job;
}

// One side of the card as the designer shows it, the stamp on the front alone, drawn at
// scale times its size; from scale 2 on the pictures come from their print copies, which
// hold detail the screen pictures lack.
QImage renderFace(const CardFace &face, const StampBox *stamp, int scale)
{
    QImage image(Composition::CanvasSize * scale, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    QPainter painter(&image);
    painter.scale(scale, scale);
    CardPainter::paintFace(painter, face, stamp,
                           scale >= 2 ? CardPainter::Pictures::Print : CardPainter::Pictures::Screen);
    return image;
}

// One side of the card as the printer draws it, at dpi: the picture the window's printed
// view shows at its own resolution. No larger than the canvas, the render takes the
// screen's pictures as the view does, so that at the view's resolution the two are the
// same pixels; larger, it takes the print copies for the detail they hold.
QImage renderPrinted(const Card &card, CardSide side, const SheetGeometry &sheet, int dpi)
{
    PrintedCard printed = side == CardSide::Front ? PrintedCard::from(card) : PrintedCard::from(*card.back, nullptr);
    const QSize pixels = PrintedView::pixelsAt({sheet.cardWidth, sheet.cardHeight}, dpi);
    if (pixels.width() <= Composition::CanvasWidth && pixels.height() <= Composition::CanvasHeight) {
        printed.canvasPrint = QImage();
        printed.stampPrint = QImage();
    }
    return PrintedView::picture(printed, sheet, dpi).convertToFormat(QImage::Format_RGB32);
}

} // namespace

int batchRender(const QStringList &args, QTextStream &err)
{
    QString problem;
    const std::optional<RenderJob> job = parseJob(args, problem);
    if (!job) {
        err << "lumovander-batch render: " << oneLine(problem) << '\n';
        return 2;
    }
    if (!job->folder.isEmpty())
        DataFolder::setOverride(job->folder);

    CardDocument document;
    const CardOpening::Opened opened = CardOpening::openCard(document, job->name);
    if (!opened) {
        err << "lumovander-batch render: cannot open the card " << oneLine(job->name) << " in "
            << oneLine(DataFolder::cardsFolder()) << '\n';
        return 1;
    }
    const Card &card = document.card();
    const CardFace *face = card.face(job->side);
    if (!face) {
        err << "lumovander-batch render: the card " << oneLine(job->name)
            << " has no back (achterkant) to render\n";
        return 1;
    }
    for (const QString &note : opened.notes)
        err << "lumovander-batch render: let op: " << oneLine(note) << '\n';
    // A missing or damaged settings file gives the default card, as print does.
    PrintSettings settings;
    if (job->printedDpi)
        SettingsFile::read(DataFolder::settingsFile(), settings);
    const SheetGeometry sheet = SheetGeometry::from(settings);
    if (job->printedDpi) {
        const QSize pixels = PrintedView::pixelsAt({sheet.cardWidth, sheet.cardHeight}, *job->printedDpi);
        if (qint64(pixels.width()) * pixels.height() > MaxPixels) {
            err << "lumovander-batch render: een kaart van " << sheet.cardWidth << " x " << sheet.cardHeight
                << " mm wordt bij " << *job->printedDpi << " dpi " << pixels.width() << " x " << pixels.height()
                << " pixels, meer dan de " << MaxPixels << " die een plaatje mag hebben; er is niets geschreven\n";
            return 2;
        }
    }
    warnOfEmptyQrCodes(err, QStringLiteral("render"), face->design);
    const QImage image = job->printedDpi
        ? renderPrinted(card, job->side, sheet, *job->printedDpi)
        : renderFace(*face, job->side == CardSide::Front ? &card.stamp : nullptr, job->scale);
    const auto failure = image.isNull() ? std::optional(QStringLiteral("cannot draw the card"))
                                        : writeImageFile(image, job->output, "png");
    if (failure) {
        err << "lumovander-batch render: " << *failure << '\n';
        return 1;
    }
    return 0;
}
