#include "assets/PictureMakers.h"

#include <QLinearGradient>
#include <QPainter>

// A small desk printer seen from the front, a sheet going in at the back and a
// printed one coming out at the front.
namespace PictureMakers {

QImage makePrinterPicture()
{
    QImage image(80, 43, QImage::Format_RGB32);
    image.fill(QColor(240, 240, 240));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor edge(84, 90, 102);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(24.5, 1.5, 31, 14));

    QLinearGradient body(0, 11, 0, 36);
    body.setColorAt(0.0, QColor(222, 226, 232));
    body.setColorAt(1.0, QColor(144, 150, 162));
    p.setPen(QPen(edge, 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(5.5, 11.5, 69, 24), 4, 4);
    p.setPen(QPen(QColor(250, 250, 252), 1));
    p.drawLine(QPointF(9, 13.5), QPointF(71, 13.5));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(46, 50, 58));
    p.drawRoundedRect(QRectF(16, 25, 48, 3), 1.5, 1.5);
    p.setBrush(QColor(60, 200, 90));
    p.drawEllipse(QPointF(67, 18.5), 2, 2);
    p.setBrush(QColor(110, 116, 128));
    p.drawRoundedRect(QRectF(56, 17, 6, 3), 1, 1);

    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    const QPointF sheet[] = {{22.5, 27}, {57.5, 27}, {61.5, 41.5}, {18.5, 41.5}};
    p.drawPolygon(sheet, 4);
    p.setPen(QPen(QColor(120, 140, 190), 1));
    for (double y : {31.5, 34.5, 37.5})
        p.drawLine(QPointF(27 - (y - 27) * 0.2, y), QPointF(48 + (y - 27) * 0.2, y));

    p.setPen(QPen(QColor(180, 180, 180), 1));
    for (double y : {5.5, 8.5})
        p.drawLine(QPointF(28, y), QPointF(50, y));
    return image;
}

} // namespace PictureMakers
