#include "assets/TemplatePictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <map>

namespace {

constexpr int W = 440;
constexpr int H = 270;

// The same sequence on every machine (std's distributions are not), so a template is
// the same file whoever builds it.
class Dice {
public:
    explicit Dice(quint32 seed)
        : m_state(seed)
    {
    }
    // 0 <= value < 1.
    double next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 24);
    }
    double between(double low, double high) { return low + (high - low) * next(); }

private:
    quint32 m_state;
};

QImage canvas()
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void verticalWash(QPainter &p, const QRectF &area, std::initializer_list<std::pair<double, QColor>> stops)
{
    QLinearGradient wash(area.topLeft(), area.bottomLeft());
    for (const auto &[at, colour] : stops)
        wash.setColorAt(at, colour);
    p.fillRect(area, wash);
}

// A sun going down over the sea: a warm sky from violet to gold, the sun half under the
// horizon on the right, its light in streaks on dark water. White lines read on the sky.
QImage sunset()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    constexpr double Horizon = 214;
    verticalWash(p, QRectF(0, 0, W, Horizon),
                 {{0.0, QColor(0x2b, 0x10, 0x55)}, {0.38, QColor(0x75, 0x2a, 0x7e)}, {0.66, QColor(0xd3, 0x46, 0x77)},
                  {0.86, QColor(0xf4, 0x8c, 0x58)}, {1.0, QColor(0xfb, 0xcf, 0x77)}});
    const QPointF sun(332, Horizon + 6);
    QRadialGradient glow(sun, 130);
    glow.setColorAt(0, QColor(255, 226, 140, 150));
    glow.setColorAt(1, QColor(255, 226, 140, 0));
    p.fillRect(QRectF(0, 0, W, Horizon), glow);
    p.save();
    p.setClipRect(QRectF(0, 0, W, Horizon));
    QRadialGradient disc(sun, 44);
    disc.setColorAt(0, QColor(0xff, 0xf6, 0xc8));
    disc.setColorAt(1, QColor(0xff, 0xc2, 0x5c));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(sun, 44, 44);
    p.restore();
    verticalWash(p, QRectF(0, Horizon, W, H - Horizon),
                 {{0.0, QColor(0x4a, 0x1f, 0x55)}, {1.0, QColor(0x1a, 0x0c, 0x2e)}});
    // The sun's path on the water: streaks that shorten and fade towards the shore.
    Dice dice(7);
    for (double y = Horizon + 4; y < H - 2; y += 5) {
        const double depth = (y - Horizon) / (H - Horizon);
        const double half = 48 * (1 - 0.55 * depth) * dice.between(0.55, 1.0);
        const double shift = dice.between(-10, 10);
        p.setPen(QPen(QColor(255, 196, 110, int(200 * (1 - depth))), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(sun.x() - half + shift, y), QPointF(sun.x() + half + shift, y));
    }
    return image;
}

// The sky after the sun has gone: deep blue above, a last warm glow low down, the first
// stars and a thin moon, a dark line of hills along the bottom.
QImage eveningSky()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    verticalWash(p, QRectF(0, 0, W, H),
                 {{0.0, QColor(0x0a, 0x16, 0x36)}, {0.45, QColor(0x1f, 0x3a, 0x74)}, {0.75, QColor(0x5d, 0x63, 0xa0)},
                  {0.92, QColor(0xc9, 0x8f, 0x9a)}, {1.0, QColor(0xee, 0xb0, 0x8a)}});
    Dice dice(11);
    p.setPen(Qt::NoPen);
    for (int star = 0; star < 70; ++star) {
        const double y = dice.between(4, 150);
        const double x = dice.between(4, W - 4);
        const double fade = 1 - y / 170; // fewer and fainter towards the glow
        p.setBrush(QColor(255, 255, 240, int(255 * fade * dice.between(0.35, 1.0))));
        const double r = dice.between(0.5, 1.4);
        p.drawEllipse(QPointF(x, y), r, r);
    }
    QPainterPath moon;
    moon.addEllipse(QPointF(378, 52), 15, 15);
    QPainterPath bite;
    bite.addEllipse(QPointF(385, 47), 13.5, 13.5);
    p.setBrush(QColor(0xfa, 0xf3, 0xd9));
    p.drawPath(moon.subtracted(bite));
    QPainterPath hills(QPointF(0, H));
    hills.lineTo(0, 252);
    hills.cubicTo(80, 236, 140, 258, 220, 250);
    hills.cubicTo(300, 242, 360, 232, W, 246);
    hills.lineTo(W, H);
    p.setBrush(QColor(0x14, 0x14, 0x2e));
    p.drawPath(hills);
    return image;
}

// A wave as a closed shape from its crest line down to the card's bottom edge.
QPainterPath wave(double level, double height, double length, double phase)
{
    QPainterPath path(QPointF(0, H));
    for (int x = 0; x <= W; x += 4)
        path.lineTo(x, level + height * std::sin((x / length + phase) * 2 * M_PI));
    path.lineTo(W, H);
    path.closeSubpath();
    return path;
}

// The sea under a light sky: four rows of waves, far ones pale and small, near ones
// deep blue, each with a line of foam. The sky leaves the upper part for dark text.
QImage sea()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    verticalWash(p, QRectF(0, 0, W, H), {{0.0, QColor(0xf4, 0xfa, 0xfc)}, {0.7, QColor(0xc9, 0xe8, 0xf2)}});
    const struct {
        double level, height, length, phase;
        QColor colour;
    } rows[] = {
        {196, 3, 150, 0.10, QColor(0x8f, 0xcf, 0xe0)},
        {212, 4, 190, 0.55, QColor(0x48, 0xa6, 0xc8)},
        {230, 5, 230, 0.20, QColor(0x22, 0x7a, 0xa8)},
        {249, 6, 270, 0.80, QColor(0x0f, 0x4c, 0x78)},
    };
    for (const auto &row : rows) {
        p.fillPath(wave(row.level, row.height, row.length, row.phase), row.colour);
        QPainterPath crest;
        for (int x = 0; x <= W; x += 4) {
            const QPointF at(x, row.level + row.height * std::sin((x / row.length + row.phase) * 2 * M_PI));
            if (x == 0)
                crest.moveTo(at);
            else
                crest.lineTo(at);
        }
        p.strokePath(crest, QPen(QColor(255, 255, 255, 170), 1.2));
    }
    return image;
}

// A frame of small stone tiles round a plain field, in the colours of southern
// mosaics: terracotta, ochre, olive, teal and a deep blue, between light grout.
QImage mosaic()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(0xfb, 0xf7, 0xee));
    const QColor stones[] = {QColor(0xc2, 0x5b, 0x3f), QColor(0xe0, 0xa1, 0x45), QColor(0x8a, 0x8f, 0x4a),
                             QColor(0x2c, 0x80, 0x82), QColor(0x1f, 0x42, 0x6b), QColor(0xd9, 0x7b, 0x57)};
    constexpr double Cell = 10; // 44 by 27 whole tiles
    constexpr int Band = 2; // tiles deep
    Dice dice(3);
    p.setPen(Qt::NoPen);
    for (int row = 0; row * Cell < H; ++row) {
        for (int column = 0; column * Cell < W; ++column) {
            const bool edge = row < Band || column < Band || (row + 1) * Cell > H - Band * Cell
                              || (column + 1) * Cell > W - Band * Cell;
            if (!edge)
                continue;
            const QColor stone = stones[int(dice.next() * 6)].lighter(int(dice.between(92, 112)));
            const double inset = dice.between(0.9, 1.8);
            p.setBrush(stone);
            p.drawRoundedRect(QRectF(column * Cell + inset, row * Cell + inset, Cell - 2 * inset, Cell - 2 * inset),
                              1.5, 1.5);
        }
    }
    p.setPen(QPen(QColor(0xc2, 0x5b, 0x3f), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(Band * Cell + 4.5, Band * Cell + 4.5, W - 2 * Band * Cell - 9, H - 2 * Band * Cell - 9));
    return image;
}

// Delft tiles, pale enough to write on: each tile a quarter circle in every corner, so
// that four tiles make a ring where they meet, and a small star in its middle.
QImage tiles()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    constexpr double Tile = 45;
    p.fillRect(image.rect(), QColor(0xd8, 0xd4, 0xca)); // the grout
    const QColor ink(0x9d, 0xb4, 0xd3);
    for (double y = -Tile / 2; y < H; y += Tile) {
        for (double x = -Tile / 2 + 5; x < W; x += Tile) {
            const QRectF tile(x + 0.75, y + 0.75, Tile - 1.5, Tile - 1.5);
            QLinearGradient glaze(tile.topLeft(), tile.bottomRight());
            glaze.setColorAt(0, QColor(0xfb, 0xfa, 0xf5));
            glaze.setColorAt(1, QColor(0xef, 0xec, 0xe2));
            p.fillRect(tile, glaze);
            p.save();
            p.setClipRect(tile);
            p.setPen(QPen(ink, 1.4));
            p.setBrush(Qt::NoBrush);
            for (const QPointF &corner : {tile.topLeft(), tile.topRight(), tile.bottomLeft(), tile.bottomRight()})
                p.drawEllipse(corner, 9, 9);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            QPainterPath star;
            const QPointF middle = tile.center();
            for (int point = 0; point < 8; ++point) {
                const double angle = point * M_PI / 4;
                const double r = point % 2 == 0 ? 6.5 : 2.5;
                const QPointF at = middle + QPointF(r * std::cos(angle), r * std::sin(angle));
                if (point == 0)
                    star.moveTo(at);
                else
                    star.lineTo(at);
            }
            star.closeSubpath();
            p.drawPath(star);
            p.restore();
        }
    }
    return image;
}

// Washes of pastel paint on white paper, heavier in two corners; the script then runs the
// program's Aquarel filter over it for the brush's texture.
QImage watercolour()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(0xfe, 0xfd, 0xfa));
    const QColor paints[] = {QColor(0xf2, 0x9e, 0xb4), QColor(0x9e, 0xc9, 0xe8), QColor(0xb9, 0xdc, 0xa8),
                             QColor(0xf6, 0xcf, 0x8e), QColor(0xc8, 0xb3, 0xe3)};
    Dice dice(5);
    p.setPen(Qt::NoPen);
    for (int blot = 0; blot < 46; ++blot) {
        // Half the washes in the top-left corner, half in the bottom-right.
        const bool topLeft = blot % 2 == 0;
        const double spread = dice.between(0, 1);
        const double along = dice.between(0, 1);
        const QPointF at = topLeft ? QPointF(20 + along * 200 * (1 - spread), 15 + spread * 130 * (1 - along))
                                   : QPointF(W - 20 - along * 220 * (1 - spread), H - 15 - spread * 140 * (1 - along));
        const double r = dice.between(28, 75);
        QColor paint = paints[int(dice.next() * 5)];
        QRadialGradient wash(at, r);
        paint.setAlpha(int(dice.between(100, 170)));
        wash.setColorAt(0, paint);
        wash.setColorAt(0.7, QColor(paint.red(), paint.green(), paint.blue(), paint.alpha() / 2));
        wash.setColorAt(1, QColor(paint.red(), paint.green(), paint.blue(), 0));
        p.setBrush(wash);
        p.drawEllipse(at, r, r * dice.between(0.7, 1.0));
    }
    return image;
}

// A halftone of dots on paper, large at the right-hand edge and fading to nothing
// towards the middle, on a grid turned by 45 degrees as a printer's screen is.
QImage dots()
{
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), QColor(0xfd, 0xfb, 0xf6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x7a, 0x8c));
    constexpr double Pitch = 13;
    for (int row = 0; row * Pitch / 2 < H + Pitch; ++row) {
        const double y = row * Pitch / 2;
        for (double x = (row % 2) * Pitch / 2; x < W + Pitch; x += Pitch) {
            const double share = (x - 230) / (W - 230); // 0 at the middle, 1 at the edge
            if (share <= 0)
                continue;
            const double r = 4.4 * std::pow(std::min(share, 1.0), 1.3);
            if (r >= 0.5)
                p.drawEllipse(QPointF(x, y), r, r);
        }
    }
    return image;
}

const std::map<QString, std::function<QImage()>> &drawings()
{
    static const std::map<QString, std::function<QImage()>> all = {
        {QStringLiteral("Zonsondergang"), sunset}, {QStringLiteral("Avondlucht"), eveningSky},
        {QStringLiteral("Zee"), sea},              {QStringLiteral("Mozaiek"), mosaic},
        {QStringLiteral("Tegels"), tiles},         {QStringLiteral("Aquarel"), watercolour},
        {QStringLiteral("Stippels"), dots},
    };
    return all;
}

} // namespace

namespace TemplatePictures {

QStringList names()
{
    return {QStringLiteral("Zonsondergang"), QStringLiteral("Avondlucht"), QStringLiteral("Zee"),
            QStringLiteral("Mozaiek"),       QStringLiteral("Tegels"),     QStringLiteral("Aquarel"),
            QStringLiteral("Stippels")};
}

QImage draw(const QString &name)
{
    const auto found = drawings().find(name);
    return found == drawings().end() ? QImage() : found->second();
}

} // namespace TemplatePictures
