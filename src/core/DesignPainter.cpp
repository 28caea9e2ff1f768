#include "core/DesignPainter.h"

#include "core/VisibleText.h"
#include "qr/QrPainting.h"
#include "qr/QrPath.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <list>
#include <memory>
#include <functional>
#include <tuple>

namespace {

// Paper and PDF keep what they are given: an SVG stays paths, a bitmap its own pixels.
// The window and renders take a copy made once at the size they draw it, so dragging a
// logo over the card redraws a picture instead of parsing or rescaling it at every move.
bool keepsVectors(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    return engine && (engine->type() == QPaintEngine::Pdf || engine->type() == QPaintEngine::Picture);
}

struct ScreenCopy {
    // Held, so that no other drawing can come to live at the same address while the
    // copy of this one is kept.
    QByteArray svg;
    qint64 bitmapKey = 0;
    QSize size;
    QImage image;
};

// Per thread: a render on a worker thread never shares a renderer with the window.
thread_local std::list<ScreenCopy> screenCopies;
constexpr size_t KeptScreenCopies = 4;
constexpr size_t KeptSizes = 16;

QSvgRenderer &rendererFor(const QByteArray &svg)
{
    thread_local std::list<std::pair<QByteArray, std::unique_ptr<QSvgRenderer>>> renderers;
    for (auto it = renderers.begin(); it != renderers.end(); ++it)
        if (it->first.constData() == svg.constData() || it->first == svg) {
            renderers.splice(renderers.begin(), renderers, it);
            return *renderers.front().second;
        }
    renderers.emplace_front(svg, std::make_unique<QSvgRenderer>(svg));
    if (renderers.size() > KeptScreenCopies)
        renderers.pop_back();
    return *renderers.front().second;
}

QImage screenCopy(const LogoPicture &logo, QSize size)
{
    const qint64 key = logo.isVector() ? logo.drawn.cacheKey() : logo.bitmap.cacheKey();
    for (auto it = screenCopies.begin(); it != screenCopies.end(); ++it)
        if (it->svg.constData() == logo.svg.constData() && it->svg.size() == logo.svg.size() && it->bitmapKey == key
            && it->size == size) {
            screenCopies.splice(screenCopies.begin(), screenCopies, it);
            return it->image;
        }
    QImage image;
    if (!logo.drawn.isNull()) {
        image = logo.drawn.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else if (logo.isVector()) {
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        rendererFor(logo.svg).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    } else {
        image = logo.bitmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    screenCopies.push_front({logo.svg, key, size, image});
    if (screenCopies.size() > KeptScreenCopies)
        screenCopies.pop_back();
    return image;
}

// Text outlines are taken at this size and scaled to the size drawn, unhinted: a font
// set on a device comes in whole pixels of it, which paper's text does not.
constexpr int OutlinePixels = 1000;

QFont outlineFont(const QFont &font)
{
    QFont large = font;
    large.setPixelSize(OutlinePixels);
    large.setHintingPreference(QFont::PreferNoHinting);
    return large;
}

// The advance of text in outlineFont's pixels.
double outlineAdvance(const QFont &font, const QString &text)
{
    return QFontMetricsF(outlineFont(font)).horizontalAdvance(text);
}

const QPainterPath &textOutline(const QFont &font, const QString &text)
{
    thread_local std::list<std::tuple<QFont, QString, QPainterPath>> outlines;
    for (auto it = outlines.begin(); it != outlines.end(); ++it)
        if (std::get<1>(*it) == text && std::get<0>(*it) == font) {
            outlines.splice(outlines.begin(), outlines, it);
            return std::get<2>(outlines.front());
        }
    QPainterPath path;
    path.addText(QPointF(), outlineFont(font), text);
    // As glyphs are filled: an underline over a descender, or a font's overlapping
    // contours, leave no holes.
    path.setFillRule(Qt::WindingFill);
    outlines.emplace_front(font, text, path);
    // Seven lines a face, two faces and a few more while a line is typed or restyled.
    if (outlines.size() > 32)
        outlines.pop_back();
    return std::get<2>(outlines.front());
}

// What a mapping of exact shapes draws on a device of pixels (a picture of the printed
// card) is antialiased at its true size and place: text filled as its outlines, a QR code
// as some thousand small squares, together several times the rest of the card. Each is
// kept as a picture for the next drawing of the same at the same size (a drag over the
// card draws everything again at every move), its place taken to a sixteenth of a pixel.
constexpr double KeptPixels = 1 << 20;

struct KeptPicture {
    QByteArray key;
    QrCode code;
    QPointF fraction;
    QPoint offset;
    QImage image;
};

// origin: where the drawing's own origin lands on the device; bounds: what it covers
// around that origin, in device pixels; draw paints it with the origin at (0, 0) in
// device pixels.
void drawKept(QPainter &painter, const QByteArray &key, const QrCode &code, QPointF origin, const QRectF &bounds,
              const std::function<void(QPainter &)> &draw)
{
    // A large render of a large card is drawn once anyway; its pictures are not kept.
    if (bounds.width() * bounds.height() > KeptPixels || !std::isfinite(bounds.width() * bounds.height())) {
        painter.save();
        painter.resetTransform();
        painter.translate(origin);
        draw(painter);
        painter.restore();
        return;
    }
    const QPointF whole(std::floor(origin.x()), std::floor(origin.y()));
    const QPointF fraction(std::round((origin.x() - whole.x()) * 16) / 16,
                           std::round((origin.y() - whole.y()) * 16) / 16);
    // Per thread, as the screen copies: a render on a worker never shares them.
    thread_local std::list<KeptPicture> kept;
    auto it = std::find_if(kept.begin(), kept.end(), [&](const KeptPicture &k) {
        return k.fraction == fraction && k.key == key && k.code == code;
    });
    if (it != kept.end()) {
        kept.splice(kept.begin(), kept, it);
    } else {
        const QRectF placed = bounds.translated(fraction);
        const QPoint offset(int(std::floor(placed.left())), int(std::floor(placed.top())));
        QImage image(QSize(int(std::ceil(placed.right())) - offset.x() + 1, int(std::ceil(placed.bottom())) - offset.y() + 1),
                     QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter onImage(&image);
        onImage.setRenderHint(QPainter::Antialiasing, painter.testRenderHint(QPainter::Antialiasing));
        onImage.translate(fraction - QPointF(offset));
        draw(onImage);
        onImage.end();
        kept.push_front({key, code, fraction, offset, image});
        // The seven lines and the codes of a face, and of the other face after a turn.
        if (kept.size() > 24)
            kept.pop_back();
    }
    painter.save();
    painter.resetTransform();
    painter.drawImage(whole + kept.front().offset, kept.front().image);
    painter.restore();
}

QByteArray keyOf(const QString &kind, std::initializer_list<double> numbers, const QString &text = QString())
{
    QByteArray key = kind.toUtf8();
    for (double number : numbers)
        key.append(reinterpret_cast<const char *>(&number), sizeof number);
    return key + text.toUtf8();
}

void drawExactQrOnPixels(QPainter &painter, const QrCode &code, const QRectF &square, const QColor &dark)
{
    const QTransform toDevice = painter.combinedTransform();
    if (toDevice.isRotating()) {
        paintQrCode(painter, code, square, dark);
        return;
    }
    const QRectF onDevice = toDevice.mapRect(square);
    const QSizeF size = onDevice.size();
    drawKept(painter, keyOf(QStringLiteral("qr"), {size.width(), size.height(), double(dark.rgba())}), code,
             onDevice.topLeft(), QRectF(QPointF(), size),
             [&](QPainter &onImage) { paintQrCode(onImage, code, QRectF(QPointF(), size), dark); });
}

double alignShift(LineAlign align, double column, double width)
{
    const double room = std::max(0.0, column - width);
    switch (align) {
    case LineAlign::Centre:
        return room / 2;
    case LineAlign::Right:
        return room;
    case LineAlign::Left:
        break;
    }
    return 0;
}

} // namespace

namespace DesignPainter {

void drawFace(QPainter &painter, const FaceMapping &mapping, const FaceLayers &face)
{
    if (!face.canvas.isNull())
        mapping.drawCanvas(painter, face.canvas, face.canvasIsPrintCopy);
    if (face.outline)
        mapping.drawOutline(painter, face.outlineColour);
    if (!face.design->objects.empty()) {
        mapping.prepareObjects(painter);
        drawObjects(painter, mapping, *face.design, face.textColour);
    }
    const bool stampOver = mapping.stampPlace() == FaceMapping::StampPlace::OverText;
    if (face.hasStamp && !stampOver)
        mapping.drawStamp(painter, face.stamp, face.stampIsPrintCopy, face.design->stampOffset);
    drawLines(painter, mapping, *face.lines, face.cardFont, *face.design);
    if (face.hasStamp && stampOver)
        mapping.drawStamp(painter, face.stamp, face.stampIsPrintCopy, face.design->stampOffset);
}


namespace {

// text with its baseline's start at baseline, pixels (in the painter's units) to the em.
void drawExactText(QPainter &painter, const QFont &font, const QString &text, const QColor &colour, QPointF baseline,
                   double pixels)
{
    const QPainterPath &outline = textOutline(font, text);
    const QTransform toDevice = QTransform::fromScale(pixels / OutlinePixels, pixels / OutlinePixels)
                                * QTransform::fromTranslate(baseline.x(), baseline.y()) * painter.combinedTransform();
    if (toDevice.isRotating()) {
        painter.save();
        painter.translate(baseline);
        painter.scale(pixels / OutlinePixels, pixels / OutlinePixels);
        painter.fillPath(outline, colour);
        painter.restore();
        return;
    }
    const QPointF origin = toDevice.map(QPointF());
    const double scale = toDevice.m11();
    const QTransform own = QTransform::fromScale(scale, toDevice.m22());
    drawKept(painter, keyOf(font.key(), {scale, toDevice.m22(), double(colour.rgba())}, text), QrCode(), origin,
             own.mapRect(outline.boundingRect()), [&](QPainter &onImage) {
                 onImage.setTransform(own, true);
                 onImage.fillPath(outline, colour);
             });
}

} // namespace

double exactAdvance(const QFont &font, const QString &text, const QPaintDevice &device)
{
    return outlineAdvance(font, text) * font.pointSizeF() * device.logicalDpiY() / 72.0 / OutlinePixels;
}

LineFont lineFont(const LineFont &cardFont, const CardDesign &design, int line)
{
    const LineDesign &own = design.lines[size_t(line)];
    return own.font ? *own.font : cardFont;
}

QPointF lineTopLeft(const CardMapping &mapping, const LineDesign &design, int line, double textWidth)
{
    QPointF at = mapping.linePlace(line);
    at.rx() += alignShift(design.align, mapping.columnWidth(line), textWidth);
    return at + mapping.distance(design.offset);
}

void drawLines(QPainter &painter, const CardMapping &mapping, const std::array<QString, 8> &lines,
               const LineFont &cardFont, const CardDesign &design)
{
    for (int line = 1; line <= 7; ++line) {
        const QString &text = lines[size_t(line)];
        if (text.isEmpty())
            continue;
        const LineFont look = lineFont(cardFont, design, line);
        const QFont font = mapping.font(look);
        const QFontMetricsF metrics(font, painter.device());
        painter.setFont(font);
        painter.setPen(look.colour);
        const LineDesign &place = design.lines[size_t(line)];
        const QPointF placeAt = mapping.linePlace(line);
        QString shown = VisibleText::prefix(painter, metrics, placeAt.x(), text);
        // A device of pixels sets text on whole pixels and hints its shapes; exact, the
        // outlines keep the size, the place and the shapes paper gives it.
        const bool exact = mapping.exactShapes() && !keepsVectors(painter);
        const double pixels = font.pointSizeF() * painter.device()->logicalDpiY() / 72.0;
        const double width = place.align == LineAlign::Left ? 0
                             : exact ? exactAdvance(font, shown, *painter.device())
                                     : metrics.horizontalAdvance(shown);
        const QPointF top = lineTopLeft(mapping, place, line, width);
        if (top.x() != placeAt.x())
            shown = VisibleText::prefix(painter, metrics, top.x(), text);
        if (exact) {
            drawExactText(painter, font, shown, look.colour, top + QPointF(0, metrics.ascent()), pixels);
        } else {
            painter.drawText(top + QPointF(0, metrics.ascent()), shown);
        }
    }
}

void drawLogo(QPainter &painter, const LogoPicture &logo, const QRectF &target)
{
    if (logo.isNull() || target.isEmpty())
        return;
    const QRectF onDevice = painter.transform().mapRect(target);
    // Paper and PDFs take the picture itself, scaled by the painter.
    if (keepsVectors(painter)) {
        if (logo.isVector())
            rendererFor(logo.svg).render(&painter, target);
        else
            painter.drawImage(target, logo.bitmap);
        return;
    }
    // A picture larger than any the program makes is enlarged from the largest.
    const QSize size(std::clamp(qRound(onDevice.width()), 1, LargestLogoPixels.width()),
                     std::clamp(qRound(onDevice.height()), 1, LargestLogoPixels.height()));
    painter.drawImage(target, screenCopy(logo, size));
}

QSizeF logoSize(const LogoPicture &logo)
{
    if (!logo.isVector())
        return QSizeF(logo.bitmap.size());
    // Asked at every drawing of every logo: kept apart from the few renderers, so that a
    // card of many logos does not parse them all again at each paint.
    thread_local std::list<std::pair<QByteArray, QSizeF>> sizes;
    for (auto it = sizes.begin(); it != sizes.end(); ++it)
        if (it->first.constData() == logo.svg.constData() || it->first == logo.svg) {
            sizes.splice(sizes.begin(), sizes, it);
            return it->second;
        }
    const QSvgRenderer &renderer = rendererFor(logo.svg);
    const QSizeF box = renderer.viewBoxF().size();
    sizes.emplace_front(logo.svg, box.isEmpty() ? QSizeF(renderer.defaultSize()) : box);
    if (sizes.size() > KeptSizes)
        sizes.pop_back();
    return sizes.front().second;
}

double logoAspect(const PlacedObject &object)
{
    if (object.aspect > 0 && std::isfinite(object.aspect))
        return object.aspect;
    const QSizeF own = logoSize(object.logo);
    return own.isEmpty() ? 1 : own.width() / own.height();
}

QRectF keepingAspect(const QRectF &target, double aspect, double unitAspect)
{
    if (target.isEmpty() || !(aspect > 0) || !(unitAspect > 0))
        return target;
    // In units as long across as down, the target is this much wider than high.
    const double targetAspect = target.width() * unitAspect / target.height();
    QSizeF size = target.size();
    if (targetAspect > aspect)
        size.setWidth(target.width() * aspect / targetAspect);
    else
        size.setHeight(target.height() * targetAspect / aspect);
    QRectF kept(QPointF(), size);
    kept.moveCenter(target.center());
    return kept;
}

void drawQr(QPainter &painter, const QrObject &qr, const QRectF &target, const QColor &textColour, bool exact)
{
    if (!qr.code.isValid() || target.isEmpty())
        return;
    const QColor dark = qr.inTextColour ? textColour : QColor(Qt::black);
    // Square on paper; the canvas's pixels are not square, so on screen the code takes
    // the largest square its rectangle holds.
    const double side = std::min(target.width(), target.height());
    const QRectF square(target.center() - QPointF(side, side) / 2, QSizeF(side, side));
    painter.save();
    if (keepsVectors(painter)) {
        paintQrCode(painter, qr.code, square, dark);
    } else if (exact) {
        drawExactQrOnPixels(painter, qr.code, square, dark);
    } else {
        // Whole pixels per module scan best off a screen, as long as rounding down to them
        // leaves the code most of its size; below that the modules take fractional pixels.
        const double devicePixels = painter.combinedTransform().mapRect(square).width();
        const int modules = qr.code.size() + 2 * QrQuietZone;
        const double perModule = devicePixels / modules;
        if (perModule >= 1 && std::floor(perModule) / perModule >= 0.8) {
            paintQrCodeOnPixels(painter, qr.code, square, dark);
        } else {
            painter.setRenderHint(QPainter::Antialiasing, false);
            paintQrCode(painter, qr.code, square, dark);
        }
    }
    painter.restore();
}

void drawObjects(QPainter &painter, const CardMapping &mapping, const CardDesign &design, const QColor &textColour)
{
    for (const PlacedObject &object : design.objects) {
        switch (object.kind) {
        case PlacedObject::Kind::Logo:
            drawLogo(painter, object.logo,
                     keepingAspect(mapping.rect(object.rect), logoAspect(object), mapping.unitAspect()));
            break;
        case PlacedObject::Kind::Qr:
            drawQr(painter, object.qr, mapping.rect(object.rect), textColour, mapping.exactShapes());
            break;
        }
    }
}

} // namespace DesignPainter
