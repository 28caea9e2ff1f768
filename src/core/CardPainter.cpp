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

// A device at the card's own resolution, for measuring text as the window shows it.
const QImage &cardResolutionDevice()
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

void paintOutline(QPainter &painter, const CardState &state)
{
    // Four one-pixel bands covering exactly the outline's pixels at any scale.
    const QRect r = Composition::OutlineRect;
    const QColor colour = state.borderColor();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

void paintTextLines(QPainter &painter, const CardState &state)
{
    const QFont font = CardPainter::textFont(state, *painter.device());
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    painter.setPen(state.textColor());
    for (int line = 1; line <= 7; ++line) {
        const QPoint at = Composition::textLinePosition(state.LayoutKind, line);
        const QString &text = state.TextLines[size_t(line)];
        painter.drawText(QPointF(at.x(), at.y() + metrics.ascent()),
                         VisibleText::prefix(painter, metrics, at.x(), text));
    }
}

} // namespace

namespace CardPainter {

QFont textFont(const CardState &state, const QPaintDevice &device)
{
    QFont font(state.FontName);
    font.setPointSizeF(std::max(1, state.FontSize) * kCardDpi / device.logicalDpiY());
    font.setBold(state.FontBold);
    font.setItalic(state.FontItalic);
    font.setUnderline(state.FontUnderline);
    return font;
}

QRect textLineRect(const CardState &state, int line)
{
    const QImage &device = cardResolutionDevice();
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
    const CardState &state = document.state();
    const bool print = pictures == Pictures::Print;
    const CardCanvas &canvas = document.canvas();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), Composition::CanvasSize),
                      print && canvas.hasPrintCopy() ? canvas.printImage() : canvas.image());
    if (state.CardBorder)
        paintOutline(painter, state);
    paintTextLines(painter, state);
    const StampBox &stamp = document.stamp();
    if (stamp.isVisible())
        painter.drawImage(stamp.geometry(), print && stamp.hasPrintCopy() ? stamp.printImage() : stamp.image());
    painter.restore();
}

} // namespace CardPainter
