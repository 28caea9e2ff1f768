#include "FilterTestPictures.h"
#include "filters/Filters.h"

#include <gtest/gtest.h>

using namespace TestPictures;

namespace {
// 3 x 2: pixel (x, y) has grey 10 * y + x.
QImage Numbered() { return Grey(3, 2, {0, 1, 2, 10, 11, 12}); }
} // namespace

TEST(Flips, FlipHorizontalExchangesLeftAndRight)
{
    QImage picture = Numbered();
    FlipHorizontal(picture);
    EXPECT_EQ(GreyValues(picture), (std::vector<int>{2, 1, 0, 12, 11, 10}));
}

TEST(Flips, FlipVerticalExchangesTopAndBottom)
{
    QImage picture = Numbered();
    FlipVertical(picture);
    EXPECT_EQ(GreyValues(picture), (std::vector<int>{10, 11, 12, 0, 1, 2}));
}

TEST(Flips, MirrorBackgroundExchangesLeftAndRight)
{
    QImage picture = Numbered();
    MirrorBackground(picture);
    EXPECT_EQ(GreyValues(picture), (std::vector<int>{2, 1, 0, 12, 11, 10}));
}

TEST(Flips, TwiceRestoresEveryPixelAndFourthByte)
{
    const QImage original = Varied(7, 5);
    for (auto flip : {FlipHorizontal, FlipVertical, MirrorBackground}) {
        QImage picture = original;
        flip(picture);
        EXPECT_NE(picture, original);
        flip(picture);
        EXPECT_EQ(picture, original);
    }
}

TEST(Flips, LeaveACopySharingThePicturesPixelsAlone)
{
    const QImage original = Numbered();
    QImage picture = original;
    FlipVertical(picture);
    EXPECT_EQ(GreyValues(original), (std::vector<int>{0, 1, 2, 10, 11, 12}));
}
