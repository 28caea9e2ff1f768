#pragma once

#include "core/DesignPainter.h"

#include <QFont>
#include <QRect>

class CardDocument;
class QPaintDevice;
class QPainter;
struct Card;
struct CardFace;
class StampBox;
struct CardState;

// The one routine that draws the card as the designer shows it. Everything is in
// canvas pixels (440 x 270); a scaled painter draws the same card at its own
// resolution, pictures smoothly scaled and text as real text.
namespace CardPainter {

// Bottom to top: the canvas image, the outline when it is on, the placed objects (a
// logo), the seven text lines (transparent, each in its own font and colour or the
// card's), the opaque stamp box when it is shown.
// With Pictures::Print the canvas and stamp are drawn from their print copies where the
// card has them, for a painter that draws the card larger than the screen.
enum class Pictures { Screen, Print };
// The side the document shows.
void paint(QPainter &painter, const CardDocument &document, Pictures pictures = Pictures::Screen);
// One face; the stamp box, when given, on top (the front's).
void paintFace(QPainter &painter, const CardFace &face, const StampBox *stamp, Pictures pictures = Pictures::Screen);

// A device at the card's own resolution (96 dots per inch), for measuring text as the
// window shows it.
const QPaintDevice &cardDevice();

// The card's font for drawing on device. Sizes are points on a 96 dots per inch card,
// so a line is as large on the card whatever the device's resolution.
QFont textFont(const CardState &state, const QPaintDevice &device);
QFont textFont(const LineFont &font, const QPaintDevice &device);
// The card's font and text colour, which every line follows that has none of its own.
LineFont cardFont(const CardState &state);

// Where text line 1..7 stands and how large its text is, in canvas pixels: the place
// a label sized to its text would take (an empty line's spans its text column). The
// first is the line of a plain card.
QRect textLineRect(const CardState &state, int line);
QRectF textLineRect(const CardFace &face, int line);
// Where line 1..7 would stand at its layout place: the start of a drag's guides.
QRectF layoutLineRect(const CardFace &face, int line);
// The stamp box where it stands, moved or not.
QRectF stampRect(const Card &card);

// The window's and a render's mapping: canvas pixels as they are.
class CanvasMapping : public FaceMapping {
public:
    // stampBox: where the stamp box stands at its layout place.
    CanvasMapping(const CardState &state, const QPaintDevice &device, QRect stampBox = QRect())
        : m_state(state), m_device(device), m_stampBox(stampBox)
    {
    }
    QPointF linePlace(int line) const override;
    double columnWidth(int line) const override;
    QFont font(const LineFont &font) const override;
    QPointF distance(QPointF canvas) const override { return canvas; }
    QRectF rect(const QRectF &canvas) const override { return canvas; }
    void drawCanvas(QPainter &painter, const QImage &canvas, bool printCopy) const override;
    void drawOutline(QPainter &painter, const QColor &colour) const override;
    void drawStamp(QPainter &painter, const QImage &stamp, bool printCopy, QPointF offset) const override;
    StampPlace stampPlace() const override { return StampPlace::OverText; }

private:
    const CardState &m_state;
    const QPaintDevice &m_device;
    QRect m_stampBox;
};

} // namespace CardPainter
