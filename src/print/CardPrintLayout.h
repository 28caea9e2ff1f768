#pragma once

#include <QPointF>
#include <QRectF>
#include <array>

// Where the parts of one card lie on paper, in millimetres from the card's top-left
// corner. Picture sizes are given in picture units, 3.8 to the millimetre.
namespace CardPrintLayout {

constexpr double PictureUnitsPerMm = 3.8;

// The stamp's rectangle for a layout; empty for the layouts without a stamp.
QRectF stampRect(int layoutKind);

// The top-left corner of text line 1..7. Each line starts at the previous line's top
// plus the step of that line's column; where a new column starts below the stamp the
// gap of that column is added on top.
QPointF textLinePlace(int layoutKind, int line);

// The outline: top, bottom, left and right bars, 0.5 mm thick and 2 mm inside the
// edges of a card of the given size.
std::array<QRectF, 4> borderBars(double cardWidth, double cardHeight);

} // namespace CardPrintLayout
