#include "press/PressPage.h"

#include "press/PdfFinishing.h"
#include "print/PaperMapping.h"
#include "print/SheetPainter.h"

#include "background/Verloopkleur.h"

#include "core/Composition.h"
#include "core/DesignPainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
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

// Flattened objects are painted into the background at no less than this.
constexpr double FlattenedPpi = 600;

// How many of the card's objects, bottom to top, a flattened page paints into its
// background: all up to and including the last logo, so that nothing drawn later lies
// under one drawn earlier. What lies above the last logo (QR codes) stays vector.
size_t flattenedCount(const CardDesign &design)
{
    for (size_t n = design.objects.size(); n > 0; --n)
        if (design.objects[n - 1].kind == PlacedObject::Kind::Logo)
            return n;
    return 0;
}

// The card's first `count` objects painted into the background picture, which covers
// `target` (page millimetres), enlarged first where it is coarser than FlattenedPpi. They
// go through the objects' one routine with paper's own mapping, so the picture holds
// every kind of object exactly where the sheet would print it.
QImage withObjectsPainted(QImage background, const QRectF &target, const PrintedCard &card,
                          const SheetGeometry &sheet, const PressGeometry &page, size_t count)
{
    const double wanted = FlattenedPpi / 25.4 * target.width();
    if (background.width() < wanted) {
        // Should the enlarged copy not fit in memory, the objects still go in, coarser.
        const QImage larger =
            background.scaled(int(std::ceil(wanted)), int(std::ceil(wanted * target.height() / target.width())),
                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!larger.isNull())
            background = larger;
    }
    CardDesign flattened;
    flattened.objects.assign(card.design.objects.begin(), card.design.objects.begin() + qsizetype(count));
    QPainter painter(&background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Paper's mapping in the picture's own millimetre units, then those units onto the
    // picture's pixels over the target.
    const MillimetreScale mm(background);
    const QPointF unitsPerMm = mm.point(QPointF(1, 1));
    painter.scale(background.width() / target.width() / unitsPerMm.x(),
                  background.height() / target.height() / unitsPerMm.y());
    painter.translate(mm.point(page.cardRect().topLeft() - target.topLeft()));
    painter.scale(page.cardScale(), page.cardScale());
    DesignPainter::drawObjects(painter, PaperMapping(mm, card, sheet, QPointF()), flattened, card.textColor);
    return background;
}

// The background grown by the margins (in the picture's pixels) for the bleed: a gradient
// runs on by its own rule, at the print copy's scale as the card's own copy is made;
// anything else is mirrored at the card's edges. The margins may come back larger.
QImage backgroundBeyond(const PrintedCard &card, const QImage &picture, QMargins &beyond)
{
    const int gradient = shownGradient(card.canvas);
    if (gradient == 0)
        return mirroredBeyond(picture, beyond.left(), beyond.top(), beyond.right(), beyond.bottom());
    const int scale = std::max(1, picture.width() / Gradients::CardSize.width());
    const auto onCard = [scale](int pixels) { return (pixels + scale - 1) / scale; };
    const QMargins canvasBeyond(onCard(beyond.left()), onCard(beyond.top()), onCard(beyond.right()),
                                onCard(beyond.bottom()));
    beyond = canvasBeyond * scale;
    const QImage extended = gradientBeyond(gradient, canvasBeyond);
    return scale == 1 ? extended
                      : extended.scaled(extended.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The background over the bleed box, with the card's first `flatten` objects painted
// into it; returns how many it painted, none when there is no picture to paint them in.
// The photo's own pixels laid over the mirrored bleed, outside the card only (the card
// keeps its print copy's pixels), where the canvas kept them at the picture's scale.
void overlayPhotoBeyond(QImage &extended, const QImage &picture, QPoint cardAt, const PhotoBeyond &beyond)
{
    if (beyond.image.isNull() || picture.size() != Composition::PrintCanvasSize)
        return;
    QPainter painter(&extended);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRegion(QRegion(extended.rect()) - QRegion(QRect(cardAt, picture.size())));
    painter.drawImage(cardAt - QPoint(beyond.margins.left(), beyond.margins.top()), beyond.image);
}

size_t drawBleedBackground(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet,
                           const PressGeometry &page, size_t flatten, const PhotoBeyond &beyond)
{
    const QImage &picture = card.canvasPrint.isNull() ? card.canvas : card.canvasPrint;
    if (picture.isNull())
        return 0;
    const QRectF cardRect = page.cardRect();
    const QRectF bleed = page.bleedBox();
    const double kx = picture.width() / cardRect.width();
    const double ky = picture.height() / cardRect.height();
    const auto pad = [](double mm, double k) { return std::max(0, int(std::ceil(mm * k - 1e-9))); };
    QMargins grown(pad(cardRect.left() - bleed.left(), kx), pad(cardRect.top() - bleed.top(), ky),
                   pad(bleed.right() - cardRect.right(), kx), pad(bleed.bottom() - cardRect.bottom(), ky));
    QImage extended = backgroundBeyond(card, picture, grown);
    const int left = grown.left(), top = grown.top();
    if (shownGradient(card.canvas) == 0 && !card.canvasPrint.isNull())
        overlayPhotoBeyond(extended, picture, QPoint(left, top), beyond);
    const QRectF target(cardRect.left() - left / kx, cardRect.top() - top / ky, extended.width() / kx,
                        extended.height() / ky);
    if (extended.isNull())
        return 0;
    if (flatten > 0)
        extended = withObjectsPainted(extended, target, card, sheet, page, flatten);
    const double s = perMm(painter);
    painter.save();
    painter.setClipRect(QRectF(bleed.topLeft() * s, bleed.size() * s));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRectF(target.topLeft() * s, target.size() * s), extended);
    painter.restore();
    return flatten;
}

// Whether Qt's PDF holds anything see-through: a soft mask (of a picture or a gradient)
// or a drawing at less than full opacity.
bool hasTransparency(const QByteArray &pdf)
{
    static const QRegularExpression see(QStringLiteral("/SMask (\\d+ 0 R|<<)|/(ca|CA) (0(\\.\\d*)?|\\.\\d+)[\\s/>]"));
    return QString::fromLatin1(pdf).contains(see);
}

QByteArray qtPdf(const PrintedCard &card, const SheetGeometry &sheet, const PressGeometry &page, const QString &title,
                 QSize qtPoints, PressTransparency transparency, const PhotoBeyond &beyond)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Lumovander"));
    writer.setTitle(title);
    writer.setPageLayout(QPageLayout(QPageSize(qtPoints, QString(), QPageSize::ExactMatch), QPageLayout::Portrait,
                                     QMarginsF(), QPageLayout::Point));
    QPainter painter;
    if (!painter.begin(&writer))
        return {};
    drawPressPage(painter, card, sheet, page, transparency, beyond);
    if (!painter.end())
        return {};
    return bytes;
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
                   const PressGeometry &page, PressTransparency transparency, const PhotoBeyond &beyond)
{
    // Whatever the background did not take is drawn over it, in the list's order.
    const size_t flattened = drawBleedBackground(
        painter, card, sheet, page, transparency == PressTransparency::Flattened ? flattenedCount(card.design) : 0,
        beyond);
    PrintedCard above = card;
    above.design.objects.erase(above.design.objects.begin(), above.design.objects.begin() + qsizetype(flattened));

    const double s = perMm(painter);
    const QRectF bleed = page.bleedBox();
    painter.save();
    painter.setClipRect(QRectF(bleed.topLeft() * s, bleed.size() * s));
    painter.translate(page.cardRect().topLeft() * s);
    painter.scale(page.cardScale(), page.cardScale());
    drawCardAt(painter, above, sheet, QPointF(), CardBackground::Omitted);
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
                        const QString &title, const PhotoBeyond &beyond)
{
    // Qt sizes a page in whole points; the page is made larger to the next point and the
    // press page drawn from its top-left corner, and the boxes then say exactly where it lies.
    const QSizeF media = page.mediaSize() * PressGeometry::PointsPerMm;
    const QSize qtPoints(int(std::ceil(media.width())), int(std::ceil(media.height())));
    QByteArray bytes = qtPdf(card, sheet, page, title, qtPoints, PressTransparency::Kept, beyond);
    // PDF/X-3 knows no transparency: Ghostscript would turn the whole page into one
    // picture, text and all. A see-through logo is painted into the background instead.
    if (hasTransparency(bytes))
        bytes = qtPdf(card, sheet, page, title, qtPoints, PressTransparency::Flattened, beyond);
    if (bytes.isEmpty())
        return {};
    const double drop = qtPoints.height() - media.height();
    const auto shifted = [&](const QRectF &mm) { return page.inPoints(mm).translated(0, drop); };
    PdfFinishing::Boxes boxes{shifted(page.mediaBox()), shifted(page.bleedBox()), shifted(page.trimBox())};
    return PdfFinishing::finish(bytes, boxes).value_or(QByteArray());
}
