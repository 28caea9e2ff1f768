#include "assets/DrawingFont.h"
#include "assets/PictureMakers.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <initializer_list>

// A quiet evening landscape with a card in the sky that asks for a photo.
namespace {

constexpr int width = 230;
constexpr int height = 420;
constexpr double horizon = 262;

void paintSky(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0.0, QColor(104, 150, 196));
    sky.setColorAt(0.55, QColor(182, 208, 226));
    sky.setColorAt(1.0, QColor(250, 224, 192));
    p.fillRect(QRectF(0, 0, width, horizon), sky);

    QRadialGradient glow(QPointF(160, 222), 70);
    glow.setColorAt(0.0, QColor(255, 246, 220, 230));
    glow.setColorAt(0.25, QColor(255, 236, 200, 150));
    glow.setColorAt(1.0, QColor(255, 230, 200, 0));
    p.fillRect(QRectF(0, 140, width, horizon - 140), glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 248, 226));
    p.drawEllipse(QPointF(160, 222), 13, 13);
}

// A ridge through the given points, smoothed, closed along the bottom of the picture.
QPainterPath ridge(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    auto it = points.begin();
    path.moveTo(*it);
    for (QPointF previous = *it++; it != points.end(); previous = *it++) {
        const double midX = (previous.x() + it->x()) / 2;
        path.cubicTo(QPointF(midX, previous.y()), QPointF(midX, it->y()), *it);
    }
    path.lineTo(width, height);
    path.lineTo(0, height);
    path.closeSubpath();
    return path;
}

void paintLand(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.fillPath(ridge({{0, 214}, {40, 196}, {78, 222}, {120, 190}, {170, 226}, {206, 208}, {230, 218}}),
               QColor(150, 166, 194));
    p.fillPath(ridge({{0, 240}, {52, 226}, {110, 246}, {160, 236}, {230, 250}}), QColor(124, 150, 150));

    QLinearGradient water(0, horizon, 0, 300);
    water.setColorAt(0.0, QColor(236, 222, 204));
    water.setColorAt(1.0, QColor(132, 170, 200));
    p.fillRect(QRectF(0, horizon, width, 40), water);
    p.setPen(QPen(QColor(255, 246, 226, 170), 1));
    for (double y : {268.5, 274.5, 281.5})
        p.drawLine(QPointF(130 + (y - 268) * 1.5, y), QPointF(190 - (y - 268) * 1.5, y));

    p.setPen(Qt::NoPen);
    QLinearGradient meadow(0, 290, 0, height);
    meadow.setColorAt(0.0, QColor(122, 162, 104));
    meadow.setColorAt(1.0, QColor(62, 104, 62));
    p.fillPath(ridge({{0, 300}, {70, 286}, {150, 304}, {230, 292}}), meadow);
    p.fillPath(ridge({{0, 356}, {90, 338}, {170, 360}, {230, 350}}), QColor(70, 112, 66, 200));
}

void paintTree(QPainter &p, QPointF foot, double size)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(82, 62, 44));
    p.drawRect(QRectF(foot.x() - size * 0.06, foot.y() - size * 0.3, size * 0.12, size * 0.3));
    p.setBrush(QColor(44, 86, 52));
    p.drawEllipse(QPointF(foot.x(), foot.y() - size * 0.62), size * 0.3, size * 0.38);
    p.setBrush(QColor(60, 108, 62));
    p.drawEllipse(QPointF(foot.x() - size * 0.08, foot.y() - size * 0.7), size * 0.16, size * 0.2);
}

void paintBirds(QPainter &p)
{
    p.setPen(QPen(QColor(60, 70, 90), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (QPointF at : {QPointF(60, 212), QPointF(74, 204), QPointF(84, 216)}) {
        QPainterPath wing;
        wing.moveTo(at + QPointF(-5, -2));
        wing.quadTo(at + QPointF(-2, -3), at);
        wing.quadTo(at + QPointF(2, -3), at + QPointF(5, -2));
        p.drawPath(wing);
    }
}

// A small camera on a translucent card with the name of what belongs here.
void paintInvitation(QPainter &p)
{
    const QRectF card(28, 44, 174, 128);
    p.setPen(QPen(QColor(255, 255, 255, 220), 1));
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawRoundedRect(card, 10, 10);

    const QPointF camera(card.center().x(), 84);
    p.setPen(QPen(QColor(52, 72, 96), 2));
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawRoundedRect(QRectF(camera.x() - 22, camera.y() - 14, 44, 30), 5, 5);
    p.drawRect(QRectF(camera.x() - 8, camera.y() - 19, 16, 5));
    p.drawEllipse(camera + QPointF(0, 1), 9, 9);
    p.setBrush(QColor(52, 72, 96));
    p.drawEllipse(camera + QPointF(0, 1), 3.5, 3.5);

    p.setPen(QColor(40, 60, 84));
    p.setFont(drawingFont(24, true));
    p.drawText(QRectF(card.left(), 110, card.width(), 30), Qt::AlignCenter, QStringLiteral("Zegelfoto"));
    p.setPen(QColor(64, 84, 108));
    p.setFont(drawingFont(11));
    p.drawText(QRectF(card.left(), 140, card.width(), 18), Qt::AlignCenter,
               QStringLiteral("Zegelfoto \u203a Foto Inladen"));
}

} // namespace

namespace PictureMakers {

QImage makeStartPicture()
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintSky(p);
    paintLand(p);
    paintTree(p, {38, 322}, 46);
    paintTree(p, {58, 326}, 34);
    paintTree(p, {196, 372}, 58);
    paintBirds(p);
    paintInvitation(p);
    return image;
}

} // namespace PictureMakers
