#pragma once

#include "core/PrintSettings.h"

#include <QList>
#include <QPointF>

// The print settings as the numbers printing works with, in millimetres. Texts typed in
// the margins dialog are converted here; a text that is no number (a settings file
// edited by hand) or a value outside its range counts as that setting's default, and a
// card count other than 10 or 8 as 10, so a sheet can always be laid out. The defaults
// and ranges are those of SheetSettings.
struct SheetGeometry {
    double marginA;
    double marginB;
    double cardWidth;
    double cardHeight;
    double offsetH;
    int offsetV;
    int cardsPerSheet;

    // The sheet of the default settings.
    SheetGeometry();
    static SheetGeometry from(const PrintSettings &settings);

    // The top-left corners of the cards in reading order, in millimetres from the
    // printable area's corner. The cursor starts 3 mm left of and 4 mm above the
    // margins and wraps to a new row once it has passed 150 mm.
    QList<QPointF> cardCorners() const;

private:
    explicit SheetGeometry(const PrintSettings &settings);
};
