#include "design/Snapping.h"

#include <cmath>
#include <limits>

namespace Snapping {

namespace {

// Places are sums of millimetres converted to pixels: an edge exactly a millimetre off
// may come out a rounding error beyond it.
constexpr double Tolerance = 1e-9;

// The shift that brings the nearest edge onto its nearest guide of this axis; zero
// when none lies within reach. A tie keeps the first pair found.
double nearestShift(const std::vector<double> &edges, const std::vector<Guide> &guides, Axis axis, double reach)
{
    double best = std::numeric_limits<double>::infinity();
    double shift = 0;
    for (const Guide &guide : guides) {
        if (guide.axis != axis)
            continue;
        for (const double edge : edges) {
            const double distance = std::abs(guide.at - edge);
            if (distance <= reach + Tolerance && distance < best) {
                best = distance;
                shift = guide.at - edge;
            }
        }
    }
    return shift;
}

// Edges that land on a guide after the shift, allowing for the rounding of adding it.
void collectHits(const std::vector<double> &edges, double shift, const std::vector<Guide> &guides, Axis axis,
                 std::vector<Guide> &hits)
{
    for (const Guide &guide : guides) {
        if (guide.axis != axis)
            continue;
        for (const double edge : edges)
            if (std::abs(edge + shift - guide.at) <= Tolerance) {
                hits.push_back(guide);
                break;
            }
    }
}

} // namespace

Result snap(const Edges &edges, const std::vector<Guide> &guides, QSizeF threshold, bool free)
{
    Result result;
    if (free)
        return result;
    const double dx = nearestShift(edges.x, guides, Axis::X, threshold.width());
    const double dy = nearestShift(edges.y, guides, Axis::Y, threshold.height());
    result.offset = QPointF(dx, dy);
    collectHits(edges.x, dx, guides, Axis::X, result.hits);
    collectHits(edges.y, dy, guides, Axis::Y, result.hits);
    return result;
}

} // namespace Snapping
