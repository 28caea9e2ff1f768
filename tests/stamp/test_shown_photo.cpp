#include "assets/BuiltinPictures.h"
#include "stamp/ShownPhoto.h"
#include "StampTestFiles.h"
#include "stamp/ZoomLevels.h"

#include <cmath>
#include <gtest/gtest.h>

using StampTestFiles::numbered;
using StampTestFiles::numberedPixel;
using StampTestFiles::placed;
using StampTestFiles::ViewBackdrop;

namespace {

ShownPhoto viewOf(const QImage &picture, int zoomIndex, int width = ShownPhoto::NormalWidth)
{
    ShownPhoto view;
    view.setBackground(QColor::fromRgb(ViewBackdrop));
    view.setWidth(width);
    view.show(picture, zoomIndex);
    return view;
}

// The whole picture scaled as a plain stretched copy to W * index / 10 by H * index / 10,
// each pixel showing the picture pixel under its centre: the brute-force reference.
QImage wholeZoomed(const QImage &picture, int index)
{
    const int w = std::max(1, picture.width() * index / 10);
    const int h = std::max(1, picture.height() * index / 10);
    QImage zoomed(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = std::min(int(std::floor((x + 0.5) * 10.0 / index)), picture.width() - 1);
            const int sy = std::min(int(std::floor((y + 0.5) * 10.0 / index)), picture.height() - 1);
            zoomed.setPixel(x, y, picture.pixel(sx, sy));
        }
    return zoomed;
}

TEST(ShownPhotoTest, StartsWithTheStartPictureInTheNormalWidth)
{
    ShownPhoto view;
    EXPECT_EQ(view.size(), QSize(230, 420));
    EXPECT_EQ(view.render(), BuiltinPictures::startPicture().convertToFormat(QImage::Format_RGB32));
}

TEST(ShownPhotoTest, A640By480PhotoShowsItsTopLeftAt100Percent)
{
    const QImage photo = numbered(640, 480);
    const QImage shown = viewOf(photo, 10).render();
    ASSERT_EQ(shown.size(), QSize(230, 420));
    EXPECT_EQ(shown, photo.copy(0, 0, 230, 420));
    EXPECT_EQ(viewOf(photo, 10, ShownPhoto::EnlargedWidth).render(), placed(photo, QRect(0, 0, 707, 420)));
}

TEST(ShownPhotoTest, APictureSmallerThanTheViewLeavesTheBackdrop)
{
    const QImage photo = numbered(100, 80);
    const QImage shown = viewOf(photo, 10).render();
    EXPECT_EQ(shown.pixel(99, 79), numberedPixel(99, 79));
    EXPECT_EQ(shown.pixel(100, 79), ViewBackdrop);
    EXPECT_EQ(shown.pixel(99, 80), ViewBackdrop);
    EXPECT_EQ(shown.pixel(229, 419), ViewBackdrop);
}

TEST(ShownPhotoTest, TenPercentOf640By480Is64By48TakenFromPixelCentres)
{
    const ShownPhoto view = viewOf(numbered(640, 480), 1);
    EXPECT_EQ(view.shownSize(), QSize(64, 48));
    const QImage shown = view.render();
    // Zoomed pixel (3, 2) covers picture pixels 30..39 and 20..29; its centre is (35, 25).
    EXPECT_EQ(shown.pixel(3, 2), numberedPixel(35, 25));
    EXPECT_EQ(shown.pixel(63, 47), numberedPixel(635, 475));
    EXPECT_EQ(shown.pixel(64, 0), ViewBackdrop);
    EXPECT_EQ(shown.pixel(0, 48), ViewBackdrop);
}

TEST(ShownPhotoTest, TwoHundredPercentShowsTheTopLeftOf1280By960)
{
    const ShownPhoto view = viewOf(numbered(640, 480), 20, ShownPhoto::EnlargedWidth);
    EXPECT_EQ(view.shownSize(), QSize(1280, 960));
    const QImage shown = view.render();
    EXPECT_EQ(shown.pixel(0, 0), numberedPixel(0, 0));
    EXPECT_EQ(shown.pixel(1, 1), numberedPixel(0, 0));
    EXPECT_EQ(shown.pixel(2, 3), numberedPixel(1, 1));
    EXPECT_EQ(shown.pixel(706, 419), numberedPixel(353, 209));
}

TEST(ShownPhotoTest, ZoomedSizesOfAnOddPicture)
{
    EXPECT_EQ(ZoomLevels::zoomedSize(QSize(333, 251), 1), QSize(33, 25));
    EXPECT_EQ(ZoomLevels::zoomedSize(QSize(333, 251), 15), QSize(499, 376));
    EXPECT_EQ(ZoomLevels::zoomedSize(QSize(333, 251), 3), QSize(99, 75));
    EXPECT_EQ(ZoomLevels::zoomedSize(QSize(4, 3), 1), QSize(1, 1));
}

TEST(ShownPhotoTest, EveryZoomLevelEqualsScalingTheWholePicture)
{
    const QImage photo = numbered(333, 251);
    for (int index : ZoomLevels::Indexes) {
        const ShownPhoto view = viewOf(photo, index, ShownPhoto::EnlargedWidth);
        const QImage whole = wholeZoomed(photo, index);
        EXPECT_EQ(view.shownSize(), whole.size()) << index;
        EXPECT_EQ(view.render(), placed(whole, QRect(0, 0, 707, 420))) << "view at " << index;
        // A selection dragged on past the view's bottom-right corner.
        const QRect beyond(600, 380, 200, 150);
        EXPECT_EQ(view.crop(beyond), placed(whole, beyond)) << "crop at " << index;
    }
}

TEST(ShownPhotoTest, ACropPastThePictureGetsTheBackdrop)
{
    const QImage crop = viewOf(numbered(100, 80), 10).crop(QRect(90, 70, 20, 20));
    ASSERT_EQ(crop.size(), QSize(20, 20));
    EXPECT_EQ(crop.pixel(9, 9), numberedPixel(99, 79));
    EXPECT_EQ(crop.pixel(10, 9), ViewBackdrop);
    EXPECT_EQ(crop.pixel(9, 10), ViewBackdrop);
}

TEST(ShownPhotoTest, ACropOfTheNormalViewReachesPhotoPixelsBeyondItsRightEdge)
{
    const QImage crop = viewOf(numbered(640, 480), 10).crop(QRect(200, 0, 60, 10));
    EXPECT_EQ(crop.pixel(59, 9), numberedPixel(259, 9));
}

} // namespace
