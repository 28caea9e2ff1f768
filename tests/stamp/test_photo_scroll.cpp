#include "stamp/ShownPhoto.h"
#include "StampTestFiles.h"
#include "stamp/ZoomLevels.h"

#include <gtest/gtest.h>

using StampTestFiles::numbered;
using StampTestFiles::numberedPixel;
using StampTestFiles::placed;
using StampTestFiles::ViewBackdrop;

namespace {

constexpr int Bar = 15;

ShownPhoto viewOf(const QImage &picture, int zoomIndex, int width = ShownPhoto::NormalWidth)
{
    ShownPhoto view;
    view.setBackground(QColor::fromRgb(ViewBackdrop));
    view.setBarExtent(Bar);
    view.setWidth(width);
    view.show(picture, zoomIndex);
    return view;
}

// The whole picture scaled by num / den as a plain stretched copy, each pixel showing
// the picture pixel under its centre, worked out in floating point: the reference.
QImage wholeScaled(const QImage &picture, int num, int den)
{
    QImage out(picture.width() * num / den, picture.height() * num / den, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, picture.pixel(int((x + 0.5) * den / num), int((y + 0.5) * den / num)));
    return out;
}

TEST(PhotoScrollTest, FitShowsTheWholePictureByItsTighterSide)
{
    // Wide: the view's width sets the scale, 230 / 640.
    const QImage wide = numbered(640, 480);
    ShownPhoto view = viewOf(wide, ZoomLevels::Fit);
    EXPECT_EQ(view.shownSize(), QSize(230, 172));
    EXPECT_FALSE(view.hasHorizontalBar() || view.hasVerticalBar());
    EXPECT_EQ(view.render(), placed(wholeScaled(wide, 230, 640), QRect(0, 0, 230, 420)));

    // Widened, the height sets it: 420 / 480.
    view.setWidth(ShownPhoto::EnlargedWidth);
    EXPECT_EQ(view.shownSize(), QSize(560, 420));
    EXPECT_EQ(view.render(), placed(wholeScaled(wide, 420, 480), QRect(0, 0, 707, 420)));

    // A small picture is enlarged to fill the view.
    const ShownPhoto tall = viewOf(numbered(100, 300), ZoomLevels::Fit, ShownPhoto::EnlargedWidth);
    EXPECT_EQ(tall.shownSize(), QSize(140, 420));
    EXPECT_EQ(tall.render().pixel(139, 419), numberedPixel(99, 299));
}

TEST(PhotoScrollTest, BarsStandWhereThePictureOverflowsAndTheOtherBarCanTipIt)
{
    const ShownPhoto wide = viewOf(numbered(640, 300), 10);
    EXPECT_TRUE(wide.hasHorizontalBar());
    EXPECT_FALSE(wide.hasVerticalBar());
    EXPECT_EQ(wide.viewport(), QSize(230, 420 - Bar));
    EXPECT_EQ(wide.maxOffset(), QPoint(640 - 230, 0));

    // 410 rows fit the view but not beside the horizontal bar.
    const ShownPhoto both = viewOf(numbered(640, 410), 10);
    EXPECT_TRUE(both.hasHorizontalBar() && both.hasVerticalBar());
    EXPECT_EQ(both.maxOffset(), QPoint(640 - (230 - Bar), 410 - (420 - Bar)));

    const ShownPhoto none = viewOf(numbered(230, 420), 10);
    EXPECT_FALSE(none.hasHorizontalBar() || none.hasVerticalBar());
    EXPECT_EQ(none.maxOffset(), QPoint(0, 0));
}

TEST(PhotoScrollTest, AScrolledViewShowsThePictureFromItsOffsetWithinReach)
{
    const QImage photo = numbered(640, 480);
    ShownPhoto view = viewOf(photo, 15, ShownPhoto::EnlargedWidth);
    const QImage whole = wholeScaled(photo, 15, 10);
    view.scrollTo({100, 50});
    EXPECT_EQ(view.render(), placed(whole, QRect(100, 50, 707, 420)));
    // Crops stay in the zoomed picture's pixels, whatever the scrolling.
    EXPECT_EQ(view.crop(QRect(300, 200, 40, 30)), placed(whole, QRect(300, 200, 40, 30)));

    view.scrollTo({5000, -20});
    EXPECT_EQ(view.offset(), QPoint(960 - (707 - Bar), 0));
    // The corner's picture point survives a change of zoom.
    view.scrollTo({240, 150});
    const QPointF corner = view.cornerInPicture();
    EXPECT_EQ(corner, QPointF(160, 100));
    view.show(photo, 20);
    EXPECT_EQ(view.offset(), QPoint(0, 0));
    view.scrollToCorner(corner);
    EXPECT_EQ(view.offset(), QPoint(320, 200));

    // A wider view may not leave the offset beyond its new reach.
    view.show(photo, 10);
    view.setWidth(ShownPhoto::NormalWidth);
    view.scrollTo({400, 10});
    EXPECT_EQ(view.offset(), QPoint(400, 10));
    view.setWidth(ShownPhoto::EnlargedWidth);
    EXPECT_EQ(view.offset(), QPoint(0, 10));
}

TEST(PhotoScrollTest, ThePrintCutOfAFittedViewComesFromThePicturesOwnPixels)
{
    // Fitted at a quarter.
    const QImage photo = numbered(920, 640);
    const ShownPhoto view = viewOf(photo, ZoomLevels::Fit);
    ASSERT_EQ(view.shownSize(), QSize(230, 160));
    // The whole fitted picture, cut for paper at the picture's own size, is the picture.
    EXPECT_EQ(view.cropFromSource(QRect(QPoint(0, 0), view.shownSize()), photo.size()), photo);
    // A part of it comes from the same place of the picture, not of the view.
    EXPECT_EQ(view.cropFromSource(QRect(115, 86, 23, 43), QSize(92, 172)), photo.copy(460, 344, 92, 172));
}

} // namespace
