#include "FilterTestPictures.h"
#include "filters/Filters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>

using namespace TestPictures;

namespace {
std::vector<int> Ramp(int count)
{
    std::vector<int> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = i;
    return values;
}

std::set<QRgb> Colours(const QImage &picture)
{
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colours.insert(picture.pixel(x, y) & 0xFFFFFF);
    return colours;
}

// Every channel value the picture holds.
std::set<int> ChannelValues(const QImage &picture)
{
    std::set<int> values;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            for (int c = 0; c < 3; ++c)
                values.insert(picture.constScanLine(y)[4 * x + c]);
    return values;
}
} // namespace

TEST(PixelizeFilter, AveragesTheNarrowSquareAtTheRightEdgeOnItsOwn)
{
    // Columns 1..3 average 210 / 6 = 35, columns 4..5 average 241 / 4 = 60.
    EXPECT_EQ(FilteredGreys(FilterCode::Pixelize, 3, 5, 2, {10, 20, 30, 40, 51, 40, 50, 60, 70, 80}),
              (std::vector<int>{35, 35, 35, 60, 60, 35, 35, 35, 60, 60}));
}

TEST(PixelizeFilter, GivesEverySquareItsTruncatedMean)
{
    // A 6 x 6 ramp 0..35: the squares' means are 63 \ 9, 90 \ 9, 225 \ 9 and 252 \ 9.
    const std::vector<int> result = FilteredGreys(FilterCode::Pixelize, 3, 6, 6, Ramp(36));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const int expected = y < 3 ? (x < 3 ? 7 : 10) : (x < 3 ? 25 : 28);
            EXPECT_EQ(result[y * 6 + x], expected) << x << ", " << y;
        }
}

TEST(PixelizeFilter, KeepsALoneCornerPixelAndASinglePixel)
{
    const std::vector<int> ramp = Ramp(49);
    EXPECT_EQ(FilteredGreys(FilterCode::Pixelize, 3, 7, 7, ramp)[48], 48);
    EXPECT_EQ(FilteredGreys(FilterCode::Pixelize, 3, 1, 1, {77}), (std::vector<int>{77}));
    // A square larger than the picture averages all of it: 66 \ 12 = 5.
    EXPECT_EQ(FilteredGreys(FilterCode::Pixelize, INT_MAX, 4, 3, Ramp(12)), std::vector<int>(12, 5));
}

TEST(DefuseFilter, WithoutSpreadChangesNothing)
{
    const QImage original = Varied(8, 6);
    QImage picture = original;
    ApplyFilter(FilterCode::Defuse, picture, 0);
    EXPECT_EQ(picture, original);
}

TEST(DefuseFilter, SpreadOneTakesFromTheRightOrBelowOnly)
{
    // Spread 1: f = Round(0.5) = 0, so each offset is Round(r), 0 or 1. The pixels to
    // the right and below are not moved yet, so every pixel ends with the original
    // colour of itself, its right, lower or lower right neighbour, within the picture.
    const int w = 16, h = 16;
    const std::vector<int> ramp = Ramp(w * h);
    const std::vector<int> result = FilteredGreys(FilterCode::Defuse, 1, w, h, ramp);
    std::set<std::pair<int, int>> offsetsSeen;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int from = result[y * w + x];
            const int dx = from % w - x, dy = from / w - y;
            EXPECT_TRUE(dx >= 0 && dx <= 1 && dy >= 0 && dy <= 1) << x << ", " << y;
            offsetsSeen.insert({dx, dy});
        }
    EXPECT_EQ(offsetsSeen.size(), 4u);
    EXPECT_EQ(result[w * h - 1], w * h - 1); // the last pixel has nowhere to go
}

TEST(DefuseFilter, NeverReachesOutsideThePicture)
{
    for (int spread : {6, 50, INT_MAX, INT_MIN}) {
        const QImage original = Varied(4, 3, unsigned(spread));
        QImage picture = original;
        ApplyFilter(FilterCode::Defuse, picture, spread);
        const std::set<QRgb> before = Colours(original), after = Colours(picture);
        EXPECT_TRUE(std::includes(before.begin(), before.end(), after.begin(), after.end())) << spread;
        EXPECT_EQ(FourthBytes(picture), FourthBytes(original));
    }
}

TEST(AddNoiseFilter, WithoutAmplitudeAddsZeroOrOne)
{
    // v = Round(r + S): 0 for r up to one half, 1 above it.
    QImage picture = Uniform(64, 64, qRgb(100, 100, 100));
    ApplyFilter(FilterCode::AddNoise, picture, 0);
    EXPECT_EQ(ChannelValues(picture), (std::set<int>{100, 101}));

    picture = Uniform(16, 16, qRgb(255, 255, 255));
    ApplyFilter(FilterCode::AddNoise, picture, 0);
    EXPECT_EQ(ChannelValues(picture), (std::set<int>{255}));
}

TEST(AddNoiseFilter, StaysWithinTheAmplitudeAndTheChannelRange)
{
    QImage picture = Uniform(64, 64, qRgb(128, 128, 128));
    ApplyFilter(FilterCode::AddNoise, picture, 50);
    std::set<int> values = ChannelValues(picture);
    EXPECT_GE(*values.begin(), 78);
    EXPECT_LE(*values.rbegin(), 179);
    EXPECT_LT(*values.begin(), 85); // the noise really spreads over the whole range
    EXPECT_GT(*values.rbegin(), 172);

    picture = Uniform(64, 64, qRgb(0, 0, 0));
    ApplyFilter(FilterCode::AddNoise, picture, 50);
    values = ChannelValues(picture);
    EXPECT_EQ(*values.begin(), 0); // negative noise on black stays black
    EXPECT_LE(*values.rbegin(), 51);
}

TEST(ScatteredFilter, TurnsBlackWhiteAndKeepsWhite)
{
    for (QRgb colour : {qRgb(0, 0, 0), qRgb(255, 255, 255)}) {
        QImage picture = Uniform(7, 5, colour);
        ApplyFilter(FilterCode::Scattered, picture, 15);
        EXPECT_EQ(Colours(picture), (std::set<QRgb>{0xFFFFFF})) << colour;
    }
}

TEST(ScatteredFilter, YieldsOnlyBlackAndWhiteAndKeepsTheFourthByte)
{
    const QImage original = Varied(23, 17);
    QImage picture = original;
    ApplyFilter(FilterCode::Scattered, picture, 15);
    EXPECT_EQ(Colours(picture), (std::set<QRgb>{0x000000, 0xFFFFFF}));
    EXPECT_EQ(FourthBytes(picture), FourthBytes(original));
}

TEST(ScatteredFilter, DiffusesTwoThirdsOfTheErrorAlongTheRow)
{
    // Mean grey 141. Errors 120 and 134 reach the third pixel as 11 + 25 = 36 shares,
    // of which 360 \ 15 = 24 count: 120 + 24 = 144 is white.
    EXPECT_EQ(FilteredGreys(FilterCode::Scattered, 15, 4, 1, {120, 120, 120, 207}), (std::vector<int>{0, 0, 255, 255}));
}

TEST(ScatteredFilter, DiffusesTheErrorIntoTheRowsBelow)
{
    // Mean 120: the first pixel is white, its error -135 sends -25 to the next row,
    // making it 120 - 16 = 104, black; the third row gets -12 + 19 and turns white.
    EXPECT_EQ(FilteredGreys(FilterCode::Scattered, 15, 1, 3, {120, 120, 120}), (std::vector<int>{255, 0, 255}));
}
