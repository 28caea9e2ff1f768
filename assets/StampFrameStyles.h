#pragma once

#include <QImage>

#include <initializer_list>

// One painter per border style. Each gets a white picture of the frame's size and
// draws the frame line with its light-grey inside onto it.
namespace StampFrameStyles {

void paintSingle(QImage &image);
void paintPerforated(QImage &image);
void paintDouble(QImage &image);
void paintSquareTeeth(QImage &image);

// Tints the light-grey inside along the frame line: the first colour on the inside
// pixels touching anything else, the next colour one pixel further in, and so on.
void shadeAlongLine(QImage &image, std::initializer_list<QRgb> bands);

} // namespace StampFrameStyles
