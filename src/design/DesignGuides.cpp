#include "design/DesignGuides.h"

#include "core/Composition.h"
#include "print/FaceGeometry.h"
#include "print/SheetGeometry.h"

#include <algorithm>
#include <cmath>

namespace DesignGuides {

CardScale CardScale::of(const PrintSettings &settings)
{
    const SheetGeometry sheet = SheetGeometry::from(settings);
    return {sheet.cardWidth, sheet.cardHeight};
}

QPointF CardScale::perMm() const
{
    return {Composition::CanvasWidth / widthMm, Composition::CanvasHeight / heightMm};
}

QPointF CardScale::pixels(QPointF mm) const
{
    const QPointF scale = perMm();
    return {mm.x() * scale.x(), mm.y() * scale.y()};
}

Snapping::Edges edges(const FaceGeometry &face, CardItem item, const QRectF &rect)
{
    Snapping::Edges e;
    e.x = {rect.left(), rect.center().x(), rect.right()};
    e.y = {rect.top(), rect.center().y(), rect.bottom()};
    if (item.kind == CardItem::Kind::Line && item.index >= 1 && item.index <= 7)
        e.y.push_back(rect.top() + face.ascents[size_t(item.index)]);
    return e;
}

QRectF safetyRect(const CardScale &scale)
{
    const QPointF margin = scale.pixels({SafetyMarginMm, SafetyMarginMm});
    return QRectF(margin, QSizeF(Composition::CanvasWidth - 2 * margin.x(), Composition::CanvasHeight - 2 * margin.y()));
}

std::vector<Snapping::Guide> guides(const FaceGeometry &face, CardItem moving, const CardScale &scale)
{
    using Snapping::Axis;
    using Snapping::GuideKind;
    std::vector<Snapping::Guide> all = {
        {Axis::X, Composition::CanvasWidth / 2.0, GuideKind::Middle},
        {Axis::Y, Composition::CanvasHeight / 2.0, GuideKind::Middle},
    };
    const QPointF margin = scale.pixels({SafetyMarginMm, SafetyMarginMm});
    all.push_back({Axis::X, margin.x(), GuideKind::SafetyMargin});
    all.push_back({Axis::X, Composition::CanvasWidth - margin.x(), GuideKind::SafetyMargin});
    all.push_back({Axis::Y, margin.y(), GuideKind::SafetyMargin});
    all.push_back({Axis::Y, Composition::CanvasHeight - margin.y(), GuideKind::SafetyMargin});
    for (int line = 1; line <= 7; ++line) {
        if (moving == CardItem::line(line))
            continue;
        const QRectF rect = face.lines[size_t(line)];
        all.push_back({Axis::X, rect.left(), GuideKind::LineLeft});
        all.push_back({Axis::Y, rect.top() + face.ascents[size_t(line)], GuideKind::Baseline});
    }
    return all;
}

QRectF newLogoRect(QSizeF natural, const CardScale &scale)
{
    // The aspect is kept on paper, where the canvas's pixels are not square unless the
    // card is 440:270; a picture without a size of its own comes in square.
    const double heightMm = natural.width() > 0 && natural.height() > 0
                                ? NewLogoWidthMm * natural.height() / natural.width()
                                : NewLogoWidthMm;
    const QPointF size = scale.pixels({NewLogoWidthMm, heightMm});
    const double width = size.x();
    const double height = size.y();
    const QPointF margin = scale.pixels({SafetyMarginMm, SafetyMarginMm});
    return QRectF(Composition::CanvasWidth - margin.x() - width, margin.y(), width, height);
}

double canvasAspect(double paperAspect, const CardScale &scale)
{
    const QPointF perMm = scale.perMm();
    return paperAspect * perMm.x() / perMm.y();
}

double paperAspect(const QRectF &canvas, const CardScale &scale)
{
    const QPointF perMm = scale.perMm();
    return canvas.width() / perMm.x() / (canvas.height() / perMm.y());
}

namespace {

// Along one axis: from..to must overlap 0..end by grip, or by the whole item if smaller.
double keptWithin(double from, double to, double end)
{
    const double grip = std::min(GripPixels, std::max(0.0, to - from));
    if (to < grip)
        return grip - to;
    if (from > end - grip)
        return end - grip - from;
    return 0;
}

} // namespace

QPointF keptOnCard(const QRectF &rect)
{
    return {keptWithin(rect.left(), rect.right(), Composition::CanvasWidth),
            keptWithin(rect.top(), rect.bottom(), Composition::CanvasHeight)};
}

} // namespace DesignGuides
