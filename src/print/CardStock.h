#pragma once

#include "core/PrintSettings.h"

#include <QList>
#include <QLocale>
#include <QRectF>
#include <QString>

// A sheet of pre-cut business cards as its maker publishes it: where the first card's
// cut corner lies on the A4 sheet, the card's size, the gaps between cards and how
// many cards the sheet holds. All in millimetres from the sheet's top-left corner, as
// exactly as the source gives them; the settings round them (settings()).
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
    // What the source calls the product, and the file it came from; both empty for the
    // sheets built into the program.
    QString description = {};
    QString source = {};

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

    // Where settings() had to round a figure by 0.005 mm or more, one entry per field
    // (A, B, C, D, H, V) with the figure and what the settings keep.
    struct Rounding {
        QString field;
        double exact;
        double kept;
    };
    QList<Rounding> roundings() const;
    // "Kaartpapier" shows it over the sheet's entry: the description, the source and
    // each rounding with how far it moves the field.
    QString toolTip() const;

    // The widely sold A4 sheets the margins dialog offers.
    static const QList<CardStock> &all();
};
