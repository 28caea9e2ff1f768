#include "stamp/CropFrame.h"

#include <gtest/gtest.h>

namespace {

using Corner = CropFrame::Corner;

void expectInProportionInside(const CropFrame &frame)
{
    const QRectF r = frame.rect();
    EXPECT_NEAR(r.width() / r.height(), 440.0 / 270.0, 1e-9);
    EXPECT_TRUE(QRectF(QPointF(0, 0), QSizeF(frame.photo())).adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(r))
        << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

TEST(CropFrameTest, StartsAsTheLargestCentredFrameEitherWay)
{
    const CropFrame wide = CropFrame::largestCentred({4000, 3000});
    EXPECT_DOUBLE_EQ(wide.rect().width(), 4000);
    EXPECT_DOUBLE_EQ(wide.rect().center().y(), 1500);
    // A panorama: the height sets it.
    const CropFrame panorama = CropFrame::largestCentred({6000, 1000});
    EXPECT_DOUBLE_EQ(panorama.rect().height(), 1000);
    EXPECT_DOUBLE_EQ(panorama.rect().center().x(), 3000);
    expectInProportionInside(wide);
    expectInProportionInside(panorama);
}

TEST(CropFrameTest, MovingStopsAtThePhotosEdges)
{
    const CropFrame frame = CropFrame::largestCentred({4000, 3000});
    EXPECT_DOUBLE_EQ(frame.moved({0, 100}).rect().top(), frame.rect().top() + 100);
    const CropFrame down = frame.moved({500, 5000});
    EXPECT_DOUBLE_EQ(down.rect().bottom(), 3000);
    EXPECT_DOUBLE_EQ(down.rect().left(), 0);
    EXPECT_DOUBLE_EQ(frame.moved({0, -5000}).rect().top(), 0);
}

TEST(CropFrameTest, ACornerResizesAroundTheOppositeCornerInProportionWithinThePhoto)
{
    const CropFrame start = CropFrame::largestCentred({4000, 3000});
    const QRectF before = start.rect();
    // Dragged inwards: the bottom-right corner stays, the frame reaches the pointer.
    const CropFrame smaller = start.resized(Corner::TopLeft, {2000, 1800});
    EXPECT_EQ(smaller.rect().bottomRight(), before.bottomRight());
    EXPECT_DOUBLE_EQ(smaller.rect().left(), 2000);
    expectInProportionInside(smaller);
    // Dragged out past the photo: as large as the room on that side allows.
    const CropFrame larger = smaller.resized(Corner::TopLeft, {-900, -900});
    EXPECT_EQ(larger.rect().bottomRight(), before.bottomRight());
    EXPECT_NEAR(larger.rect().left(), 0, 1e-9);
    expectInProportionInside(larger);
    // Dragged past the opposite corner: the smallest frame, not a turned one.
    const CropFrame tiny = smaller.resized(Corner::BottomRight, {0, 0});
    EXPECT_EQ(tiny.rect().topLeft(), smaller.rect().topLeft());
    EXPECT_DOUBLE_EQ(tiny.rect().width(), CropFrame::MinWidth);
    for (const Corner corner : {Corner::TopRight, Corner::BottomLeft})
        expectInProportionInside(smaller.resized(corner, {3900, 2900}));
}

TEST(CropFrameTest, TheWheelZoomsAroundThePointerAndStaysInside)
{
    const CropFrame start = CropFrame::largestCentred({4000, 3000}).resized(Corner::TopLeft, {2000, 2000});
    const QRectF before = start.rect();
    const QPointF pointer(before.left() + before.width() / 4, before.top() + before.height() / 2);
    const CropFrame in = start.zoomed(2, pointer);
    EXPECT_DOUBLE_EQ(in.rect().width(), before.width() / 2);
    // The pointer's point keeps its place in the frame: a quarter across, half down.
    EXPECT_DOUBLE_EQ(in.rect().left() + in.rect().width() / 4, pointer.x());
    EXPECT_DOUBLE_EQ(in.rect().top() + in.rect().height() / 2, pointer.y());
    // Zoomed far out it is the largest frame, inside the photo.
    const CropFrame out = in.zoomed(0.01, {3999, 2999});
    EXPECT_DOUBLE_EQ(out.rect().width(), 4000);
    expectInProportionInside(out);
}

} // namespace
