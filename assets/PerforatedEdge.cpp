#include "assets/PictureMakers.h"
#include "assets/StampFrameStyles.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

// A postage stamp torn from its sheet: round teeth stand out on every side, the round
// holes of the perforation between them show the white behind. Each corner of the
// paper is a broader tooth that the two edges meeting there share.
namespace {

constexpr double toothTip = 0.5;   // outline centre at the tips, first pixel
constexpr double holeFloor = 5.5;  // outline centre at the bottom of a hole, sixth pixel
constexpr double tipRadius = 2.5;  // a tooth is 5 wide, its tip a half circle
constexpr double cornerToothEnd = 7.5;  // the corner tooth reaches this far along an edge
constexpr double cornerRadius = 3.5;
constexpr double nominalPitch = 9.5;

// Traces the outline clockwise in picture coordinates (y down), arcs as short chords.
class Outline
{
public:
    void arc(QPointF centre, double radius, double fromDegrees, double toDegrees)
    {
        const int steps = std::max(2, int(std::abs(toDegrees - fromDegrees) / 15));
        for (int i = 0; i <= steps; ++i) {
            const double angle =
                (fromDegrees + (toDegrees - fromDegrees) * i / steps) * std::numbers::pi / 180;
            m_points << centre + radius * QPointF(std::cos(angle), std::sin(angle));
        }
    }
    void to(QPointF point) { m_points << point; }

    QPolygonF points() const { return m_points; }

private:
    QPolygonF m_points;
};

// The top edge of a given length, from the rounding of its left corner to the tip of the
// corner tooth at its right end; about one tooth every 9.5 pixels, counting both
// corner teeth.
QPolygonF topEdge(int length)
{
    const int teeth = int(std::lround(length / nominalPitch));
    const int holes = teeth - 1;
    const double hole = (length - 2 * cornerToothEnd - (teeth - 2) * 2 * tipRadius) / holes;
    const double holeRadius = hole / 2;
    const double shoulderLevel = toothTip + tipRadius;
    const double holeCentreLevel = holeFloor - holeRadius;

    Outline edge;
    edge.arc({toothTip + cornerRadius, toothTip + cornerRadius}, cornerRadius, 180, 270);
    double holeStart = cornerToothEnd;
    for (int i = 0; i < holes; ++i) {
        const double holeEnd = holeStart + hole;
        edge.arc({holeStart - tipRadius, shoulderLevel}, tipRadius, 270, 360);
        edge.to({holeStart, holeCentreLevel});
        edge.arc({holeStart + holeRadius, holeCentreLevel}, holeRadius, 180, 0);
        edge.to({holeEnd, shoulderLevel});
        edge.arc({holeEnd + tipRadius, shoulderLevel}, tipRadius, 180, 270);
        holeStart = holeEnd + 2 * tipRadius;
    }
    edge.to({length - toothTip - cornerRadius, toothTip});
    return edge.points();
}

QPainterPath paperOutline(int width, int height)
{
    // The other edges are the top edge turned into place, each starting at its corner.
    QPolygonF all = topEdge(width);
    all << QTransform(0, 1, -1, 0, width, 0).map(topEdge(height));       // right
    all << QTransform(-1, 0, 0, -1, width, height).map(topEdge(width));  // bottom
    all << QTransform(0, -1, 1, 0, 0, height).map(topEdge(height));      // left
    QPainterPath paper;
    paper.addPolygon(all);
    paper.closeSubpath();
    return paper;
}

} // namespace

namespace StampFrameStyles {

void paintPerforated(QImage &image, int scale)
{
    // The outline is traced in screen pixels and the painter scales it, so the teeth
    // and holes keep their count and shape at any scale.
    const QPainterPath paper = paperOutline(image.width() / scale, image.height() / scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.fillPath(paper, QColor(PictureMakers::frameInside));
    p.strokePath(paper, QPen(QColor(80, 80, 80), 1.0));
    p.end();
    // A faint yellowish shading along the inner side of the outline.
    shadeAlongLine(image, {qRgb(212, 208, 190), qRgb(224, 221, 206)}, scale);
}

} // namespace StampFrameStyles
