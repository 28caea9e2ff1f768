#include "print/SheetPreview.h"

#include <QPainter>

#include <algorithm>

namespace SheetPreview {

QList<QPoint> cardPositions(int cardsPerSheet)
{
    constexpr int Left = 5;
    QList<QPoint> positions;
    int x = Left;
    int y = (cardsPerSheet == 8) ? 15 : 6;
    for (int card = 0; card < cardsPerSheet; ++card) {
        positions.append(QPoint(x, y));
        x += 60;
        if (x > 90) {
            x = Left;
            y += 34;
        }
    }
    return positions;
}

QRect stampThumbnail(int layoutKind)
{
    switch (layoutKind) {
    case 2:
        return {6, 6, 14, 18};
    case 3:
        return {6, 6, 18, 14};
    case 4:
        return {40, 6, 14, 18};
    default:
        return {};
    }
}

QImage draw(const PrintedCard &card, int cardsPerSheet, int firstSlot, const QStringList &names)
{
    QImage preview(Size, QImage::Format_RGB32);
    preview.fill(background());
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(card.borderColor);
    const QRect stamp = stampThumbnail(card.layoutKind);
    const QList<QPoint> positions = cardPositions(cardsPerSheet);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(7);
    for (qsizetype slot = std::max(firstSlot, 0); slot < positions.size(); ++slot) {
        const QPoint corner = positions[slot];
        if (!names.isEmpty() && names.value(slot).isEmpty())
            continue;
        painter.drawImage(QRect(corner, CardThumbnail), card.canvas);
        if (!stamp.isEmpty())
            painter.drawImage(stamp.translated(corner), card.stamp);
        // An aliased one-pixel outline covers one pixel more than the rectangle's size:
        // this one runs from (2, 3) to (55, 29) inclusive.
        if (card.border)
            painter.drawRect(QRect(corner + QPoint(2, 3), QSize(53, 26)));
        if (!names.isEmpty()) {
            const QRect foot(corner + QPoint(1, CardThumbnail.height() - 10), QSize(CardThumbnail.width() - 2, 9));
            painter.save();
            painter.fillRect(foot, QColor(255, 255, 255, 210));
            painter.setPen(Qt::black);
            painter.setFont(small);
            painter.drawText(foot, Qt::AlignCenter,
                             QFontMetrics(small).elidedText(names[slot], Qt::ElideRight, foot.width()));
            painter.restore();
        }
    }
    return preview;
}

} // namespace SheetPreview
