#pragma once

#include "core/CardDesign.h"

#include <QRectF>
#include <QSizeF>
#include <array>
#include <vector>

class QPaintDevice;
struct Card;
struct SheetGeometry;

// Where the items of a face stand as one view of it shows them, in canvas pixels: the
// units every place, move and size of the card is stored in, so that editing works alike
// in either view. On the designer's canvas they are the canvas's own places; in the
// printed view the canvas's 440 x 270 pixels stretch over the card's C x D millimetres
// (as paper maps what was moved and placed), and each line stands at its printed place
// in its printed size.
struct FaceGeometry {
    std::array<QRectF, 8> lines;  // 1..7: the text, or an empty line's whole column
    std::array<double, 8> ascents{}; // 1..7: from a line's top to its baseline
    QRectF stamp;                 // where the stamp box stands, moved or not
    QRectF outline;               // the outline's outer edge
    std::vector<QRectF> objects;

    // A line's text, the stamp box or an object; empty for an item the face lacks.
    QRectF itemRect(CardItem item) const;

    // card: the shown face as front (CardDocument::shownCard).
    static FaceGeometry ofCanvas(const Card &card);
    // As sheet prints it, measured on device (the printed view's, at its resolution).
    static FaceGeometry ofPaper(const Card &card, const SheetGeometry &sheet, const QPaintDevice &device);
};
