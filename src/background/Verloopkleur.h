#pragma once

#include <QImage>
#include <QSize>

namespace Gradients {
constexpr int First = 1;
constexpr int Last = 42;
constexpr QSize CardSize{440, 270};
constexpr QSize PreviewSize{220, 135};
} // namespace Gradients

// Draws gradient n (1..42) over the whole target, on top of what it shows: six line
// patterns times seven colour schemes, n = 7 * (pattern - 1) + scheme. The picture's
// own size is the drawing size; a picture that is not 32-bit is converted first.
// Returns false, drawing nothing, for a number outside 1..42 or a null picture.
bool Verloopkleur(QImage &target, int n);
