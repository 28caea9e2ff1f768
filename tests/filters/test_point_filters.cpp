#include "filters/FilterRoutines.h"
#include "FilterTestPictures.h"
#include "filters/Filters.h"

#include <gtest/gtest.h>

using namespace TestPictures;

namespace {
// One pixel through a filter: blue, green, red in, blue, green, red out.
std::array<int, 3> FilterPixel(int code, int parameter, int blue, int green, int red)
{
    QImage picture = Uniform(1, 1, qRgb(red, green, blue));
    ApplyFilter(code, picture, parameter);
    const QRgb p = picture.pixel(0, 0);
    return {qBlue(p), qGreen(p), qRed(p)};
}

using Bgr = std::array<int, 3>;

std::array<std::int64_t, 3> Fit(std::int64_t b1, std::int64_t b2, std::int64_t b3)
{
    FitToRange(b1, b2, b3);
    return {b1, b2, b3};
}
} // namespace

TEST(NegativeFilter, InvertsEachChannelAndTwiceRestores)
{
    EXPECT_EQ(FilterPixel(FilterCode::Negative, 0, 10, 20, 31), (Bgr{245, 235, 224}));
    const QImage original = Varied(7, 5);
    QImage picture = original;
    ApplyFilter(FilterCode::Negative, picture, 0);
    EXPECT_NE(picture, original);
    ApplyFilter(FilterCode::Negative, picture, 0);
    EXPECT_EQ(picture, original);
}

TEST(GrayscaleFilter, TakesATruncatedThirdOfTheChannelSum)
{
    EXPECT_EQ(FilterPixel(FilterCode::Grayscale, 0, 10, 20, 31), (Bgr{20, 20, 20}));
    EXPECT_EQ(FilterPixel(FilterCode::Grayscale, 0, 255, 255, 254), (Bgr{254, 254, 254}));
    EXPECT_EQ(FilterPixel(FilterCode::Grayscale, 0, 0, 0, 2), (Bgr{0, 0, 0}));
}

TEST(BrightnessFilter, MapsTheMenuPercentagesAsTheCurvesSay)
{
    EXPECT_EQ(FilterPixel(FilterCode::Brightness, 4, 100, 125, 255), (Bgr{104, 130, 255}));
    EXPECT_EQ(FilterPixel(FilterCode::Brightness, -4, 255, 125, 0), (Bgr{245, 120, 0}));
    EXPECT_EQ(FilterPixel(FilterCode::Brightness, 10, 231, 232, 5), (Bgr{254, 255, 6}));
}

TEST(BrightnessFilter, RoundsExactHalvesToEven)
{
    // Factor 0.5: 1 -> 0.5, 3 -> 1.5, 5 -> 2.5, 7 -> 3.5.
    EXPECT_EQ(FilterPixel(FilterCode::Brightness, -50, 1, 3, 5), (Bgr{0, 2, 2}));
    EXPECT_EQ(FilterPixel(FilterCode::Brightness, -50, 7, 9, 11), (Bgr{4, 4, 6}));
}

TEST(BrightnessFilter, HoldsTheFactorInSinglePrecision)
{
    // 1.1 as a float is slightly above 1.1: 15 -> 16.5000004 -> 17 and 35 -> 39,
    // where the double 1.1 would give 16.5 -> 16 and 38.5 -> 38.
    EXPECT_EQ(FilterPixel(FilterCode::Brightness, 10, 15, 35, 0), (Bgr{17, 39, 0}));
}

TEST(ContrastFilter, LeavesAUniformGreyUnchanged)
{
    for (int percentage : {10, -10}) {
        const QImage original = Uniform(4, 3, qRgb(77, 77, 77));
        QImage picture = original;
        ApplyFilter(FilterCode::Contrast, picture, percentage);
        EXPECT_EQ(picture, original) << percentage;
    }
}

TEST(ContrastFilter, StretchesAroundTheMeanGreyAndBalancesOvershoot)
{
    // Greys 66 and 200, mean 133. Curve for 1.1: 0 -> -13, 100 -> 97, 200 -> 207.
    // The first pixel (-13, 97, 97) hands half of its undershoot, -6, to the others.
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(100, 100, 0));
    picture.setPixel(1, 0, qRgb(200, 200, 200));
    ApplyFilter(FilterCode::Contrast, picture, 10);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(91, 91, 0));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(207, 207, 207));
}

TEST(ContrastFilter, BalancesTwoOvershootsOneAfterTheOther)
{
    // Grey 127; curve 0 -> -13, 255 -> 268, 128 -> 128. Blue hands -6 to the others
    // first, then green hands (262 - 255) \ 2 = 3 back.
    EXPECT_EQ(FilterPixel(FilterCode::Contrast, 10, 0, 255, 128), (Bgr{3, 255, 125}));
}

TEST(ContrastFilter, BalancesAgainWhenTheHalvesPushAnotherChannelOut)
{
    // Grey 82; curve 0 -> -8, 8 -> 1, 238 -> 254. Blue's -4 pushes green to -3, whose
    // -1 pushes blue to -1 in turn, which a second pass sets to 0.
    EXPECT_EQ(FilterPixel(FilterCode::Contrast, 10, 0, 8, 238), (Bgr{0, 0, 249}));
}

TEST(FitToRange, HandsHalfTheOvershootToTheOtherChannels)
{
    using T = std::array<std::int64_t, 3>;
    EXPECT_EQ(Fit(300, 100, 100), (T{255, 122, 122}));
    EXPECT_EQ(Fit(-10, 50, 50), (T{0, 45, 45}));
    EXPECT_EQ(Fit(300, 250, 100), (T{255, 255, 137}));
    EXPECT_EQ(Fit(-30, 300, 100), (T{15, 255, 100}));
    EXPECT_EQ(Fit(260, 258, 300), (T{255, 255, 255}));
    EXPECT_EQ(Fit(-5, -1, 0), (T{0, 0, 0}));
    EXPECT_EQ(Fit(0, 128, 255), (T{0, 128, 255}));
}

TEST(SwapColorsFilter, FollowsTheFivePermutations)
{
    // Blue 1, green 2, red 3; "RGB --> XYZ": new red, green, blue take old X, Y, Z.
    EXPECT_EQ(FilterPixel(FilterCode::SwapColors, 1, 1, 2, 3), (Bgr{2, 3, 1})); // BRG
    EXPECT_EQ(FilterPixel(FilterCode::SwapColors, 2, 1, 2, 3), (Bgr{3, 1, 2})); // GBR
    EXPECT_EQ(FilterPixel(FilterCode::SwapColors, 3, 1, 2, 3), (Bgr{2, 1, 3})); // RBG
    EXPECT_EQ(FilterPixel(FilterCode::SwapColors, 4, 1, 2, 3), (Bgr{3, 2, 1})); // BGR
    EXPECT_EQ(FilterPixel(FilterCode::SwapColors, 5, 1, 2, 3), (Bgr{1, 3, 2})); // GRB
    EXPECT_EQ(FilterPixel(FilterCode::SwapColors, 6, 1, 2, 3), (Bgr{1, 2, 3}));
}

TEST(SwapColorsFilter, InversePermutationsRestoreThePicture)
{
    const QImage original = Varied(6, 4);
    for (auto [first, second] : {std::pair{4, 4}, std::pair{1, 2}, std::pair{2, 1}, std::pair{3, 3}}) {
        QImage picture = original;
        ApplyFilter(FilterCode::SwapColors, picture, first);
        ApplyFilter(FilterCode::SwapColors, picture, second);
        EXPECT_EQ(picture, original) << first << " then " << second;
    }
}
