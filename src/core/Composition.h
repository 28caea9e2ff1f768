#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the layers of the card stand for each layout, in canvas pixels.
namespace Composition {

constexpr int CanvasWidth = 440;
constexpr int CanvasHeight = 270;
constexpr QSize CanvasSize{CanvasWidth, CanvasHeight};
constexpr QRect OutlineRect{11, 11, 419, 249};
constexpr QSize PortraitStamp{140, 180};
constexpr QSize LandscapeStamp{180, 140};
// The print copies of the canvas and the stamp have this many pixels for each screen
// pixel along each axis: 1760 x 1080 for the canvas, about 500 ppi on a 90 mm card.
constexpr int PrintScale = 4;
constexpr QSize PrintCanvasSize = CanvasSize * PrintScale;

// Top-left corner of text line i (1..7) in layout kind (0..4).
QPoint textLinePosition(int kind, int line);
// The text column of line i in layout kind: from the line's left edge to the right
// edge a centred or right-aligned line keeps within, in canvas pixels. Beside a stamp
// it ends short of the stamp; elsewhere it mirrors the left margin, so a centred line
// of "Tekst Midden" stands in the middle of the card.
int textColumnRight(int kind, int line);
// Whether the layout shows the stamp box, and where.
bool hasStamp(int kind);
QRect stampRect(int kind);
// The frame picture index Img(n) the layout shows for a border style (1, 3, 5, 7).
int framePictureIndex(int kind, int stampBorderStyle);

} // namespace Composition
