#pragma once

#include "core/CardDesign.h"

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <array>

class QPainter;
class QPaintDevice;

// How one drawing of the card maps the card's places onto its device: the window and a
// render map canvas pixels onto their painter as they are, paper maps them onto
// millimetres of the sheet. The lines' layout places and their fonts are the mapping's
// own, so an unmoved, unstyled line stands exactly where that drawing always put it.
class CardMapping {
public:
    virtual ~CardMapping() = default;
    // The top-left corner of line 1..7 at its layout place, in the painter's units.
    virtual QPointF linePlace(int line) const = 0;
    // The line's text column from its layout place to its right end, in the painter's units.
    virtual double columnWidth(int line) const = 0;
    virtual QFont font(const LineFont &font) const = 0;
    // A distance or a rectangle in canvas pixels, in the painter's units.
    virtual QPointF distance(QPointF canvas) const = 0;
    virtual QRectF rect(const QRectF &canvas) const = 0;
    // How long one of the painter's units is across over how long it is down: 1 where
    // they are square, as the window's and a render's pixels are.
    virtual double unitAspect() const { return 1; }
    // Whether every part is drawn at its exact size and place, as paper has it, even on a
    // device of pixels (a picture of the printed card): text filled as its outlines and a
    // QR code as its squares. The window's canvas fits them to whole pixels instead.
    virtual bool exactShapes() const { return false; }
};

// A mapping that also places a face's pictures: the canvas, the outline and the stamp each
// drawn as that target always drew them (the window on whole pixels, paper in millimetres
// with its print copies kept lossless).
class FaceMapping : public CardMapping {
public:
    // The window's stamp box is opaque and lies over the lines; on paper the text is
    // printed over the stamp.
    enum class StampPlace { OverText, UnderText };

    virtual void drawCanvas(QPainter &painter, const QImage &canvas, bool printCopy) const = 0;
    virtual void drawOutline(QPainter &painter, const QColor &colour) const = 0;
    virtual void drawStamp(QPainter &painter, const QImage &stamp, bool printCopy, QPointF offset) const = 0;
    // Before the placed objects, which are only drawn when there are any.
    virtual void prepareObjects(QPainter &) const {}
    virtual StampPlace stampPlace() const = 0;
};

// Everything one face draws, bottom to top.
struct FaceLayers {
    // Null: the background is drawn elsewhere (a press page flattened with it).
    QImage canvas;
    bool canvasIsPrintCopy = false;
    bool outline = false;
    QColor outlineColour;
    // Whether the face shows a stamp (only a front whose layout has one), and its picture.
    bool hasStamp = false;
    QImage stamp;
    bool stampIsPrintCopy = false;
    const std::array<QString, 8> *lines = nullptr;
    LineFont cardFont;
    const CardDesign *design = nullptr;
    QColor textColour;
};

// The one routine that draws what the user placed and styled, for the window, the
// render and the paper alike.
namespace DesignPainter {

// A whole face: the canvas, the outline, the placed objects, the lines and the stamp,
// in the one order every target draws them, each placed by the target's mapping. No
// target can leave a part out.
void drawFace(QPainter &painter, const FaceMapping &mapping, const FaceLayers &face);

// The font and colour line 1..7 is drawn in: its own, or the card's.
LineFont lineFont(const LineFont &cardFont, const CardDesign &design, int line);

// Where line 1..7 starts (its top-left corner, in the painter's units) for a text of
// textWidth: its place, aligned within its column, moved by its offset.
QPointF lineTopLeft(const CardMapping &mapping, const LineDesign &design, int line, double textWidth);

// How wide text stands in font (sized in points) on device when drawn at its exact size
// and unhinted, as a mapping of exact shapes draws it on a device of pixels.
double exactAdvance(const QFont &font, const QString &text, const QPaintDevice &device);

// The seven lines, each in its own font and colour, as transparent text.
void drawLines(QPainter &painter, const CardMapping &mapping, const std::array<QString, 8> &lines,
               const LineFont &cardFont, const CardDesign &design);

// The placed objects (logos, QR codes), bottom to top in list order. A QR code's dark
// modules take textColour when it follows the card's text colour, else black.
void drawObjects(QPainter &painter, const CardMapping &mapping, const CardDesign &design, const QColor &textColour);

// A QR code into target, in the painter's units: vector squares on paper and in PDFs,
// whole device pixels per module on the screen, so it scans off either.
// exact: as paper draws it, on any device (CardMapping::exactShapes).
void drawQr(QPainter &painter, const QrObject &qr, const QRectF &target, const QColor &textColour,
            bool exact = false);

// The largest picture made of a logo: the card at render scale 16. A larger one is
// enlarged from it.
inline constexpr QSize LargestLogoPixels(7040, 4320);

// A logo into target, in the painter's units: an SVG as paths on paper and in PDFs, and
// elsewhere from the pixels its helper drew (LogoPicture::drawn); a bitmap from its own
// pixels, smoothly scaled.
void drawLogo(QPainter &painter, const LogoPicture &logo, const QRectF &target);

// The logo's own size: an SVG's view box (its default size without one), a bitmap's
// pixels; empty when it has none.
QSizeF logoSize(const LogoPicture &logo);
// The width over the height a placed logo is drawn in: as a Shift resize left it, else
// the logo's own (1 for a logo without a size of its own).
double logoAspect(const PlacedObject &object);
// The largest rectangle of that width over height (as seen on the device) that target
// holds, centred in it; unitAspect as CardMapping::unitAspect.
QRectF keepingAspect(const QRectF &target, double aspect, double unitAspect = 1);

} // namespace DesignPainter
