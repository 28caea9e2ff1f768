#include "assets/BuiltinPictures.h"
#include "core/CardDocument.h"
#include "stamp/PhotoWorkspace.h"
#include "StampTestFiles.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace StampTestFiles;

namespace {

constexpr int Left = 1, Right = 2, Middle = 4;
const QRgb Backdrop = qRgb(1, 2, 3);

class StampCutTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    CardDocument document;
    PhotoWorkspace workspace{document};

    void SetUp() override
    {
        document.applyLayout(2);
        workspace.setViewBackground(QColor::fromRgb(Backdrop));
    }
    void loadPhoto(const QImage &picture)
    {
        ASSERT_TRUE(workspace.loadPhoto(write(dir, "foto.bmp", encoded(picture, "BMP"))));
    }
    void drag(QPointF from, QPointF to)
    {
        workspace.mouseDown(Left, from);
        workspace.mouseMove(Left, to);
        workspace.mouseUp(Left, to);
    }
    QImage stamp() const { return document.stamp().image(); }
    QPoint stampOrigin(int x, int y) const { return numberedOrigin(stamp().pixel(x, y)); }
};

TEST_F(StampCutTest, ADragCutsItsPixelsIntoThePortraitFrame)
{
    loadPhoto(numbered(640, 480));
    QSignalSpy stampChanged(&document, &CardDocument::stampChanged);
    drag({10, 20}, {109, 69});
    ASSERT_EQ(stampChanged.count(), 1);
    ASSERT_EQ(stamp().size(), QSize(140, 180));
    EXPECT_EQ(document.stamp().geometry().topLeft(), QPoint(18, 18));
    EXPECT_TRUE(frameAround(stamp(), BuiltinPictures::frame(1), QRect(8, 8, 124, 164)));

    // The 100 x 50 crop from (10, 20) is stretched to 124 x 164: window pixel d shows
    // crop pixel floor((d + 0.5) * 100 / 124) across and floor((d + 0.5) * 50 / 164) down.
    EXPECT_EQ(stampOrigin(8, 8), QPoint(10, 20));
    EXPECT_EQ(stampOrigin(131, 171), QPoint(109, 69));
    EXPECT_EQ(stampOrigin(8 + 5, 8 + 10), QPoint(10 + 4, 20 + 3));
    for (int y = 8; y < 172; ++y)
        for (int x = 8; x < 132; ++x) {
            const QPoint from = stampOrigin(x, y);
            ASSERT_TRUE(QRect(10, 20, 100, 50).contains(from)) << x << "," << y;
        }
}

TEST_F(StampCutTest, ACutReturnsThePanelToNormalAndHidesTheRectangle)
{
    loadPhoto(numbered(640, 480));
    workspace.toggleEnlargedView();
    QSignalSpy panel(&workspace, &PhotoWorkspace::enlargedViewChanged);
    drag({10, 20}, {109, 69});
    EXPECT_FALSE(workspace.isEnlarged());
    ASSERT_EQ(panel.count(), 1);
    EXPECT_FALSE(panel.at(0).at(0).toBool());
    EXPECT_FALSE(workspace.selection().isLayerVisible());
    EXPECT_EQ(workspace.viewImage().size(), QSize(230, 420));
}

TEST_F(StampCutTest, AZoomedViewIsCutAsItIsShown)
{
    loadPhoto(numbered(640, 480));
    workspace.toggleEnlargedView();
    workspace.zoom(20);
    drag({10, 20}, {19, 29}); // 10 x 10 zoomed pixels: picture pixels 5..9 and 10..14
    EXPECT_EQ(stampOrigin(8, 8), QPoint(5, 10));
    EXPECT_EQ(stampOrigin(131, 171), QPoint(9, 14));
}

TEST_F(StampCutTest, WhatLiesBeyondThePhotoIsCutInTheViewsColour)
{
    loadPhoto(numbered(100, 80));
    drag({90, 70}, {109, 89});
    EXPECT_EQ(stampOrigin(8, 8), QPoint(90, 70));
    EXPECT_EQ(stamp().pixel(131, 171), Backdrop);
}

TEST_F(StampCutTest, TheLandscapeLayoutUsesTheNextFramePicture)
{
    document.applyLayout(3);
    loadPhoto(numbered(640, 480));
    drag({10, 20}, {109, 69});
    ASSERT_EQ(stamp().size(), QSize(180, 140));
    EXPECT_TRUE(frameAround(stamp(), BuiltinPictures::frame(2), QRect(8, 8, 164, 124)));
    EXPECT_EQ(stampOrigin(8, 8), QPoint(10, 20));
    EXPECT_EQ(stampOrigin(171, 131), QPoint(109, 69));
    EXPECT_EQ(stamp().pixel(172, 131), BuiltinPictures::frame(2).pixel(172, 131));
}

TEST_F(StampCutTest, LayoutsWithoutAStampKeepItEmpty)
{
    loadPhoto(numbered(640, 480));
    document.applyLayout(1);
    drag({10, 20}, {109, 69});
    const QRgb empty = StampBox::emptyColor().rgb();
    EXPECT_EQ(stamp().pixel(0, 0), empty);
    EXPECT_EQ(stamp().pixel(70, 90), empty);
    EXPECT_FALSE(workspace.selection().isLayerVisible());
}

TEST_F(StampCutTest, ANewStyleWaitsForTheNextCut)
{
    loadPhoto(numbered(640, 480));
    drag({10, 20}, {109, 69});
    const QImage first = stamp();
    document.chooseStampBorderOption(4);
    EXPECT_EQ(document.state().StampBorderStyle, 7);
    EXPECT_EQ(stamp(), first);
    drag({10, 20}, {109, 69});
    EXPECT_TRUE(frameAround(stamp(), BuiltinPictures::frame(7), QRect(8, 8, 124, 164)));
}

class InvalidReleaseTest : public StampCutTest {
protected:
    QImage before;
    void SetUp() override
    {
        StampCutTest::SetUp();
        before = stamp();
    }
};

TEST_F(InvalidReleaseTest, AClickWithoutMovingCutsNothing)
{
    loadPhoto(numbered(640, 480));
    workspace.mouseDown(Left, {10, 20});
    workspace.mouseUp(Left, {10, 20});
    EXPECT_EQ(stamp(), before);
    EXPECT_TRUE(workspace.selection().isLayerVisible());
    EXPECT_EQ(workspace.selection().layer(), QRectF(10, 20, 0, 0));
}

TEST_F(InvalidReleaseTest, DraggingLeftOrAboveKeepsTheRectangleOnePixelAndCutsNothing)
{
    loadPhoto(numbered(640, 480));
    workspace.mouseDown(Left, {50, 50});
    workspace.mouseMove(Left, {40, 80});
    EXPECT_EQ(workspace.selection().layer(), QRectF(50, 50, 1, 31));
    workspace.mouseMove(Left, {90, 30});
    EXPECT_EQ(workspace.selection().layer(), QRectF(50, 50, 41, 1));
    workspace.mouseUp(Left, {90, 30});
    EXPECT_EQ(stamp(), before);
    EXPECT_TRUE(workspace.selection().isLayerVisible());
}

TEST_F(InvalidReleaseTest, ReleasingOnTheStartLineCutsNothing)
{
    loadPhoto(numbered(640, 480));
    drag({50, 50}, {50, 90});
    drag({50, 50}, {90, 50});
    EXPECT_EQ(stamp(), before);
}

TEST_F(InvalidReleaseTest, OtherButtonsNeitherDrawNorCut)
{
    loadPhoto(numbered(640, 480));
    workspace.mouseDown(Right, {5, 5});
    EXPECT_FALSE(workspace.selection().isLayerVisible());
    workspace.mouseDown(Left, {10, 20});
    workspace.mouseMove(Left | Middle, {60, 60});
    EXPECT_EQ(workspace.selection().layer(), QRectF(10, 20, 0, 0));
    workspace.mouseMove(Left, {60, 60});
    workspace.mouseUp(Middle, {60, 60});
    workspace.mouseUp(Left | Right, {60, 60});
    EXPECT_EQ(stamp(), before);
    EXPECT_TRUE(workspace.selection().isLayerVisible());
}

TEST_F(InvalidReleaseTest, TheRightButtonMovesTheStartOfTheNextDrag)
{
    loadPhoto(numbered(640, 480));
    workspace.mouseDown(Left, {10, 20});
    workspace.mouseMove(Left, {30, 40});
    workspace.mouseDown(Right, {100, 100});
    EXPECT_EQ(workspace.selection().layer(), QRectF(10, 20, 21, 21));
    workspace.mouseUp(Right, {100, 100});
    workspace.mouseMove(Left, {119, 119});
    EXPECT_EQ(workspace.selection().layer(), QRectF(100, 100, 20, 20));
    workspace.mouseUp(Left, {119, 119});
    EXPECT_EQ(stampOrigin(8, 8), QPoint(100, 100));
    EXPECT_EQ(stampOrigin(131, 171), QPoint(119, 119));
}

TEST_F(InvalidReleaseTest, BeforeAnyPhotoTheRectangleStaysAndNothingIsCut)
{
    drag({10, 20}, {109, 69});
    EXPECT_EQ(stamp(), before);
    EXPECT_TRUE(workspace.selection().isLayerVisible());
    EXPECT_EQ(workspace.selection().layer(), QRectF(10, 20, 100, 50));
}

TEST(SelectionColourTest, GreyIsTickedWhileTheOutlineStartsSlightlyLighter)
{
    CardDocument document;
    PhotoWorkspace workspace(document);
    EXPECT_EQ(workspace.selection().outlineColor(), QColor(128, 128, 128));
    EXPECT_EQ(workspace.selection().checkedColorItem(), 2);
    const std::pair<int, QColor> items[] = {{1, QColor(0, 0, 0)}, {3, QColor(255, 255, 255)}, {2, QColor(120, 120, 120)}};
    for (const auto &[item, color] : items) {
        workspace.chooseSelectionColor(item);
        EXPECT_EQ(workspace.selection().outlineColor(), color) << item;
        EXPECT_EQ(workspace.selection().checkedColorItem(), item);
    }
    workspace.chooseSelectionColor(4);
    EXPECT_EQ(workspace.selection().checkedColorItem(), 2);
}

} // namespace
