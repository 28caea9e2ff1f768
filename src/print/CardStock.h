#pragma once

#include "core/PrintSettings.h"

#include <QList>
#include <QLocale>
#include <QRectF>
#include <QString>

// A sheet of pre-cut business cards as its maker publishes it: where the first card's
// cut corner lies on the A4 sheet, the card's size, the gaps between cards and how
// many cards the sheet holds. All in millimetres from the sheet's top-left corner.
struct CardStock {
    QString maker;
    QString productCode;
    double left;
    double top;
    double cardWidth;
    double cardHeight;
    double columnGap;
    double rowGap;
    int cards;

    // "Kaartpapier" shows it as "Maker code (85 × 54 mm, 10)".
    QString caption() const;

    // The cut rectangles of the cards in reading order, two to a row.
    QList<QRectF> cutRectangles() const;

    // The print settings that put every card on its cut rectangle on a printer without
    // error. The layout starts 3 mm left of and 4 mm above the margins, so the margins
    // are the stock's plus those; the gap between columns is a whole number of
    // millimetres in the settings. Texts are written with the locale's decimal separator,
    // rounded to a tenth so they pass the field check.
    PrintSettings settings(const QLocale &locale) const;

    // The widely sold A4 sheets the margins dialog offers.
    static const QList<CardStock> &all();
};
