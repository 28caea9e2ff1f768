#include "print/SheetPainter.h"

#include "print/CardPrintLayout.h"

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

void drawCard(QPainter &painter, const MillimetreScale &mm, const PrintedCard &card,
              const SheetGeometry &sheet, QPointF corner)
{
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

    const QRectF stamp = CardPrintLayout::stampRect(card.layoutKind);
    if (!stamp.isEmpty()) {
        painter.setRenderHint(QPainter::LosslessImageRendering, !card.stampPrint.isNull());
        painter.drawImage(mm.rect(stamp.translated(corner)), card.stampPrint.isNull() ? card.stamp : card.stampPrint);
    }

    const QFontMetricsF metrics(card.font, painter.device());
    const double ascent = metrics.ascent();
    for (int line = 1; line <= 7; ++line) {
        const QString &text = card.textLines[line];
        if (text.isEmpty())
            continue;
        const QPointF top = mm.point(CardPrintLayout::textLinePlace(card.layoutKind, line) + corner);
        painter.drawText(top + QPointF(0, ascent), VisibleText::prefix(painter, metrics, top.x(), text));
    }
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
