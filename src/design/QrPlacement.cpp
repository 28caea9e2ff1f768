#include "design/QrPlacement.h"

#include "core/Card.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "design/DesignGuides.h"
#include "qr/QrPath.h"
#include "qr/QrScanCheck.h"

#include <algorithm>

namespace QrPlacement {

QSizeF canvasSize(double side, QSizeF cardMm)
{
    const QPointF size = DesignGuides::CardScale{cardMm.width(), cardMm.height()}.pixels({side, side});
    return {size.x(), size.y()};
}

double sideMm(const QRectF &rect, QSizeF cardMm)
{
    // The code is drawn as the largest square the rectangle holds.
    return std::min(rect.width() * cardMm.width() / Composition::CanvasWidth,
                    rect.height() * cardMm.height() / Composition::CanvasHeight);
}

QRectF defaultRect(QSizeF cardMm)
{
    const QSizeF size = canvasSize(DefaultSideMm, cardMm);
    const QSizeF margin = canvasSize(DesignGuides::SafetyMarginMm, cardMm);
    return {QPointF(Composition::CanvasWidth - margin.width() - size.width(),
                    Composition::CanvasHeight - margin.height() - size.height()),
            size};
}

QStringList warnings(const Card &card, const QrObject &qr, const QRectF &rect, QSizeF cardMm)
{
    if (!qr.code.isValid())
        return {qr.code.error()};
    // The quiet zone is the code's outer band; anything over it, on screen or paper,
    // keeps a phone from finding the code's edge.
    bool covered = false;
    for (int line = 1; line <= 7; ++line) {
        if (card.state.TextLines[size_t(line)].trimmed().isEmpty())
            continue;
        covered = covered || CardPainter::textLineRect(card, line).intersects(rect);
    }
    if (card.stamp.isVisible())
        covered = covered || CardPainter::stampRect(card).intersects(rect);
    const QColor dark = qr.inTextColour ? card.state.textColor() : QColor(Qt::black);
    QStringList messages;
    for (const ScanWarning &warning :
         scanWarnings(moduleMm(qr.code, sideMm(rect, cardMm)), dark, Qt::white, covered))
        messages.append(warning.message);
    return messages;
}

} // namespace QrPlacement
