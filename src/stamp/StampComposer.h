#pragma once

#include <QImage>
#include <QRect>

// The stamp `Orgineel` made from a cut: the frame picture of the border style, drawn
// 1:1, with the cut photo stretched into the frame's photo window.
namespace StampComposer {

constexpr QRect PortraitWindow{8, 8, 124, 164};
constexpr QRect LandscapeWindow{8, 8, 164, 124};

// The stamp for a layout (2 and 4 portrait 140 x 180, 3 landscape 180 x 140) and a
// border style (1, 3, 5, 7); a null image for layouts without a stamp.
QImage compose(int layoutKind, int stampBorderStyle, const QImage &crop);

// The same stamp at Composition::PrintScale: the frame drawn at that scale with the
// print crop (already the size of the scaled photo window) copied 1:1 into its window.
QImage composePrint(int layoutKind, int stampBorderStyle, const QImage &printCrop);
// The size of the photo window of the layout's print stamp.
QSize printWindowSize(int layoutKind);

} // namespace StampComposer
