#pragma once

#include "print/SheetGeometry.h"

// A sheet of 10 (90 x 50) or 8 (85 x 55) cards with margins and gaps, none of them zero,
// each a whole number of tenths of a millimetre so rendered edges fall on pixel edges.
inline SheetGeometry gappedSheet(int cards)
{
    SheetGeometry sheet;
    sheet.cardsPerSheet = cards;
    sheet.marginA = 12.5;
    sheet.marginB = 17.2;
    sheet.offsetH = 3.5;
    sheet.offsetV = 2;
    sheet.cardWidth = cards == 8 ? 85 : 90;
    sheet.cardHeight = cards == 8 ? 55 : 50;
    return sheet;
}
