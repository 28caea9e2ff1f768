#include "assets/DrawingFont.h"
#include "assets/PictureMakers.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

// The top-left part of a sheet of pre-cut cards with the six measures of the margins
// dialog: A left margin, B top margin, C card width, D card height, H distance between
// two rows, V distance between two columns. Distances are exaggerated to fit arrows.
namespace {

constexpr int width = 240;
constexpr int height = 260;
constexpr int sheetEdge = 12;
constexpr int marginA = 26;
constexpr int marginB = 30;
constexpr int cardWidth = 100;
constexpr int cardHeight = 60;
constexpr int gapV = 16;
constexpr int gapH = 16;

const QColor letterRed(200, 0, 0);
const QColor arrowInk(36, 48, 72);

QRect card(int column, int row)
{
    return QRect(sheetEdge + marginA + column * (cardWidth + gapV),
                 sheetEdge + marginB + row * (cardHeight + gapH), cardWidth, cardHeight);
}

void paintSheet(QPainter &p)
{
    p.fillRect(QRect(0, 0, width, height), QColor(206, 212, 222));
    p.fillRect(QRect(sheetEdge + 2, sheetEdge + 2, width, height), QColor(168, 174, 186));
    p.fillRect(QRect(sheetEdge, sheetEdge, width, height), Qt::white);

    p.setFont(drawingFont(11));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 2; ++column) {
            const QRect c = card(column, row);
            p.fillRect(c, QColor(252, 248, 236));
            p.setPen(QColor(150, 150, 150));
            p.drawRect(c.adjusted(0, 0, -1, -1));
            p.setPen(QColor(110, 120, 140));
            p.drawText(c.adjusted(7, 5, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                       QStringLiteral("Marges in mm"));
        }
    }
}

void arrowHead(QPainter &p, QPointF tip, QPointF from)
{
    const QPointF along = tip - from;
    const double length = std::hypot(along.x(), along.y());
    const QPointF unit = along / length;
    const QPointF across(-unit.y(), unit.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - unit * 5 + across * 2.5);
    head.lineTo(tip - unit * 5 - across * 2.5);
    head.closeSubpath();
    p.fillPath(head, arrowInk);
}

// A measuring arrow with a head at each end, touching the two edges it measures.
void measure(QPainter &p, QPointF from, QPointF to)
{
    p.setPen(QPen(arrowInk, 1));
    p.drawLine(from, to);
    arrowHead(p, from, to);
    arrowHead(p, to, from);
}

void letter(QPainter &p, QPointF centre, QChar name)
{
    p.setFont(drawingFont(13, true));
    p.setPen(letterRed);
    p.drawText(QRectF(centre.x() - 8, centre.y() - 8, 16, 16), Qt::AlignCenter, QString(name));
}

void paintMeasures(QPainter &p)
{
    const QRect first = card(0, 0);
    const QRect right = card(1, 0);
    const QRect below = card(0, 1);

    const double acrossRow = first.top() + 30.5;
    measure(p, {double(sheetEdge), acrossRow}, {double(first.left()), acrossRow});
    letter(p, {sheetEdge + marginA / 2.0, acrossRow - 9}, 'A');

    const double downColumn = first.left() + 60.5;
    measure(p, {downColumn, double(sheetEdge)}, {downColumn, double(first.top())});
    letter(p, {downColumn + 10, sheetEdge + marginB / 2.0}, 'B');

    const double cardFoot = first.bottom() - 8.5;
    measure(p, {double(first.left()), cardFoot}, {first.right() + 1.0, cardFoot});
    letter(p, {first.left() + 40.0, cardFoot - 10}, 'C');

    const double cardSide = below.right() - 14.5;
    measure(p, {cardSide, double(below.top())}, {cardSide, below.bottom() + 1.0});
    letter(p, {cardSide - 11, below.top() + 34.0}, 'D');

    const double betweenRows = first.left() + 24.5;
    measure(p, {betweenRows, first.bottom() + 1.0}, {betweenRows, double(below.top())});
    letter(p, {betweenRows + 11, (first.bottom() + below.top()) / 2.0 + 1}, 'H');

    const double betweenColumns = first.top() + 44.5;
    measure(p, {first.right() + 1.0, betweenColumns}, {double(right.left()), betweenColumns});
    letter(p, {(first.right() + 1 + right.left()) / 2.0, betweenColumns - 10}, 'V');
}

} // namespace

namespace PictureMakers {

QImage makeMarginsDiagram()
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    paintSheet(p);
    p.setRenderHint(QPainter::Antialiasing);
    paintMeasures(p);
    return image;
}

} // namespace PictureMakers
