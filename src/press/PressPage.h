#pragma once

#include "press/PressGeometry.h"
#include "print/PrintedCard.h"
#include "print/SheetGeometry.h"

#include <QByteArray>
#include <QImage>
#include <QMargins>
#include <QString>

class QPainter;

// One card on a press page: the background over the whole bleed box, extended beyond the
// card: a gradient that nothing was drawn over since runs on by its own rule; any other
// picture is mirrored at the edges (a plain colour simply continues; a photo continues as
// its own mirror image, except where a cropped photo's own pixels beyond the card were
// kept, `beyond`, which lie over the mirror image); then
// the card exactly as the sheet prints it, scaled to the trim, then the crop marks. The
// painter's origin is the page's corner; millimetres map onto the device's
// resolution.
//
// Flattened: for a page that must hold nothing see-through, the placed objects up to and
// including the last logo are painted into the background picture (at 600 ppi or more)
// instead of drawn over it, and lie under the outline rather than over it; the objects
// above the last logo are drawn over it as on any page, a QR code as vectors.
enum class PressTransparency { Kept, Flattened };
// The photo's own pixels beyond the card where the canvas kept them
// (CardCanvas::printBeyond): in the bleed they take the place of the mirror image.
struct PhotoBeyond {
    QImage image;
    QMargins margins;
};
void drawPressPage(QPainter &painter, const PrintedCard &card, const SheetGeometry &sheet,
                   const PressGeometry &page, PressTransparency transparency = PressTransparency::Kept,
                   const PhotoBeyond &beyond = {});

// The card's background extended by `left`, `top`, `right` and `bottom` pixels, each new
// pixel the mirror image of one inside across the nearest edge.
QImage mirroredBeyond(const QImage &picture, int left, int top, int right, int bottom);

// The page as a PDF of its own (RGB, fonts embedded) with its MediaBox, BleedBox and
// TrimBox exact to the page's geometry and neutral colours in DeviceGray, so that a
// black text or mark separates to the black plate alone. A page with a see-through logo
// is drawn again with its objects flattened. Empty when Qt's PDF could not
// be made or finished.
QByteArray pressPagePdf(const PrintedCard &card, const SheetGeometry &sheet, const PressGeometry &page,
                        const QString &title, const PhotoBeyond &beyond = {});
