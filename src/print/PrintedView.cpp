#include "print/PrintedView.h"

#include "print/SheetPainter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace PrintedView {

namespace {

// Qt sets a font in whole pixels of the device it is measured on: a 12-point line on a
// card shown at 124 dpi would be drawn 21 pixels high for its 20.67, a 6-point one 10 for
// its 10.33, every line longer or shorter than on paper and a centred or right-aligned one
// starting elsewhere. Measured and drawn at this many times the resolution, under a
// painter that scales back, a font is off by an eighth of a pixel at most, as finely as
// the PDF's own resolution sets it.
constexpr int Finer = 8;

void setDpi(QImage &image, int dpi)
{
    const int dotsPerMetre = std::max(1, int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
}

} // namespace

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
    setDpi(image, dpi * Finer);
    return image;
}

QImage picture(const PrintedCard &card, const SheetGeometry &sheet, int dpi)
{
    QImage image = pictureOver(background(card, sheet, dpi), card, sheet);
    setDpi(image, dpi);
    return image;
}

// As the page preview draws a page: the sheet's own routine, smoothed as paper is. The
// background keeps the finer resolution its card is drawn at.
QImage background(const PrintedCard &card, const SheetGeometry &sheet, int dpi)
{
    QImage image = device(pixelsAt(QSizeF(sheet.cardWidth, sheet.cardHeight), dpi), dpi);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1.0 / Finer, 1.0 / Finer);
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
    painter.scale(1.0 / Finer, 1.0 / Finer);
    drawCardAt(painter, card, sheet, QPointF(), CardBackground::Omitted);
    painter.end();
    return image;
}

} // namespace PrintedView
