#include "print/PrintedView.h"

#include "print/SheetPainter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace PrintedView {

int fittingDpi(QSizeF cardMm, QSize area)
{
    if (cardMm.isEmpty() || area.isEmpty())
        return 1;
    const double perMm = std::min(area.width() / cardMm.width(), area.height() / cardMm.height());
    // A hair under, so that a card that fits exactly is not rounded out of its area.
    return std::max(1, int(std::floor(perMm * 25.4 + 1e-9)));
}

QSize pixelsAt(QSizeF cardMm, int dpi)
{
    return QSize(std::max(1, int(std::lround(cardMm.width() * dpi / 25.4))),
                 std::max(1, int(std::lround(cardMm.height() * dpi / 25.4))));
}

QRect cardRect(QSizeF cardMm, QSize area)
{
    const QSize size = pixelsAt(cardMm, fittingDpi(cardMm, area)).boundedTo(area.expandedTo(QSize(1, 1)));
    return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size);
}

QImage device(QSize pixels, int dpi)
{
    QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = std::max(1, int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

QImage picture(const PrintedCard &card, const SheetGeometry &sheet, int dpi)
{
    return pictureOver(background(card, sheet, dpi), card, sheet);
}

// As the page preview draws a page: the sheet's own routine, smoothed as paper is.
QImage background(const PrintedCard &card, const SheetGeometry &sheet, int dpi)
{
    QImage image = device(pixelsAt(QSizeF(sheet.cardWidth, sheet.cardHeight), dpi), dpi);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawCardBackgroundAt(painter, card, sheet, QPointF());
    painter.end();
    return image;
}

QImage pictureOver(const QImage &background, const PrintedCard &card, const SheetGeometry &sheet)
{
    // Drawn into a copy: the caller keeps its background for the next picture. The copy
    // keeps the background's resolution, which paper's mapping reads.
    QImage image = background.copy();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawCardAt(painter, card, sheet, QPointF(), CardBackground::Omitted);
    painter.end();
    return image;
}

} // namespace PrintedView
