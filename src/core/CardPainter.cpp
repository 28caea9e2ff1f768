#include "core/CardPainter.h"

#include "core/CardDocument.h"
#include "core/Composition.h"
#include "core/VisibleText.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace {

constexpr double kCardDpi = 96.0;

} // namespace

namespace CardPainter {

const QPaintDevice &cardDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = int(std::lround(kCardDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

} // namespace CardPainter

namespace {

QRectF measuredLine(const CardFace &card, int line, bool moved)
{
    const QPaintDevice &device = CardPainter::cardDevice();
    const CardPainter::CanvasMapping mapping(card.state, device);
    const LineFont look = DesignPainter::lineFont(CardPainter::cardFont(card.state), card.design, line);
    const QFontMetricsF metrics(mapping.font(look), &device);
    const double x = mapping.linePlace(line).x();
    const QString &full = card.state.TextLines[size_t(line)];
    const QString text = VisibleText::prefix(metrics, Composition::CanvasSize.width() - x, full);
    // An emptied line shows nothing to take hold of: it stands over its whole column, as
    // wide as a line of text there could be, so that a click anywhere there reaches it.
    const QSizeF size(full.trimmed().isEmpty() ? mapping.columnWidth(line) : metrics.horizontalAdvance(text),
                      metrics.height());
    LineDesign place = card.design.lines[size_t(line)];
    if (!moved)
        place.offset = QPointF();
    return QRectF(DesignPainter::lineTopLeft(mapping, place, line, size.width()), size);
}

} // namespace

namespace CardPainter {

QPointF CanvasMapping::linePlace(int line) const
{
    return Composition::textLinePosition(m_state.LayoutKind, line);
}

double CanvasMapping::columnWidth(int line) const
{
    return Composition::textColumnRight(m_state.LayoutKind, line) - linePlace(line).x();
}

QFont CanvasMapping::font(const LineFont &font) const
{
    return textFont(font, m_device);
}

void CanvasMapping::drawCanvas(QPainter &painter, const QImage &canvas, bool) const
{
    painter.drawImage(QRect(QPoint(0, 0), Composition::CanvasSize), canvas);
}

void CanvasMapping::drawOutline(QPainter &painter, const QColor &colour) const
{
    // Four one-pixel bands covering exactly the outline's pixels at any scale.
    const QRect r = Composition::OutlineRect;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

void CanvasMapping::drawStamp(QPainter &painter, const QImage &stamp, bool, QPointF offset) const
{
    // An unmoved stamp keeps its whole-pixel rectangle, drawn as it always was.
    if (offset.isNull())
        painter.drawImage(m_stampBox, stamp);
    else
        painter.drawImage(QRectF(m_stampBox).translated(offset), stamp);
}

LineFont cardFont(const CardState &state)
{
    return {state.FontName, state.FontSize, state.FontBold, state.FontItalic, state.FontUnderline, state.textColor()};
}

QFont textFont(const LineFont &look, const QPaintDevice &device)
{
    QFont font(look.name);
    font.setPointSizeF(std::max(1, look.size) * kCardDpi / device.logicalDpiY());
    font.setBold(look.bold);
    font.setItalic(look.italic);
    font.setUnderline(look.underline);
    return font;
}

QFont textFont(const CardState &state, const QPaintDevice &device)
{
    return textFont(cardFont(state), device);
}

QRectF textLineRect(const CardFace &card, int line)
{
    return measuredLine(card, line, true);
}

QRectF layoutLineRect(const CardFace &card, int line)
{
    return measuredLine(card, line, false);
}

QRectF stampRect(const Card &card)
{
    return QRectF(card.stamp.geometry()).translated(card.design.stampOffset);
}

QRect textLineRect(const CardState &state, int line)
{
    const QPaintDevice &device = CardPainter::cardDevice();
    const QFontMetricsF metrics(textFont(state, device), &device);
    const QPoint at = Composition::textLinePosition(state.LayoutKind, line);
    // Of a very long line the rect reaches past the card either way; only that much is measured.
    const QString text = VisibleText::prefix(metrics, Composition::CanvasSize.width() - at.x(),
                                             state.TextLines[size_t(line)]);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    return QRect(at,
                 QSize(int(std::ceil(size.width())), int(std::ceil(size.height()))));
}

void paint(QPainter &painter, const CardDocument &document, Pictures pictures)
{
    const bool front = document.shownSide() == CardSide::Front;
    paintFace(painter, document.shownFace(), front ? &document.stamp() : nullptr, pictures);
}

void paintFace(QPainter &painter, const CardFace &face, const StampBox *stamp, Pictures pictures)
{
    const CardState &state = face.state;
    const bool print = pictures == Pictures::Print;
    FaceLayers layers;
    layers.canvas = print && face.canvas.hasPrintCopy() ? face.canvas.printImage() : face.canvas.image();
    layers.outline = state.CardBorder;
    layers.outlineColour = state.borderColor();
    layers.hasStamp = stamp && stamp->isVisible();
    if (layers.hasStamp)
        layers.stamp = print && stamp->hasPrintCopy() ? stamp->printImage() : stamp->image();
    layers.lines = &state.TextLines;
    layers.cardFont = cardFont(state);
    layers.design = &face.design;
    layers.textColour = state.textColor();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    DesignPainter::drawFace(painter, CanvasMapping(state, *painter.device(), stamp ? stamp->geometry() : QRect()),
                            layers);
    painter.restore();
}

} // namespace CardPainter
