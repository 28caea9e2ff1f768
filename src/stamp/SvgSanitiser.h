#pragma once

#include <QByteArray>
#include <QString>

// A logo's SVG rewritten before anything draws it. Qt SVG follows what a drawing names: a
// style sheet in a processing instruction, a picture file, an SVG inside a data: address
// that its image plugin draws with references of its own. Checking the text for such
// names can always miss a spelling (another encoding, an entity, a reference inside an
// embedded picture), so the drawing is instead read once with Qt's XML reader, which
// decodes the bytes exactly as the renderer would, and written anew in UTF-8 with only
// what is known to draw and to stay inside: the SVG elements and presentation attributes
// of a list, references to the drawing's own parts (#id, url(#id)), and pictures the
// program decoded itself (the header checked and the photo decode budget applied) and
// wrote back: a PNG or JPEG that decoded as it came, any other format as PNG, an SVG as
// the PNG of its own rewriting. Everything else is left out: processing instructions, the
// DTD and its entities, scripts, foreign content, event attributes, every other address.
//
// Reading also counts what drawing will cost, including what a <use> repeats, and refuses
// a drawing beyond the caps: Qt SVG has no bounds of its own, and a 1 MB file can keep
// the renderer busy for minutes or take gigabytes.
namespace SvgSanitiser {

// What a logo may hold. Chosen so that the largest logo drawing still takes seconds, not
// minutes, at the largest size the program draws one (a render at scale 16, a press PDF).
struct Caps {
    // Elements drawn, each <use> counting what it repeats, and each character of text.
    qint64 elements = 10000;
    // Numbers in the paths' and polygons' coordinates (a line segment takes two).
    qint64 pathNumbers = 200000;
    // Pixels of the embedded pictures together.
    qint64 pictures = qint64(8) << 20;
    // Elements inside elements.
    int depth = 48;
    // An SVG inside a picture inside the logo is read the same way, to this depth.
    int svgInPicture = 2;
};

struct Result {
    QByteArray svg; // UTF-8; empty with a fault
    QString fault;  // Dutch, a reason that completes "... kon niet als logo worden geopend: "
    explicit operator bool() const { return fault.isEmpty(); }
};

Result sanitise(const QByteArray &bytes, const Caps &caps = Caps());

// Whether an SVG, as sanitise() writes it, names nothing outside itself: every reference
// is #id or url(#id), every picture a data:image/png or data:image/jpeg address. For tests and the fuzz
// target, which hold the rewriting to its promise.
bool namesOnlyItself(const QByteArray &svg);

} // namespace SvgSanitiser
