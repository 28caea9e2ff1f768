#pragma once

#include <QFont>
#include <QRect>

class CardDocument;
class QPaintDevice;
class QPainter;
struct CardState;

// The one routine that draws the card as the designer shows it. Everything is in
// canvas pixels (440 x 270); a scaled painter draws the same card at its own
// resolution, pictures smoothly scaled and text as real text.
namespace CardPainter {

// Bottom to top: the canvas image, the outline when it is on, the seven text lines
// (transparent, the card's font and colour), the opaque stamp box when it is shown.
// With Pictures::Print the canvas and stamp are drawn from their print copies where the
// card has them, for a painter that draws the card larger than the screen.
enum class Pictures { Screen, Print };
void paint(QPainter &painter, const CardDocument &document, Pictures pictures = Pictures::Screen);

// The card's font for drawing on device. Sizes are points on a 96 dots per inch card,
// so a line is as large on the card whatever the device's resolution.
QFont textFont(const CardState &state, const QPaintDevice &device);

// Where text line 1..7 stands and how large its text is, in canvas pixels: the place
// a label sized to its text would take.
QRect textLineRect(const CardState &state, int line);

} // namespace CardPainter
