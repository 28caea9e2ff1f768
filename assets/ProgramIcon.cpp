#include "assets/ProgramIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

// A business card, slightly turned, with a framed stamp photo on the left and text lines
// on the right: what the program makes. Drawn on a 256-unit square and scaled, so every
// size is drawn afresh instead of blurred down; the smallest sizes drop the details.
namespace ProgramIcon {

QImage draw(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (size <= 0)
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    p.translate(128, 128);
    p.rotate(-8);
    p.translate(-128, -128);
    const bool small = size < 32;

    // Shadow, then the card with its gradient band along the bottom.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(QRectF(22, 62, 220, 146), 14, 14);
    QPainterPath card;
    card.addRoundedRect(QRectF(14, 52, 220, 146), 14, 14);
    p.setBrush(QColor(252, 250, 244));
    p.drawPath(card);
    p.save();
    p.setClipPath(card);
    QLinearGradient band(14, 0, 234, 0);
    band.setColorAt(0, QColor(40, 90, 170));
    band.setColorAt(1, QColor(120, 200, 220));
    p.fillRect(QRectF(14, 172, 220, 26), band);
    p.restore();
    p.setPen(QPen(QColor(90, 96, 110), small ? 8 : 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(card);

    // The stamp photo: white frame, sky, sun and a green hill.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(30, 66, 78, 96));
    p.setPen(QPen(QColor(150, 150, 150), 2));
    p.drawRect(QRectF(30, 66, 78, 96));
    const QRectF photo(38, 74, 62, 80);
    QLinearGradient sky(0, photo.top(), 0, photo.bottom());
    sky.setColorAt(0, QColor(110, 170, 235));
    sky.setColorAt(1, QColor(200, 230, 250));
    p.setPen(Qt::NoPen);
    p.fillRect(photo, sky);
    p.save();
    p.setClipRect(photo);
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QPointF(82, 94), 10, 10);
    p.setBrush(QColor(70, 150, 70));
    p.drawEllipse(QPointF(58, 160), 46, 34);
    p.setBrush(QColor(40, 115, 55));
    p.drawEllipse(QPointF(100, 166), 34, 30);
    p.restore();

    // Text lines: a bold name and thinner lines below it.
    p.setBrush(QColor(50, 56, 70));
    p.drawRoundedRect(QRectF(122, 76, 96, small ? 16 : 12), 5, 5);
    if (!small) {
        p.setBrush(QColor(110, 116, 130));
        for (int i = 0; i < 3; ++i)
            p.drawRoundedRect(QRectF(122, 104 + 18 * i, 86 - 14 * i, 8), 4, 4);
    }
    return image;
}

} // namespace ProgramIcon
