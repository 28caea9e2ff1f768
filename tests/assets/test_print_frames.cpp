#include "assets/BuiltinPictures.h"

#include <gtest/gtest.h>

// The frames drawn at the print scale must put every line where the screen frame puts
// it, scaled, and keep the photo window on the light-grey inside; a frame merely
// enlarged would pass the first check but not be drawn at scale (soft perforations).
namespace {

constexpr int S = BuiltinPictures::PrintScale;

class PrintFrame : public testing::TestWithParam<int> {};

TEST_P(PrintFrame, IsTheScreenFrameScaledWithTheSameGeometry)
{
    const int n = GetParam();
    const QImage screen = BuiltinPictures::frame(n);
    const QImage print = BuiltinPictures::frame(n, S);
    ASSERT_EQ(print.size(), screen.size() * S);
    // Styles drawn on whole pixels (single, double, square teeth) are exactly the screen
    // pixels as S x S squares; the anti-aliased perforation differs only along its
    // slanted edges, so its blocks must agree on average.
    const bool wholePixels = (n + 1) / 2 != 2;
    long long totalDifference = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            int sum = 0;
            for (int dy = 0; dy < S; ++dy)
                for (int dx = 0; dx < S; ++dx) {
                    const QRgb p = print.pixel(x * S + dx, y * S + dy);
                    if (wholePixels)
                        ASSERT_EQ(p, screen.pixel(x, y)) << "Img(" << n << ") at " << x << "," << y;
                    sum += qGray(p);
                }
            totalDifference += std::abs(sum / (S * S) - qGray(screen.pixel(x, y)));
        }
    EXPECT_LT(double(totalDifference) / (screen.width() * screen.height()), 3.0) << "Img(" << n << ")";
}

TEST_P(PrintFrame, PhotoWindowLiesOnTheInsideAtScale)
{
    const int n = GetParam();
    const QImage print = BuiltinPictures::frame(n, S);
    const QRect window = n % 2 == 1 ? QRect(8 * S, 8 * S, 124 * S, 164 * S) : QRect(8 * S, 8 * S, 164 * S, 124 * S);
    for (int y = window.top(); y <= window.bottom(); y += 7)
        for (int x = window.left(); x <= window.right(); x += 7)
            ASSERT_EQ(print.pixel(x, y), qRgb(220, 220, 220)) << "Img(" << n << ") at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(AllFrames, PrintFrame, testing::Range(1, 9));

TEST(PrintFrame, ScaleOneIsTheScreenFrame)
{
    EXPECT_EQ(BuiltinPictures::frame(5, 1).cacheKey(), BuiltinPictures::frame(5).cacheKey());
    EXPECT_TRUE(BuiltinPictures::frame(9, S).isNull());
}

} // namespace
