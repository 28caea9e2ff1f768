#include "print/SheetPainter.h"

#include "print/CardPrintLayout.h"

#include "core/Composition.h"
#include "core/DesignPainter.h"
#include "core/VisibleText.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

class MillimetreScale {
public:
    explicit MillimetreScale(const QPaintDevice &device)
        : m_x(device.logicalDpiX() / 25.4), m_y(device.logicalDpiY() / 25.4)
    {
    }
    QPointF point(QPointF mm) const { return {mm.x() * m_x, mm.y() * m_y}; }
    QRectF rect(const QRectF &mm) const { return {point(mm.topLeft()), point(mm.bottomRight())}; }

private:
    double m_x;
    double m_y;
};

// Paper's mapping: each line's layout place on paper, the printed font sizes, and
// the canvas's 440 x 270 pixels onto the card's C x D millimetres for what was moved
// and placed, the same mapping the background takes.
class PaperMapping : public CardMapping {
public:
    PaperMapping(const MillimetreScale &mm, const PrintedCard &card, const SheetGeometry &sheet, QPointF corner)
        : m_mm(mm), m_card(card), m_corner(corner),
          m_perPixel(sheet.cardWidth / Composition::CanvasWidth, sheet.cardHeight / Composition::CanvasHeight)
    {
    }
    QPointF linePlace(int line) const override
    {
        return m_mm.point(CardPrintLayout::textLinePlace(m_card.layoutKind, line) + m_corner);
    }
    double columnWidth(int line) const override
    {
        const int left = Composition::textLinePosition(m_card.layoutKind, line).x();
        return distance(QPointF(Composition::textColumnRight(m_card.layoutKind, line) - left, 0)).x();
    }
    QFont font(const LineFont &look) const override
    {
        if (look == m_card.cardFont)
            return m_card.font;
        QFont font(look.name);
        font.setPointSize(PrintedCard::printedPointSize(look.size));
        font.setBold(look.bold);
        font.setItalic(look.italic);
        font.setUnderline(look.underline);
        return font;
    }
    QPointF distance(QPointF canvas) const override
    {
        return m_mm.point(QPointF(canvas.x() * m_perPixel.width(), canvas.y() * m_perPixel.height()));
    }
    QRectF rect(const QRectF &canvas) const override
    {
        return QRectF(m_mm.point(m_corner) + distance(canvas.topLeft()), QSizeF(distance(QPointF(canvas.width(), canvas.height())).x(), distance(QPointF(canvas.width(), canvas.height())).y()));
    }

private:
    const MillimetreScale &m_mm;
    const PrintedCard &m_card;
    QPointF m_corner;
    QSizeF m_perPixel;
};

void drawCard(QPainter &painter, const MillimetreScale &mm, const PrintedCard &card,
              const SheetGeometry &sheet, QPointF corner)
{
    const PaperMapping mapping(mm, card, sheet, corner);
    // The print copies carry the detail paper can show, so a PDF stores them without
    // JPEG's loss (which would cost fine detail what the copy gained); a card without
    // them prints its screen pictures as it always did.
    painter.setRenderHint(QPainter::LosslessImageRendering, !card.canvasPrint.isNull());
    painter.drawImage(mm.rect(QRectF(corner, QSizeF(sheet.cardWidth, sheet.cardHeight))),
                      card.canvasPrint.isNull() ? card.canvas : card.canvasPrint);

    if (card.border) {
        for (const QRectF &bar : CardPrintLayout::borderBars(sheet.cardWidth, sheet.cardHeight))
            painter.fillRect(mm.rect(bar.translated(corner)), card.borderColor);
    }

    if (!card.design.objects.empty()) {
        painter.setRenderHint(QPainter::LosslessImageRendering, true);
        DesignPainter::drawObjects(painter, mapping, card.design, card.textColor);
    }

    const QRectF stamp = CardPrintLayout::stampRect(card.layoutKind);
    if (!stamp.isEmpty()) {
        painter.setRenderHint(QPainter::LosslessImageRendering, !card.stampPrint.isNull());
        painter.drawImage(mm.rect(stamp.translated(corner)).translated(mapping.distance(card.design.stampOffset)),
                          card.stampPrint.isNull() ? card.stamp : card.stampPrint);
    }

    DesignPainter::drawLines(painter, mapping, card.textLines, card.cardFont, card.design);
}

} // namespace

void drawSheet(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setFont(card.font);
    painter.setPen(card.textColor);
    painter.setBackgroundMode(Qt::TransparentMode);
    const MillimetreScale mm(*painter.device());
    for (const QPointF &corner : sheet.cardCorners())
        drawCard(painter, mm, card, sheet, corner);
    painter.restore();
}

PrintOutcome printPages(QPagedPaintDevice &device, const PageDrawing &draw, int pages,
                        const PrinterCorrection &correction)
{
    const PrintOutcome failed = PrintOutcome::failed(QStringLiteral("Het afdrukken van de kaartjes is mislukt."));
    QPainter painter;
    if (!painter.begin(&device))
        return failed;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return failed;
        if (!correction.isNeutral())
            painter.setTransform(correction.deviceTransform(device));
        draw(painter);
    }
    return painter.end() ? PrintOutcome::printed() : failed;
}
