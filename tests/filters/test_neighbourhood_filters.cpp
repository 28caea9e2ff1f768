#include "FilterTestPictures.h"
#include "filters/Filters.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace TestPictures;

namespace {
// The filtered value of the middle pixel of a 3 x 3 grey picture.
int Centre(int code, int parameter, int centre, int neighbours)
{
    const int n = neighbours;
    return FilteredGreys(code, parameter, 3, 3, {n, n, n, n, centre, n, n, n, n})[4];
}
} // namespace

TEST(NeighbourhoodFilters, LeaveAOneColourPictureAlone)
{
    const QImage original = Uniform(6, 6, qRgb(10, 200, 99));
    for (auto [code, parameter] : {std::pair{FilterCode::Sharpen, 10}, std::pair{FilterCode::Blur, 0},
                                   std::pair{FilterCode::Edge, 1}, std::pair{FilterCode::Aquarel, 0}}) {
        QImage picture = original;
        ApplyFilter(code, picture, parameter);
        EXPECT_EQ(picture, original) << "code " << code;
    }
}

TEST(SharpenFilter, WeighsTheCentreAgainstItsNeighbours)
{
    EXPECT_EQ(Centre(FilterCode::Sharpen, 10, 100, 50), 144); // (3400 - 800) \ 18
    EXPECT_EQ(Centre(FilterCode::Sharpen, 10, 0, 255), 0);    // -226 clamped
    EXPECT_EQ(Centre(FilterCode::Sharpen, 0, 100, 50), 200);  // (2400 - 800) \ 8
}

TEST(SharpenFilter, ReadsTheAlreadySharpenedLeftNeighbour)
{
    // The second pixel sees 144 on its left, not 100: (1700 - 2 * 494) \ 18 = 39.
    const std::vector<int> result = FilteredGreys(FilterCode::Sharpen, 10, 4, 3,
                                             {50, 50, 50, 50, 50, 100, 50, 50, 50, 50, 50, 50});
    EXPECT_EQ(result, (std::vector<int>{50, 50, 50, 50, 50, 144, 39, 50, 50, 50, 50, 50}));
}

TEST(EdgeFilter, StrengthensTheCentreAndWorksInPlace)
{
    EXPECT_EQ(Centre(FilterCode::Edge, 1, 100, 50), 255); // 300 clamped
    EXPECT_EQ(Centre(FilterCode::Edge, 1, 60, 50), 100);  // (600 - 400) \ 2
    // The second pixel sees 255 on its left: (500 - 605) \ 2 < 0; from the source it would be 25.
    const std::vector<int> result = FilteredGreys(FilterCode::Edge, 1, 4, 3,
                                             {50, 50, 50, 50, 50, 100, 50, 50, 50, 50, 50, 50});
    EXPECT_EQ(result[5], 255);
    EXPECT_EQ(result[6], 0);
}

TEST(BlurFilter, SpreadsOnePixelThroughTheAlreadyBlurredOnes)
{
    std::vector<int> greys(144, 0);
    greys[5 * 12 + 5] = 255; // column 6, row 6 counted from 1
    const std::vector<int> result = FilteredGreys(FilterCode::Blur, 0, 12, 12, greys);

    std::vector<int> expected(144, 0);
    const int rows[4][6] = {{0, 31, 35, 36, 4, 0}, {3, 40, 17, 11, 6, 1}, {5, 8, 9, 5, 2, 1}, {1, 2, 3, 2, 1, 0}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c)
            expected[(4 + r) * 12 + 3 + c] = rows[r][c];
    EXPECT_EQ(result, expected);
}

TEST(ContourFilter, TurnsFlatAreasIntoTheBaseColour)
{
    QImage picture = Uniform(4, 4, qRgb(30, 60, 90));
    ApplyFilter(FilterCode::Contour, picture, 0xFFFFFF);
    EXPECT_EQ(picture.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(30, 60, 90));
    EXPECT_EQ(picture.pixel(3, 2), qRgb(30, 60, 90));

    // The parameter's lowest byte is red, the next green, the third blue.
    picture = Uniform(3, 3, qRgb(30, 60, 90));
    ApplyFilter(FilterCode::Contour, picture, 0x7FFF8040);
    EXPECT_EQ(picture.pixel(1, 1), qRgb(0x40, 0x80, 0xFF));
}

TEST(ContourFilter, DarkensWhereTheColourChanges)
{
    EXPECT_EQ(Centre(FilterCode::Contour, 0xFFFFFF, 90, 100), 175); // 720 - 800 + 255
    EXPECT_EQ(Centre(FilterCode::Contour, 0xFFFFFF, 100, 90), 255);
}

TEST(ReliefFilter, HalvesFlatAreasAndAddsFifty)
{
    for (auto [grey, expected] : {std::pair{100, 100}, std::pair{255, 177}, std::pair{0, 50}}) {
        const std::vector<int> result = FilteredGreys(FilterCode::Relief, 0, 4, 4, std::vector<int>(16, grey));
        for (int i : {5, 6, 9, 10})
            EXPECT_EQ(result[i], expected) << grey;
        for (int i : {0, 3, 4, 7, 12, 15})
            EXPECT_EQ(result[i], grey) << grey;
    }
}

TEST(ReliefFilter, LightsFromTheTopLeftAndTruncatesTowardZero)
{
    // Only the pixel below is 1: (-1) \ 2 + 50 = 50 (not 49).
    EXPECT_EQ(FilteredGreys(FilterCode::Relief, 0, 3, 3, {0, 0, 0, 0, 0, 0, 0, 1, 0})[4], 50);
    EXPECT_EQ(FilteredGreys(FilterCode::Relief, 0, 3, 3, {200, 100, 100, 100, 100, 100, 100, 100, 100})[4], 200);
}

TEST(ReliefFilter, ReadsTheUnfilteredPicture)
{
    // The second pixel reads 200 on its left, not the 150 the first one became.
    const std::vector<int> result = FilteredGreys(FilterCode::Relief, 0, 4, 3,
                                             {100, 100, 100, 100, 100, 200, 100, 100, 100, 100, 100, 100});
    EXPECT_EQ(result[5], 150);
    EXPECT_EQ(result[6], 150);
}

TEST(AquarelFilter, TakesTheEarlierWindowOnEqualDeviations)
{
    // The only visited pixel is the middle one. Upper right window: eight 100s and a 109,
    // mean 101, deviation 16; lower left: eight 100s and a 91, mean 99, deviation 16;
    // the other two windows hold zeros or 255s and spread far more.
    const std::vector<int> greys = {
        0,   0,   100, 100, 100, //
        0,   0,   100, 100, 100, //
        100, 100, 100, 100, 109, //
        100, 100, 100, 255, 255, //
        91,  100, 100, 255, 255,
    };
    std::vector<int> expected = greys;
    expected[12] = 101;
    EXPECT_EQ(FilteredGreys(FilterCode::Aquarel, 0, 5, 5, greys), expected);
}

namespace {
// Aquarel straight from its rules: four windows per pixel and channel.
QImage AquarelByTheRules(const QImage &source)
{
    QImage result = source;
    for (int y = 2; y < source.height() - 2; ++y)
        for (int x = 2; x < source.width() - 2; ++x)
            for (int c = 0; c < 3; ++c) {
                int best = 99999, chosen = 0;
                for (auto [left, top] : {std::pair{x - 2, y - 2}, std::pair{x, y - 2}, std::pair{x - 2, y}, std::pair{x, y}}) {
                    int sum = 0;
                    for (int j = 0; j < 3; ++j)
                        for (int i = 0; i < 3; ++i)
                            sum += source.constScanLine(top + j)[4 * (left + i) + c];
                    const int mean = sum / 9;
                    int deviation = 0;
                    for (int j = 0; j < 3; ++j)
                        for (int i = 0; i < 3; ++i)
                            deviation += std::abs(source.constScanLine(top + j)[4 * (left + i) + c] - mean);
                    if (deviation < best) {
                        best = deviation;
                        chosen = mean;
                    }
                }
                result.scanLine(y)[4 * x + c] = uchar(chosen);
            }
    return result;
}
} // namespace

TEST(AquarelFilter, MatchesItsRulesOnEveryPixelOfVariedPictures)
{
    for (auto [width, height] : {std::pair{5, 5}, std::pair{6, 5}, std::pair{9, 8}, std::pair{17, 13}}) {
        // Few levels, so that windows often tie.
        QImage picture = Varied(width, height, unsigned(width * height));
        for (int y = 0; y < height; ++y)
            for (int i = 0; i < 4 * width; ++i)
                picture.scanLine(y)[i] &= (i % 4 == 3) ? 0xFF : 0xC3;
        const QImage expected = AquarelByTheRules(picture);
        ApplyFilter(FilterCode::Aquarel, picture, 0);
        EXPECT_EQ(picture, expected) << width << " x " << height;
    }
}
