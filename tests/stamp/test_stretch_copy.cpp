#include "stamp/StretchCopy.h"

#include <gtest/gtest.h>

namespace {

QImage grey(std::initializer_list<std::initializer_list<int>> rows)
{
    const int h = int(rows.size());
    const int w = int(rows.begin()->size());
    QImage image(w, h, QImage::Format_RGB32);
    int y = 0;
    for (const auto &row : rows) {
        int x = 0;
        for (int v : row)
            image.setPixel(x++, y, qRgb(v, v, v));
        ++y;
    }
    return image;
}

int level(const QImage &image, int x, int y) { return qRed(image.pixel(x, y)); }

TEST(StretchCopyTest, HalvingAveragesEachTwoByTwoBlock)
{
    const QImage out = StretchCopy::stretched(grey({{10, 20, 0, 0}, {30, 40, 100, 101}}), QSize(2, 1));
    ASSERT_EQ(out.size(), QSize(2, 1));
    EXPECT_EQ(level(out, 0, 0), 25);
    EXPECT_EQ(level(out, 1, 0), 50); // 201 / 4 = 50.25
}

TEST(StretchCopyTest, ReducingThreeToTwoWeighsThePixelsByTheAreaTheyCover)
{
    // Each target pixel covers one and a half source pixels.
    const QImage out = StretchCopy::stretched(grey({{0, 90, 180}}), QSize(2, 1));
    EXPECT_EQ(level(out, 0, 0), 30);  // (2 * 0 + 1 * 90) / 3
    EXPECT_EQ(level(out, 1, 0), 150); // (1 * 90 + 2 * 180) / 3
}

TEST(StretchCopyTest, EnlargingRepeatsPixelsWithoutBlending)
{
    // Target pixel d shows source pixel floor((d + 0.5) * 2 / 5): 0, 0, 1, 1, 1.
    const QImage out = StretchCopy::stretched(grey({{10, 200}}), QSize(5, 2));
    const int expected[] = {10, 10, 200, 200, 200};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(level(out, x, y), expected[x]) << x << "," << y;
}

TEST(StretchCopyTest, EachAxisChoosesOnItsOwn)
{
    // Four columns averaged into two, one row repeated into three.
    const QImage out = StretchCopy::stretched(grey({{0, 100, 50, 51}}), QSize(2, 3));
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(level(out, 0, y), 50);
        EXPECT_EQ(level(out, 1, y), 51); // 50.5 rounds up
    }
}

TEST(StretchCopyTest, TheSameSizeIsAnExactCopy)
{
    const QImage source = grey({{1, 2, 3}, {4, 5, 6}});
    EXPECT_EQ(StretchCopy::stretched(source, source.size()), source);
}

TEST(StretchCopyTest, NothingToStretchGivesNothing)
{
    EXPECT_TRUE(StretchCopy::stretched(QImage(), QSize(4, 4)).isNull());
    EXPECT_TRUE(StretchCopy::stretched(grey({{1}}), QSize(0, 4)).isNull());
}

} // namespace
