#pragma once

#include "core/CardDesign.h"
#include "design/Snapping.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

struct FaceGeometry;
struct PrintSettings;

// The card's guides and the items' edges as snapping sees them, in canvas pixels, with
// millimetres converted by the card's own size on paper (C x D of the margins). Where the
// items stand is the shown view's (FaceGeometry): a line's left edge and baseline are
// where the user sees them, on the canvas or as printed.
namespace DesignGuides {

// Canvas pixels per millimetre of the card, along each axis.
struct CardScale {
    double widthMm = 90;
    double heightMm = 50;

    static CardScale of(const PrintSettings &settings);
    QPointF perMm() const;
    QPointF pixels(QPointF mm) const;
};

constexpr double SafetyMarginMm = 3;
constexpr double SnapReachMm = 1;

// The edges snapping pulls on for an item that would stand at rect.
Snapping::Edges edges(const FaceGeometry &face, CardItem item, const QRectF &rect);

// The card's middle lines, its safety margin, and the left edges and baselines of
// every line but the one that moves.
std::vector<Snapping::Guide> guides(const FaceGeometry &face, CardItem moving, const CardScale &scale);

// The safety margin's rectangle, in canvas pixels.
QRectF safetyRect(const CardScale &scale);

// Where a new logo of that natural size goes: 20 mm wide, its aspect kept on paper, its top and
// right edges on the safety margin.
constexpr double NewLogoWidthMm = 20;
QRectF newLogoRect(QSizeF natural, const CardScale &scale);

// A width over height on paper as a rectangle of canvas pixels has it, and the other way:
// the canvas's pixels are square on paper only on a card of 440:270.
double canvasAspect(double paperAspect, const CardScale &scale);
double paperAspect(const QRectF &canvas, const CardScale &scale);

// How much of an item a drag or a nudge keeps on the card, in canvas pixels along each
// axis (the whole of an item smaller than that), so that the mouse can always take it again.
constexpr double GripPixels = 10;
// The shift that brings that much of an item at rect onto the card; none when it is.
QPointF keptOnCard(const QRectF &rect);

} // namespace DesignGuides
