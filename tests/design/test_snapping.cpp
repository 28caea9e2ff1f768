#include "core/Card.h"
#include "core/CardPainter.h"
#include "core/PrintSettings.h"
#include "design/DesignGuides.h"
#include "design/Snapping.h"
#include "print/FaceGeometry.h"

#include <gtest/gtest.h>
#include <algorithm>

using Snapping::Axis;
using Snapping::Guide;
using Snapping::GuideKind;

namespace {

// A millimetre of the default 90 x 50 mm card, in canvas pixels.
const QSizeF Reach(440.0 / 90, 270.0 / 50);

// An item 40 x 20 px whose top-left corner is at (x, y).
Snapping::Edges box(double x, double y)
{
    return {{x, x + 20, x + 40}, {y, y + 10, y + 20}};
}

bool hasGuide(const std::vector<Guide> &guides, Guide wanted)
{
    return std::any_of(guides.begin(), guides.end(), [&](const Guide &g) {
        return g.axis == wanted.axis && g.kind == wanted.kind && std::abs(g.at - wanted.at) < 1e-9;
    });
}

} // namespace

TEST(Snapping, AnEdgeWithinAMillimetreLandsExactlyOnTheGuide)
{
    const std::vector<Guide> guides = {{Axis::X, 220, GuideKind::Middle}, {Axis::Y, 135, GuideKind::Middle}};
    // The centre at 218.3 (left 198.3) and the bottom at 136.9.
    const Snapping::Result r = Snapping::snap(box(198.3, 116.9), guides, Reach);
    EXPECT_DOUBLE_EQ(198.3 + r.offset.x() + 20, 220);
    EXPECT_DOUBLE_EQ(116.9 + r.offset.y() + 20, 135);
    EXPECT_EQ(r.hits, guides);
}

TEST(Snapping, TheReachIsOneMillimetreExactlyOnEachAxis)
{
    const std::vector<Guide> guides = {{Axis::X, 100, GuideKind::LineLeft}, {Axis::Y, 100, GuideKind::Baseline}};
    // Exactly a millimetre away still snaps (the left edge right of the guide, the bottom
    // above it); a hair further does not.
    Snapping::Result at = Snapping::snap(box(100 + Reach.width(), 80 - Reach.height()), guides, Reach);
    EXPECT_DOUBLE_EQ(at.offset.x(), -Reach.width());
    EXPECT_NEAR(at.offset.y(), Reach.height(), 1e-9);
    Snapping::Result beyond =
        Snapping::snap(box(100 + Reach.width() + 0.01, 80 - Reach.height() - 0.01), guides, Reach);
    EXPECT_EQ(beyond.offset, QPointF(0, 0));
    EXPECT_TRUE(beyond.hits.empty());
    // The horizontal reach is not the vertical one: 5 px is within a millimetre down, not across.
    Snapping::Result across = Snapping::snap(box(105, 95), guides, Reach);
    EXPECT_EQ(across.offset.x(), 0);
    EXPECT_DOUBLE_EQ(across.offset.y(), 5);
}

TEST(Snapping, TheNearestGuideAndEdgeWin)
{
    const std::vector<Guide> guides = {{Axis::X, 98, GuideKind::LineLeft},  // left edge 2 px off
                                       {Axis::X, 141, GuideKind::SafetyMargin}, // right edge 1 px off
                                       {Axis::Y, 103, GuideKind::Baseline},    // top 3 px off
                                       {Axis::Y, 108.5, GuideKind::Middle}};   // centre 1.5 px off
    const Snapping::Result r = Snapping::snap(box(100, 100), guides, Reach);
    EXPECT_DOUBLE_EQ(r.offset.x(), 1);
    EXPECT_DOUBLE_EQ(r.offset.y(), -1.5);
    EXPECT_EQ(r.hits, (std::vector<Guide>{guides[1], guides[3]}));
}

TEST(Snapping, FreeMovingSnapsToNothing)
{
    const std::vector<Guide> guides = {{Axis::X, 100.5, GuideKind::Middle}, {Axis::Y, 100.5, GuideKind::Middle}};
    const Snapping::Result r = Snapping::snap(box(100, 100), guides, Reach, true);
    EXPECT_EQ(r.offset, QPointF(0, 0));
    EXPECT_TRUE(r.hits.empty());
    EXPECT_DOUBLE_EQ(Snapping::snap(box(100, 100), guides, Reach).offset.x(), 0.5);
}

TEST(DesignGuides, TheCardsMiddleAndSafetyMarginFollowItsSizeOnPaper)
{
    const Card card = Card::initial();
    const DesignGuides::CardScale plain;
    const auto guides = DesignGuides::guides(FaceGeometry::ofCanvas(card), CardItem::line(3), plain);
    EXPECT_TRUE(hasGuide(guides, {Axis::X, 220, GuideKind::Middle}));
    EXPECT_TRUE(hasGuide(guides, {Axis::Y, 135, GuideKind::Middle}));
    EXPECT_TRUE(hasGuide(guides, {Axis::X, 3 * 440.0 / 90, GuideKind::SafetyMargin}));
    EXPECT_TRUE(hasGuide(guides, {Axis::X, 440 - 3 * 440.0 / 90, GuideKind::SafetyMargin}));
    EXPECT_TRUE(hasGuide(guides, {Axis::Y, 3 * 270.0 / 50, GuideKind::SafetyMargin}));
    EXPECT_TRUE(hasGuide(guides, {Axis::Y, 270 - 3 * 270.0 / 50, GuideKind::SafetyMargin}));

    PrintSettings settings;
    settings.CardWidthMm = 85;
    settings.CardHeightMm = 55;
    const DesignGuides::CardScale other = DesignGuides::CardScale::of(settings);
    EXPECT_DOUBLE_EQ(other.widthMm, 85);
    EXPECT_DOUBLE_EQ(other.heightMm, 55);
    const auto otherGuides = DesignGuides::guides(FaceGeometry::ofCanvas(card), CardItem::line(3), other);
    EXPECT_TRUE(hasGuide(otherGuides, {Axis::X, 3 * 440.0 / 85, GuideKind::SafetyMargin}));
    EXPECT_TRUE(hasGuide(otherGuides, {Axis::Y, 270 - 3 * 270.0 / 55, GuideKind::SafetyMargin}));
}

TEST(DesignGuides, EveryOtherLineGivesItsLeftEdgeAndBaseline)
{
    Card card = Card::initial();
    card.design.lines[5].offset = QPointF(40, 3);
    const FaceGeometry face = FaceGeometry::ofCanvas(card);
    const auto guides = DesignGuides::guides(face, CardItem::line(3), {});
    const auto count = [&](GuideKind kind) {
        return std::count_if(guides.begin(), guides.end(), [kind](const Guide &g) { return g.kind == kind; });
    };
    EXPECT_EQ(count(GuideKind::LineLeft), 6);
    EXPECT_EQ(count(GuideKind::Baseline), 6);
    const QRectF moved = CardPainter::textLineRect(card, 5);
    EXPECT_TRUE(hasGuide(guides, {Axis::X, moved.left(), GuideKind::LineLeft}));
    // The baseline lies within the line's text, below its middle; the moving line gives none.
    const double baseline = moved.top() + face.ascents[5];
    EXPECT_TRUE(hasGuide(guides, {Axis::Y, baseline, GuideKind::Baseline}));
    EXPECT_GT(baseline, moved.center().y());
    EXPECT_LT(baseline, moved.bottom());
    const QRectF own = CardPainter::textLineRect(card, 3);
    EXPECT_FALSE(hasGuide(guides, {Axis::Y, own.top() + face.ascents[3], GuideKind::Baseline}));
    // A line snaps by its baseline too; the stamp and a logo do not have one.
    EXPECT_EQ(DesignGuides::edges(face, CardItem::line(3), own).y.size(), 4u);
    EXPECT_EQ(DesignGuides::edges(face, CardItem::stamp(), own).y.size(), 3u);
}

TEST(DesignGuides, ANewLogoIsTwentyMillimetresWideTopRightAtTheSafetyMargin)
{
    const DesignGuides::CardScale plain;
    const QRectF rect = DesignGuides::newLogoRect(QSizeF(200, 100), plain);
    EXPECT_DOUBLE_EQ(rect.width(), 20 * 440.0 / 90);
    EXPECT_DOUBLE_EQ(rect.right(), 440 - 3 * 440.0 / 90);
    EXPECT_DOUBLE_EQ(rect.top(), 3 * 270.0 / 50);
    // Half as high on paper: 10 mm.
    EXPECT_DOUBLE_EQ(rect.height(), 10 * 270.0 / 50);
    EXPECT_DOUBLE_EQ(DesignGuides::newLogoRect(QSizeF(), plain).height(), 20 * 270.0 / 50);
}

TEST(DesignGuides, AnItemKeepsAGripOnTheCardOrAllOfItWhenSmaller)
{
    const double grip = DesignGuides::GripPixels;
    // Inside, or partly out with more than the grip left: no shift.
    EXPECT_EQ(DesignGuides::keptOnCard(QRectF(100, 100, 50, 30)), QPointF());
    EXPECT_EQ(DesignGuides::keptOnCard(QRectF(-40, 250, 50, 30)), QPointF());
    // Beyond each edge: back until the grip is on the card, along that axis only.
    EXPECT_EQ(DesignGuides::keptOnCard(QRectF(600, 100, 50, 30)), QPointF(440 - grip - 600, 0));
    EXPECT_EQ(DesignGuides::keptOnCard(QRectF(-300, 100, 50, 30)), QPointF(300 - 50 + grip, 0));
    EXPECT_EQ(DesignGuides::keptOnCard(QRectF(100, 268, 50, 30)), QPointF(0, 270 - grip - 268));
    EXPECT_EQ(DesignGuides::keptOnCard(QRectF(100, -1000, 50, 30)), QPointF(0, 1000 - 30 + grip));
    // An item narrower than the grip stays whole on the card.
    EXPECT_EQ(DesignGuides::keptOnCard(QRectF(437, 100, 4, 4)), QPointF(-1, 0));
    EXPECT_EQ(DesignGuides::keptOnCard(QRectF(-2, -3, 4, 4)), QPointF(2, 3));
}

TEST(DesignGuides, AShapeOnPaperAndOnTheCanvasConvertByTheCardsSize)
{
    const DesignGuides::CardScale wide{90, 50};
    const DesignGuides::CardScale tall{85, 55};
    // A circle on paper is taller than wide on a 90 x 50 card's canvas, wider on 85 x 55.
    EXPECT_NEAR(DesignGuides::canvasAspect(1, wide), (440.0 / 90) / (270.0 / 50), 1e-12);
    EXPECT_LT(DesignGuides::canvasAspect(1, wide), 1);
    EXPECT_GT(DesignGuides::canvasAspect(1, tall), 1);
    const QRectF rect(10, 10, DesignGuides::canvasAspect(2.5, tall) * 40, 40);
    EXPECT_NEAR(DesignGuides::paperAspect(rect, tall), 2.5, 1e-12);
    // The new logo's rectangle is its own shape on paper.
    EXPECT_NEAR(DesignGuides::paperAspect(DesignGuides::newLogoRect(QSizeF(300, 100), tall), tall), 3, 1e-12);
}
