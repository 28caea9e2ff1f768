#include "print/SheetPainter.h"

#include "print/CardPrintLayout.h"
#include "print/PaperMapping.h"

#include "core/Composition.h"
#include "core/DesignPainter.h"
#include "core/VisibleText.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// The card's canvas picture as paper takes it: its print copy when it has one.
const QImage &backgroundOf(const PrintedCard &card)
{
    return card.canvasPrint.isNull() ? card.canvas : card.canvasPrint;
}

void drawCard(QPainter &painter, const MillimetreScale &mm, const PrintedCard &card,
              const SheetGeometry &sheet, QPointF corner, CardBackground background = CardBackground::Drawn)
{
    FaceLayers layers;
    if (background == CardBackground::Drawn) {
        layers.canvas = backgroundOf(card);
        layers.canvasIsPrintCopy = !card.canvasPrint.isNull();
    }
    layers.outline = card.border;
    layers.outlineColour = card.borderColor;
    layers.hasStamp = !CardPrintLayout::stampRect(card.layoutKind).isEmpty();
    layers.stamp = card.stampPrint.isNull() ? card.stamp : card.stampPrint;
    layers.stampIsPrintCopy = !card.stampPrint.isNull();
    layers.lines = &card.textLines;
    layers.cardFont = card.cardFont;
    layers.design = &card.design;
    layers.textColour = card.textColor;
    DesignPainter::drawFace(painter, PaperMapping(mm, card, sheet, corner), layers);
}

void preparePainter(QPainter &painter, const PrintedCard &card)
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setFont(card.font);
    painter.setPen(card.textColor);
    painter.setBackgroundMode(Qt::TransparentMode);
}

} // namespace

void drawSheet(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet)
{
    SheetRequest request;
    request.sheet = sheet;
    drawPlannedPage(
        painter, [&card](int, CardSide face) { return face == CardSide::Front ? &card : nullptr; }, sheet,
        SheetPlan::forOneCard(request).pages.constFirst());
}

void drawPlannedPage(QPainter &painter, const FaceSource &faces, const SheetGeometry &sheet, const PlannedPage &page)
{
    const MillimetreScale mm(*painter.device());
    // The painter is prepared once for each run of cards of one face, as for a sheet of
    // one card: a PDF of it stays byte for byte what it was.
    const PrintedCard *prepared = nullptr;
    for (const PlannedCard &planned : page.cards) {
        const PrintedCard *card = faces(planned.card, planned.face);
        if (!card)
            continue;
        if (card != prepared) {
            if (prepared)
                painter.restore();
            painter.save();
            preparePainter(painter, *card);
            prepared = card;
        }
        drawCard(painter, mm, *card, sheet, planned.cornerMm);
    }
    if (prepared)
        painter.restore();
}

void drawCardAt(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet, QPointF cornerMm,
                CardBackground background)
{
    painter.save();
    preparePainter(painter, card);
    drawCard(painter, MillimetreScale(*painter.device()), card, sheet, cornerMm, background);
    painter.restore();
}

void drawCardBackgroundAt(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet, QPointF cornerMm)
{
    const QImage &canvas = backgroundOf(card);
    if (canvas.isNull())
        return;
    painter.save();
    preparePainter(painter, card);
    const MillimetreScale mm(*painter.device());
    PaperMapping(mm, card, sheet, cornerMm).drawCanvas(painter, canvas, !card.canvasPrint.isNull());
    painter.restore();
}

QList<PaperItem> paperItems(const PrintedCard &card, const SheetGeometry &sheet, const QPaintDevice &device)
{
    const MillimetreScale mm(device);
    const PaperMapping mapping(mm, card, sheet, QPointF());
    const QPointF perMm = mm.point(QPointF(1, 1));
    const auto toMm = [&](const QRectF &onDevice) {
        return QRectF(onDevice.x() / perMm.x(), onDevice.y() / perMm.y(), onDevice.width() / perMm.x(),
                      onDevice.height() / perMm.y());
    };
    QList<PaperItem> items;
    for (int line = 1; line <= 7; ++line) {
        const QString &text = card.textLines[size_t(line)];
        if (text.isEmpty())
            continue;
        const QFontMetricsF metrics(mapping.font(DesignPainter::lineFont(card.cardFont, card.design, line)), &device);
        const LineDesign &place = card.design.lines[size_t(line)];
        const double width = metrics.horizontalAdvance(text);
        const QPointF top =
            DesignPainter::lineTopLeft(mapping, place, line, place.align == LineAlign::Left ? 0 : width);
        items.append({CardItem::line(line), toMm(QRectF(top, QSizeF(width, metrics.height())))});
    }
    const QRectF stamp = CardPrintLayout::stampRect(card.layoutKind);
    if (!stamp.isEmpty())
        items.append({CardItem::stamp(), toMm(mm.rect(stamp).translated(mapping.distance(card.design.stampOffset)))});
    for (size_t i = 0; i < card.design.objects.size(); ++i)
        items.append({CardItem::object(int(i)), toMm(mapping.rect(card.design.objects[i].rect))});
    return items;
}

QImage pagePicture(const FaceSource &faces, const SheetGeometry &sheet, const PlannedPage &page, QPointF printableCorner,
                   double pixelsPerMm)
{
    const QSize size(qRound(SheetGeometry::PageSize.width() * pixelsPerMm),
                     qRound(SheetGeometry::PageSize.height() * pixelsPerMm));
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    // The picture's resolution is the paper's, so millimetres map as on the printer.
    const int dotsPerMetre = qRound(pixelsPerMm * 1000);
    picture.setDotsPerMeterX(dotsPerMetre);
    picture.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(printableCorner * pixelsPerMm);
    if (!page.correction.isNeutral())
        painter.setTransform(page.correction.deviceTransform(picture), true);
    drawPlannedPage(painter, faces, sheet, page);
    return picture;
}

PrintOutcome printPages(QPagedPaintDevice &device, const PageDrawing &draw, int pages,
                        const PrinterCorrection &correction)
{
    return printEachPage(
        device, pages, [&](QPainter &painter, int) { draw(painter); }, [&](int) { return correction; });
}

PrintOutcome printEachPage(QPagedPaintDevice &device, int pages, const NumberedPageDrawing &draw,
                           const std::function<PrinterCorrection(int page)> &correctionOf)
{
    const PrintOutcome failed = PrintOutcome::failed(QStringLiteral("Het afdrukken van de kaartjes is mislukt."));
    QPainter painter;
    if (!painter.begin(&device))
        return failed;
    // A page without a correction leaves the painter as it is, unless the page before
    // moved it.
    bool moved = false;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return failed;
        const PrinterCorrection correction = correctionOf(page);
        if (!correction.isNeutral() || moved)
            painter.setTransform(correction.deviceTransform(device));
        moved = !correction.isNeutral();
        draw(painter, page);
    }
    return painter.end() ? PrintOutcome::printed() : failed;
}

PrintOutcome printPlan(QPagedPaintDevice &device, const FaceSource &faces, const SheetGeometry &sheet,
                       const SheetPlan &plan)
{
    return printEachPage(
        device, int(plan.pages.size()),
        [&](QPainter &painter, int page) { drawPlannedPage(painter, faces, sheet, plan.pages[page]); },
        [&](int page) { return plan.pages[page].correction; });
}
