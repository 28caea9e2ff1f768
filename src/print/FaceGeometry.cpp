#include "print/FaceGeometry.h"

#include "core/Card.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "core/VisibleText.h"
#include "print/CardPrintLayout.h"
#include "print/PaperMapping.h"

#include <QFontMetricsF>

QRectF FaceGeometry::itemRect(CardItem item) const
{
    switch (item.kind) {
    case CardItem::Kind::Line:
        if (item.index >= 1 && item.index <= 7)
            return lines[size_t(item.index)];
        break;
    case CardItem::Kind::Stamp:
        return stamp;
    case CardItem::Kind::Object:
        if (item.index >= 0 && size_t(item.index) < objects.size())
            return objects[size_t(item.index)];
        break;
    case CardItem::Kind::None:
        break;
    }
    return {};
}

namespace {

std::vector<QRectF> objectRects(const CardDesign &design)
{
    std::vector<QRectF> rects;
    for (const PlacedObject &object : design.objects)
        rects.push_back(object.rect);
    return rects;
}

} // namespace

FaceGeometry FaceGeometry::ofCanvas(const Card &card)
{
    FaceGeometry geometry;
    const QPaintDevice &device = CardPainter::cardDevice();
    for (int line = 1; line <= 7; ++line) {
        geometry.lines[size_t(line)] = CardPainter::textLineRect(card, line);
        const LineFont look = DesignPainter::lineFont(CardPainter::cardFont(card.state), card.design, line);
        geometry.ascents[size_t(line)] = QFontMetricsF(CardPainter::textFont(look, device), &device).ascent();
    }
    geometry.stamp = CardPainter::stampRect(card);
    geometry.outline = Composition::OutlineRect;
    geometry.objects = objectRects(card.design);
    return geometry;
}

FaceGeometry FaceGeometry::ofPaper(const Card &card, const SheetGeometry &sheet, const QPaintDevice &device)
{
    const PrintedCard printed = PrintedCard::from(card);
    const MillimetreScale mm(device);
    const PaperMapping mapping(mm, printed, sheet, QPointF());
    // Device units to canvas pixels: through millimetres, then the card's stretch.
    const QPointF perMm = mm.point(QPointF(1, 1));
    const QPointF toCanvas(Composition::CanvasWidth / (sheet.cardWidth * perMm.x()),
                           Composition::CanvasHeight / (sheet.cardHeight * perMm.y()));
    const auto canvasRect = [&](const QRectF &onDevice) {
        return QRectF(onDevice.x() * toCanvas.x(), onDevice.y() * toCanvas.y(), onDevice.width() * toCanvas.x(),
                      onDevice.height() * toCanvas.y());
    };
    const double cardRight = sheet.cardWidth * perMm.x();

    FaceGeometry geometry;
    for (int line = 1; line <= 7; ++line) {
        const QFont font = mapping.font(DesignPainter::lineFont(printed.cardFont, printed.design, line));
        const QFontMetricsF metrics(font, &device);
        const QString &full = printed.textLines[size_t(line)];
        const double x = mapping.linePlace(line).x();
        const QString text = VisibleText::prefix(metrics, cardRight - x, full);
        // As on the canvas: an emptied line stands over its whole column, so that a click
        // anywhere there reaches it.
        // The printed view draws its text exactly (CardMapping::exactShapes).
        const double width =
            full.trimmed().isEmpty() ? mapping.columnWidth(line) : DesignPainter::exactAdvance(font, text, device);
        const LineDesign &place = printed.design.lines[size_t(line)];
        const QPointF top = DesignPainter::lineTopLeft(mapping, place, line, width);
        geometry.lines[size_t(line)] = canvasRect(QRectF(top, QSizeF(width, metrics.height())));
        geometry.ascents[size_t(line)] = metrics.ascent() * toCanvas.y();
    }
    const QRectF stamp = CardPrintLayout::stampRect(printed.layoutKind);
    if (!stamp.isEmpty())
        geometry.stamp = canvasRect(mm.rect(stamp)).translated(printed.design.stampOffset);
    const auto bars = CardPrintLayout::borderBars(sheet.cardWidth, sheet.cardHeight);
    geometry.outline = canvasRect(mm.rect(bars[0].united(bars[1]).united(bars[2]).united(bars[3])));
    geometry.objects = objectRects(card.design);
    return geometry;
}
