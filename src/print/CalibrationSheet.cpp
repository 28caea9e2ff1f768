#include "print/CalibrationSheet.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <initializer_list>

namespace CalibrationSheet {

namespace {

class Millimetres {
public:
    explicit Millimetres(const QPaintDevice &device)
        : m_x(device.logicalDpiX() / 25.4), m_y(device.logicalDpiY() / 25.4)
    {
    }
    QPointF point(double x, double y) const { return {x * m_x, y * m_y}; }
    QRectF rect(const QRectF &mm) const
    {
        return {point(mm.left(), mm.top()), point(mm.right(), mm.bottom())};
    }
    double width(double mm) const { return mm * m_x; }

private:
    double m_x;
    double m_y;
};

double tickLength(int halfSteps)
{
    if (halfSteps == 0)
        return CornerTickMm;
    return (halfSteps % 2 == 0) ? WholeTickMm : HalfTickMm;
}

// Figures every millimetre, on two levels so that neighbours do not run into each other.
double figureDistance(int millimetre)
{
    return (millimetre % 2 == 0) ? 2.0 : 3.9;
}

QString figureText(int millimetre)
{
    return millimetre < 0 ? QStringLiteral("\u2212%1").arg(-millimetre) : QString::number(millimetre);
}

void drawLine(QPainter &painter, const Millimetres &mm, double x1, double y1, double x2, double y2)
{
    painter.drawLine(mm.point(x1, y1), mm.point(x2, y2));
}

void drawFigure(QPainter &painter, const Millimetres &mm, QPointF centre, int millimetre)
{
    // A box wide and high enough for the figure, centred on its place.
    const QRectF box(centre - QPointF(1.5, 1.0), QSizeF(3.0, 2.0));
    painter.drawText(mm.rect(box), Qt::AlignCenter, figureText(millimetre));
}

void drawRulers(QPainter &painter, const Millimetres &mm, QPointF corner)
{
    const int reach = int(RulerReachMm / TickStepMm);
    const double cx = corner.x();
    const double cy = corner.y();
    drawLine(painter, mm, cx - RulerReachMm, cy, cx + RulerReachMm, cy);
    drawLine(painter, mm, cx, cy - RulerReachMm, cx, cy + RulerReachMm);
    for (int step = -reach; step <= reach; ++step) {
        const double offset = step * TickStepMm;
        const double length = tickLength(step);
        // Horizontal ruler: ticks across its line at cx + offset.
        const double down = (step < 0) ? length : (step > 0 ? -length : length);
        if (step == 0)
            drawLine(painter, mm, cx, cy - length, cx, cy + length);
        else
            drawLine(painter, mm, cx + offset, cy, cx + offset, cy + down);
        // Vertical ruler: ticks across its line at cy + offset.
        const double right = (step < 0) ? -length : length;
        if (step == 0)
            drawLine(painter, mm, cx - length, cy, cx + length, cy);
        else
            drawLine(painter, mm, cx, cy + offset, cx + right, cy + offset);

        if (step % 2 != 0 || step == 0)
            continue;
        const int millimetre = step / 2;
        const double side = (step < 0) ? 1 : -1;
        drawFigure(painter, mm, QPointF(cx + offset, cy + side * figureDistance(millimetre)), millimetre);
        drawFigure(painter, mm, QPointF(cx - side * figureDistance(millimetre) - 0.5 * side, cy + offset),
                   millimetre);
    }
}

QString instruction(const QString &printerName)
{
    return QStringLiteral(
               "Testpagina Lumovander, printer: %1 (afgedrukt zonder correctie).\n"
               "1. Leg dit vel precies op een vel kaartpapier en houd het tegen het licht, of druk deze "
               "pagina af op het kaartpapier zelf.\n"
               "2. Lees op de linialen linksboven en rechtsonder af waar de echte hoek van het kaartje valt, "
               "in mm: + is naar rechts en naar beneden.\n"
               "3. Vul de vier waarden in bij Afdruk Marges, onder Correctie, en kies Opslaan.")
        .arg(printerName.isEmpty() ? QStringLiteral("PDF") : printerName);
}

QString duplexInstruction(const QString &printerName, Duplex edge)
{
    return QStringLiteral(
               "Testpagina dubbelzijdig, printer: %1, omslaan over de %2 kant.\n"
               "1. Houd het vel tegen het licht, met deze kant naar u toe.\n"
               "2. Lees bij elk van de twee kruisen op de achterkant op de linialen af hoe ver het kruis "
               "van het midden valt, in mm: + is naar rechts en naar beneden.\n"
               "3. Vul de waarden in bij Afdruk Marges, onder Achterkant, en kies Opslaan.")
        .arg(printerName.isEmpty() ? QStringLiteral("PDF") : printerName,
             edge == Duplex::ShortEdge ? QStringLiteral("korte") : QStringLiteral("lange"));
}

QPen hairlinePen(const Millimetres &mm, double widthMm = LineWidthMm)
{
    QPen pen(Qt::black);
    pen.setWidthF(mm.width(widthMm));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// A test page's front: every card place's outline, a pair of rulers crossing at each of
// the places, and the instruction inside a card place away from the rulers, when there
// is one.
void drawRulerPage(QPainter &painter, const SheetGeometry &sheet, std::initializer_list<QPointF> crossings,
                   const QString &instructionText)
{
    painter.save();
    const Millimetres mm(*painter.device());
    painter.setPen(hairlinePen(mm));
    painter.setBrush(Qt::NoBrush);

    const QList<QPointF> corners = sheet.cardCorners();
    for (const QPointF &c : corners)
        painter.drawRect(mm.rect(QRectF(c, QSizeF(sheet.cardWidth, sheet.cardHeight))));

    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 4));
    for (const QPointF &crossing : crossings)
        drawRulers(painter, mm, crossing);

    if (corners.size() > 2) {
        const QRectF place = QRectF(corners.at(1), QSizeF(sheet.cardWidth, sheet.cardHeight)).adjusted(3, 3, -3, -3);
        painter.setFont(QFont(QStringLiteral("Liberation Sans"), 6));
        painter.drawText(mm.rect(place), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, instructionText);
    }
    painter.restore();
}

} // namespace

Corners nominalCorners(const SheetGeometry &sheet)
{
    const QList<QPointF> corners = sheet.cardCorners();
    Corners result;
    if (corners.isEmpty())
        return result;
    result.topLeft = corners.first();
    const QSizeF card(sheet.cardWidth, sheet.cardHeight);
    result.bottomRight = corners.first() + QPointF(card.width(), card.height());
    for (const QPointF &c : corners) {
        const QPointF end = c + QPointF(card.width(), card.height());
        if (end.x() + end.y() > result.bottomRight.x() + result.bottomRight.y())
            result.bottomRight = end;
    }
    return result;
}

void draw(QPainter &painter, const SheetGeometry &sheet, const QString &printerName)
{
    const Corners nominal = nominalCorners(sheet);
    drawRulerPage(painter, sheet, {nominal.topLeft, nominal.bottomRight}, instruction(printerName));
}

Corners duplexMarks(const SheetGeometry &sheet)
{
    const Corners corners = nominalCorners(sheet);
    const QPointF half(sheet.cardWidth / 2, sheet.cardHeight / 2);
    return {corners.topLeft + half, corners.bottomRight - half};
}

void drawDuplexFront(QPainter &painter, const SheetGeometry &sheet, const QString &printerName, Duplex edge)
{
    const Corners marks = duplexMarks(sheet);
    drawRulerPage(painter, sheet, {marks.topLeft, marks.bottomRight}, duplexInstruction(printerName, edge));
}

void drawDuplexBack(QPainter &painter, const SheetGeometry &sheet, Duplex edge, QPointF printableCorner)
{
    painter.save();
    const Millimetres mm(*painter.device());
    // Bolder than the front's rulers, so that it shows through the paper.
    painter.setPen(hairlinePen(mm, 3 * LineWidthMm));
    const Corners marks = duplexMarks(sheet);
    for (const QPointF &mark : {marks.topLeft, marks.bottomRight}) {
        const QPointF behind = backCornerOnPage(printableCorner + mark, QSizeF(0, 0), edge) - printableCorner;
        drawLine(painter, mm, behind.x() - RulerReachMm, behind.y(), behind.x() + RulerReachMm, behind.y());
        drawLine(painter, mm, behind.x(), behind.y() - RulerReachMm, behind.x(), behind.y() + RulerReachMm);
    }
    painter.restore();
}

PrinterCorrection backCorrection(const PrinterCorrection::Readings &seenFromFront, const SheetGeometry &sheet,
                                 Duplex edge, QPointF printableCorner)
{
    const Corners marks = duplexMarks(sheet);
    const auto behind = [&](QPointF mark) {
        return backCornerOnPage(printableCorner + mark, QSizeF(0, 0), edge) - printableCorner;
    };
    const auto onBack = [edge](QPointF reading) {
        return edge == Duplex::ShortEdge ? QPointF(reading.x(), -reading.y()) : QPointF(-reading.x(), reading.y());
    };
    return PrinterCorrection::fromReadings({onBack(seenFromFront.topLeft), onBack(seenFromFront.bottomRight)},
                                           behind(marks.topLeft), behind(marks.bottomRight));
}

} // namespace CalibrationSheet
