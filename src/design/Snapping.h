#pragma once

#include <QPointF>
#include <QSizeF>
#include <vector>

// Where a dragged item comes to rest: each axis on its own, the item's edge nearest to
// a guide is pulled exactly onto it when it lies within the threshold. Everything is in
// canvas pixels; the threshold is a millimetre of the card, so it differs per axis when
// the card is not 90 x 50 mm in proportion.
namespace Snapping {

enum class Axis { X, Y };

// What a guide stands for, so that the guide lines can be told apart on screen.
enum class GuideKind { Middle, SafetyMargin, LineLeft, Baseline };

struct Guide {
    Axis axis = Axis::X;
    double at = 0; // x of a vertical guide, y of a horizontal one
    GuideKind kind = GuideKind::Middle;

    bool operator==(const Guide &) const = default;
};

// The moving item's edges at the place the mouse asks for: x of left, centre and right;
// y of top, centre, bottom and (for a line) its baseline.
struct Edges {
    std::vector<double> x;
    std::vector<double> y;
};

struct Result {
    QPointF offset;           // added to the asked place; zero where nothing is near
    std::vector<Guide> hits;  // every guide an edge of the item stands on afterwards
};

// free: Alt held, nothing snaps and no guide is hit.
Result snap(const Edges &edges, const std::vector<Guide> &guides, QSizeF threshold, bool free = false);

} // namespace Snapping
