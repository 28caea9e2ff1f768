#pragma once

#include "core/PrintSettings.h"
#include "print/PrinterCorrection.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

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

    // The A4 portrait page, in millimetres.
    static constexpr QSizeF PageSize{210, 297};

    // The cards, numbered from 1 in reading order, that do not lie wholly on the page
    // when its printable area starts at printableCorner (millimetres from the page's
    // corner) and the printer's correction moves what is drawn. The page itself cuts
    // them off; this is only to say so.
    QList<int> cardsOffPage(QPointF printableCorner = {}, const PrinterCorrection &correction = {}) const;

private:
    explicit SheetGeometry(const PrintSettings &settings);
};

// The print dialog's line for cards off the page: "Kaart 2 valt buiten het A4-vel ..."
// or "Kaarten 2, 4 en 6 vallen ..."; empty when there are none.
QString offPageWarning(const QList<int> &cards);
