#include "print/PrinterCorrection.h"

#include <QLocale>
#include <cmath>
#include <QPaintDevice>

namespace {

// One axis: nominal places n1 and n2 printed at n1 + d1 and n2 + d2. Either may come
// first: a back page's places are mirrored.
void solveAxis(double n1, double d1, double n2, double d2, double &shift, double &scale)
{
    const double span = n2 - n1;
    double k = (std::abs(span) > 1e-9) ? (span + d2 - d1) / span : 1.0;
    if (k <= 0) // readings that fold the page over themselves measure nothing
        k = 1.0;
    const double a = n1 + d1 - k * n1;
    scale = 1.0 / k;
    shift = -a / k;
}

// The Dutch way of writing a figure: a decimal comma and a real minus sign.
QString figure(double value, bool withSign)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    QString text = dutch.toString(std::abs(value), 'f', 1);
    const bool zero = text == dutch.toString(0.0, 'f', 1);
    if (value < 0 && !zero)
        return QStringLiteral("\u2212") + text;
    return (withSign ? QStringLiteral("+") : QString()) + text;
}

} // namespace

PrinterCorrection PrinterCorrection::fromReadings(const Readings &readings, QPointF nominalTopLeft,
                                                  QPointF nominalBottomRight)
{
    PrinterCorrection c;
    solveAxis(nominalTopLeft.x(), readings.topLeft.x(), nominalBottomRight.x(), readings.bottomRight.x(), c.shiftX,
              c.scaleX);
    solveAxis(nominalTopLeft.y(), readings.topLeft.y(), nominalBottomRight.y(), readings.bottomRight.y(), c.shiftY,
              c.scaleY);
    return c;
}

QTransform PrinterCorrection::deviceTransform(const QPaintDevice &device) const
{
    const double pixelsPerMmX = device.logicalDpiX() / 25.4;
    const double pixelsPerMmY = device.logicalDpiY() / 25.4;
    return QTransform(scaleX, 0, 0, scaleY, shiftX * pixelsPerMmX, shiftY * pixelsPerMmY);
}

namespace {

// "+0,6 / −0,4 mm"
QString shiftText(const PrinterCorrection &c)
{
    return QStringLiteral("%1 / %2 mm").arg(figure(c.shiftX, true), figure(c.shiftY, true));
}

// "100,3 %", or "100,5 / 99,7 %" when the scales differ.
QString scaleText(const PrinterCorrection &c)
{
    QString scales = figure(c.scaleX * 100, false);
    if (figure(c.scaleY * 100, false) != scales)
        scales += QStringLiteral(" / ") + figure(c.scaleY * 100, false);
    return scales + QStringLiteral(" %");
}

} // namespace

QString PrinterCorrection::caption() const
{
    if (isNeutral())
        return QStringLiteral("geen correctie");
    return QStringLiteral("Correctie: %1, %2").arg(shiftText(*this), scaleText(*this));
}

QString PrinterCorrection::backCaption() const
{
    if (isNeutral())
        return QStringLiteral("Achterkant: geen correctie");
    const QString scales = scaleText(*this);
    const bool unscaled = scales == scaleText(PrinterCorrection());
    return QStringLiteral("Achterkant: ") + shiftText(*this) + (unscaled ? QString() : QStringLiteral(", ") + scales);
}
