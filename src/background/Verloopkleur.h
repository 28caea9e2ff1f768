#pragma once

#include <QImage>
#include <QMargins>
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

// The number of the gradient a card-sized picture shows pixel for pixel, i.e. one that
// was the last thing drawn on the card; 0 for any other picture.
int shownGradient(const QImage &picture);

// Gradient n as it runs on beyond the card, for a print shop's bleed: a picture the card's
// size grown by `beyond`, the card's corner at (beyond.left(), beyond.top()). Within the
// card it is exactly what Verloopkleur draws on a card; outside, each pattern's own rule
// (the row, the column, the diagonal, the distance to the nearest edge) goes on, its value
// held within 0..255 as on the card. Null for a number outside 1..42 or a negative margin.
QImage gradientBeyond(int n, const QMargins &beyond);
