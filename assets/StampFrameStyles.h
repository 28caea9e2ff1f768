#pragma once

#include <QImage>

#include <initializer_list>

// One painter per border style. Each gets a white picture of the frame's size times
// scale and draws the frame line with its light-grey inside onto it; at scale s every
// length of the frame's geometry (margins, lines, teeth, shading bands) is s times the
// screen frame's, drawn at that size rather than enlarged, so paper gets crisp edges.
namespace StampFrameStyles {

void paintSingle(QImage &image, int scale);
void paintPerforated(QImage &image, int scale);
void paintDouble(QImage &image, int scale);
void paintSquareTeeth(QImage &image, int scale);

// Tints the light-grey inside along the frame line: the first colour on the inside
// pixels touching anything else, the next colour one pixel further in, and so on; at
// a scale, each band is that many pixels deep.
void shadeAlongLine(QImage &image, std::initializer_list<QRgb> bands, int scale = 1);

} // namespace StampFrameStyles
