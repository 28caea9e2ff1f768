#pragma once

#include <QPointF>
#include <QString>
#include <QTransform>

class QPaintDevice;

// A printer's own error undone: every point p of the sheet, in millimetres from the
// page's origin, is drawn at shift + scale × p. The neutral correction (no shift, scale
// 1) draws the sheet exactly as the layout puts it.
struct PrinterCorrection {
    double shiftX = 0;
    double shiftY = 0;
    double scaleX = 1;
    double scaleY = 1;

    // What the user reads off the calibration sheet: how far the real corners fall
    // from the nominal ones, in millimetres, + to the right and downwards.
    struct Readings {
        QPointF topLeft;
        QPointF bottomRight;
    };
    // The largest reading the fields accept, either way.
    static constexpr double MaxReadingMm = 10;

    // The correction that moves the printed corners back onto the nominal ones. The
    // printer is taken to put a point p at a + k × p; the readings at the two nominal
    // corners give a and k, and the correction is its inverse, (p − a) / k. Corners
    // that coincide (no span to measure a scale over) leave the scale at 1.
    static PrinterCorrection fromReadings(const Readings &readings, QPointF nominalTopLeft,
                                          QPointF nominalBottomRight);

    bool isNeutral() const { return shiftX == 0 && shiftY == 0 && scaleX == 1 && scaleY == 1; }

    QPointF apply(QPointF mm) const { return {shiftX + scaleX * mm.x(), shiftY + scaleY * mm.y()}; }

    // The same on a device: the shift turned into device pixels through its resolution.
    QTransform deviceTransform(const QPaintDevice &device) const;

    // The line the print dialog shows: "Correctie: +0,6 / −0,4 mm, 100,3 %" (two
    // percentages when the scales differ), or "geen correctie".
    QString caption() const;
    // The same for the backs of the paper, below it: "Achterkant: +0,8 / −0,4 mm", the
    // percentages after it only where they differ from 100 %, or "Achterkant: geen
    // correctie".
    QString backCaption() const;

    bool operator==(const PrinterCorrection &) const = default;
};
