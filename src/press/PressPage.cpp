#include "press/PressPage.h"

#include "press/PdfFinishing.h"
#include "print/SheetPainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

namespace {

// Where pixel i of an edge-mirrored picture n pixels long comes from, for any i.
int mirrored(int i, int n)
{
    const int period = 2 * n;
    int k = i % period;
    if (k < 0)
        k += period;
    return k < n ? k : period - 1 - k;
}

double perMm(const QPainter &painter) { return painter.device()->logicalDpiX() / 25.4; }

void drawBleedBackground(QPainter &painter, const QImage &picture, const PressGeometry &page)
{
    if (picture.isNull())
        return;
    const QRectF card = page.cardRect();
    const QRectF bleed = page.bleedBox();
    const double kx = picture.width() / card.width();
    const double ky = picture.height() / card.height();
    const auto pad = [](double mm, double k) { return std::max(0, int(std::ceil(mm * k - 1e-9))); };
    const int left = pad(card.left() - bleed.left(), kx);
    const int right = pad(bleed.right() - card.right(), kx);
    const int top = pad(card.top() - bleed.top(), ky);
    const int bottom = pad(bleed.bottom() - card.bottom(), ky);
    const QImage extended = mirroredBeyond(picture, left, top, right, bottom);
    const QRectF target(card.left() - left / kx, card.top() - top / ky, extended.width() / kx,
                        extended.height() / ky);
    const double s = perMm(painter);
    painter.save();
    painter.setClipRect(QRectF(bleed.topLeft() * s, bleed.size() * s));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRectF(target.topLeft() * s, target.size() * s), extended);
    painter.restore();
}

} // namespace

QImage mirroredBeyond(const QImage &picture, int left, int top, int right, int bottom)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    const int w = source.width(), h = source.height();
    QImage out(w + left + right, h + top + bottom, QImage::Format_RGB32);
    if (out.isNull() || source.isNull())
        return {};
    for (int y = 0; y < out.height(); ++y) {
        const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(mirrored(y - top, h)));
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < left; ++x)
            to[x] = from[mirrored(x - left, w)];
        std::copy(from, from + w, to + left);
        for (int x = left + w; x < out.width(); ++x)
            to[x] = from[mirrored(x - left, w)];
    }
    return out;
}

void drawPressPage(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet,
                   const PressGeometry &page)
{
    drawBleedBackground(painter, card.canvasPrint.isNull() ? card.canvas : card.canvasPrint, page);

    const double s = perMm(painter);
    const QRectF bleed = page.bleedBox();
    painter.save();
    painter.setClipRect(QRectF(bleed.topLeft() * s, bleed.size() * s));
    painter.translate(page.cardRect().topLeft() * s);
    painter.scale(page.cardScale(), page.cardScale());
    drawCardAt(painter, card, sheet, QPointF(), CardBackground::Omitted);
    painter.restore();

    // Registration-free marks: black ink alone, so they do not print on every plate.
    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(0.25 / PressGeometry::PointsPerMm * s);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    for (const QLineF &mark : page.cropMarks())
        painter.drawLine(QLineF(mark.p1() * s, mark.p2() * s));
    painter.restore();
}

QByteArray pressPagePdf(const PrintedCard &card, const SheetGeometry &sheet, const PressGeometry &page,
                        const QString &title)
{
    // Qt sizes a page in whole points; the page is made larger to the next point and the
    // press page drawn from its top-left corner, and the boxes then say exactly where it lies.
    const QSizeF media = page.mediaSize() * PressGeometry::PointsPerMm;
    const QSize qtPoints(int(std::ceil(media.width())), int(std::ceil(media.height())));
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Lumovander"));
        writer.setTitle(title);
        writer.setPageLayout(QPageLayout(QPageSize(qtPoints, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        drawPressPage(painter, card, sheet, page);
        if (!painter.end())
            return {};
    }
    const double drop = qtPoints.height() - media.height();
    const auto shifted = [&](const QRectF &mm) { return page.inPoints(mm).translated(0, drop); };
    PdfFinishing::Boxes boxes{shifted(page.mediaBox()), shifted(page.bleedBox()), shifted(page.trimBox())};
    return PdfFinishing::finish(bytes, boxes).value_or(QByteArray());
}
