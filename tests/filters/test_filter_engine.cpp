#include "filters/FilterArithmetic.h"
#include "FilterTestPictures.h"
#include "filters/Filters.h"
#include "filters/UniformRandom.h"

#include <gtest/gtest.h>

#include <climits>

using namespace TestPictures;

namespace {
// Every code with the parameter its menu command passes (all five swaps).
const std::vector<std::pair<int, int>> MenuCommands = {
    {FilterCode::Sharpen, 10},   {FilterCode::Negative, 0},    {FilterCode::Blur, 0},
    {FilterCode::Defuse, 6},     {FilterCode::Edge, 1},        {FilterCode::Contour, 0xFFFFFF},
    {FilterCode::Grayscale, 0},  {FilterCode::Relief, 0},      {FilterCode::Brightness, 4},
    {FilterCode::Brightness, -4}, {FilterCode::Brightness, 10}, {FilterCode::Pixelize, 3},
    {FilterCode::SwapColors, 1}, {FilterCode::SwapColors, 2},  {FilterCode::SwapColors, 3},
    {FilterCode::SwapColors, 4}, {FilterCode::SwapColors, 5},  {FilterCode::Contrast, 10},
    {FilterCode::Contrast, -10}, {FilterCode::Scattered, 15},  {FilterCode::Aquarel, 0},
    {FilterCode::AddNoise, 50},
};

QImage Negated(QImage picture)
{
    picture.invertPixels(QImage::InvertRgb);
    return picture;
}

// Installs a hook for one test and removes it again.
class ScopedHook {
public:
    explicit ScopedHook(std::function<void()> hook) { InstallFilterEventHook(std::move(hook)); }
    ~ScopedHook() { InstallFilterEventHook({}); }
};
} // namespace

TEST(FilterEngine, LeavesPicturesUnchangedForCodesNotInTheTable)
{
    const QImage original = Varied(5, 4);
    for (int code : {0, 5, 8, 18, 30, -1, INT_MAX}) {
        QImage picture = original;
        ApplyFilter(code, picture, 3);
        EXPECT_EQ(picture, original) << code;
    }
}

TEST(FilterEngine, GivesTheFourthByteBackThroughEveryFilter)
{
    const QImage original = Varied(9, 7);
    for (auto [code, parameter] : MenuCommands) {
        QImage picture = original;
        ApplyFilter(code, picture, parameter);
        EXPECT_EQ(picture.format(), QImage::Format_ARGB32);
        EXPECT_EQ(FourthBytes(picture), FourthBytes(original)) << "code " << code;
    }
}

TEST(FilterEngine, FiltersPicturesOfOneTwoAndFourPixelsSquare)
{
    for (int size : {1, 2, 4}) {
        const QImage original = Varied(size, size, unsigned(size));
        for (auto [code, parameter] : MenuCommands) {
            QImage picture = original;
            ApplyFilter(code, picture, parameter);
            EXPECT_EQ(picture.size(), original.size());
            const bool needsNeighbours = code == FilterCode::Sharpen || code == FilterCode::Blur
                || code == FilterCode::Edge || code == FilterCode::Contour || code == FilterCode::Relief;
            if ((needsNeighbours && size < 3) || code == FilterCode::Aquarel) {
                EXPECT_EQ(picture, original) << "code " << code << " on " << size;
            }
        }
    }
    QImage single = Uniform(1, 1, qRgb(10, 20, 30));
    ApplyFilter(FilterCode::Negative, single, 0);
    EXPECT_EQ(single.pixel(0, 0), qRgb(245, 235, 225));
}

TEST(FilterEngine, RefusesACallMadeWhileAnotherRuns)
{
    const QImage other = Varied(3, 3);
    QImage inner = other;
    bool busyInside = false;
    ScopedHook hook([&] {
        busyInside = FilterBusy();
        ApplyFilter(FilterCode::Negative, inner, 0);
    });
    const QImage original = Varied(6, 5);
    QImage picture = original;
    ApplyFilter(FilterCode::Negative, picture, 0);

    EXPECT_TRUE(busyInside);
    EXPECT_EQ(inner, other);
    EXPECT_EQ(picture, Negated(original));
    EXPECT_FALSE(FilterBusy());
    ApplyFilter(FilterCode::Negative, inner, 0); // the guard is down again
    EXPECT_EQ(inner, Negated(other));
}

TEST(FilterEngine, ProcessesEventsAtLeastOnceAndAtMostOncePerRowCopiedOrFiltered)
{
    int turns = 0;
    ScopedHook hook([&] { ++turns; });
    QImage picture = Varied(40, 30);
    ApplyFilter(FilterCode::Aquarel, picture, 0);
    EXPECT_GE(turns, 1);
    EXPECT_LE(turns, 2 * 30 + 1);
}

TEST(FilterEngine, ResultBecomesThePictureWhateverTheEventsDidToIt)
{
    const QImage original = Varied(12, 9);
    const std::vector<std::function<void(QImage &)>> meddling = {
        [](QImage &target) { target = Uniform(300, 200, qRgb(1, 2, 3)); },      // replaced, larger
        [](QImage &target) { target = target.copy(0, 0, 2, 2); },                // cut down
        [](QImage &target) { target = QImage(); },                               // emptied
        [](QImage &target) { target.fill(Qt::red); },                            // painted over
        [](QImage &target) { target = target.convertToFormat(QImage::Format_Grayscale8); },
    };
    for (std::size_t i = 0; i < meddling.size(); ++i) {
        QImage picture = original;
        ScopedHook hook([&] { meddling[i](picture); });
        ApplyFilter(FilterCode::Negative, picture, 0);
        EXPECT_EQ(picture, Negated(original)) << "meddling " << i;
    }
}

TEST(FilterEngine, AFlipDuringAFilterIsOverwrittenByTheResult)
{
    const QImage original = Varied(7, 4);
    QImage picture = original;
    QImage seenAfterFlip;
    ScopedHook hook([&] {
        FlipHorizontal(picture);
        seenAfterFlip = picture;
    });
    ApplyFilter(FilterCode::Relief, picture, 0);
    EXPECT_EQ(seenAfterFlip, original.mirrored(true, false)); // the flip was carried out at once

    InstallFilterEventHook({});
    QImage expected = original;
    ApplyFilter(FilterCode::Relief, expected, 0);
    EXPECT_EQ(picture, expected);
}

TEST(FilterEngine, TurnsOtherFormatsInto32BitPictures)
{
    QImage picture(2, 1, QImage::Format_RGB888);
    picture.setPixel(0, 0, qRgb(10, 20, 30));
    picture.setPixel(1, 0, qRgb(200, 100, 0));
    ApplyFilter(FilterCode::Negative, picture, 0);
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(picture.pixel(0, 0), qRgb(245, 235, 225));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(55, 155, 255));

    QImage translucent(1, 1, QImage::Format_ARGB32_Premultiplied);
    translucent.fill(qRgba(100, 0, 0, 128));
    ApplyFilter(FilterCode::Grayscale, translucent, 0);
    EXPECT_EQ(translucent.format(), QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(translucent.pixel(0, 0)), 128);

    QImage empty;
    ApplyFilter(FilterCode::Negative, empty, 0);
    EXPECT_TRUE(empty.isNull());
}

TEST(FilterEngine, IgnoresParametersTheFiltersCannotDivideBy)
{
    const QImage original = Varied(6, 6);
    for (auto [code, parameter] : {std::pair{FilterCode::Sharpen, -8}, std::pair{FilterCode::Edge, -1},
                                   std::pair{FilterCode::Pixelize, 0}, std::pair{FilterCode::Pixelize, -3},
                                   std::pair{FilterCode::Scattered, 0}}) {
        QImage picture = original;
        ApplyFilter(code, picture, parameter);
        EXPECT_EQ(picture, original) << "code " << code << " parameter " << parameter;
    }
}

TEST(FilterEngine, SurvivesTheLargestAndSmallestParameters)
{
    const QImage original = Grey(3, 3, {0, 1, 2, 100, 128, 200, 253, 254, 255});
    for (auto [code, parameter] : MenuCommands) {
        for (int extreme : {INT_MIN, INT_MAX}) {
            QImage picture = original;
            ApplyFilter(code, picture, extreme);
            EXPECT_EQ(picture.size(), original.size()) << "code " << code;
        }
    }
    QImage picture = Grey(3, 1, {0, 1, 255});
    ApplyFilter(FilterCode::Brightness, picture, INT_MAX);
    EXPECT_EQ(GreyValues(picture), (std::vector<int>{0, 255, 255}));
    picture = Grey(3, 1, {0, 100, 200});
    ApplyFilter(FilterCode::Contrast, picture, INT_MAX);
    EXPECT_EQ(GreyValues(picture), (std::vector<int>{0, 100, 255}));
}

TEST(FilterArithmetic, RoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
    EXPECT_EQ(RoundHalfEven(0.49999999999999994), 0.0);
    EXPECT_EQ(RoundHalfEven(-7.6), -8.0);
    EXPECT_EQ(RoundHalfEven(1e12 + 0.5), 1e12);
}

TEST(UniformRandom, RepeatsTheSameSequenceAtEveryStartWithinZeroToOne)
{
    UniformRandom first, second;
    double sum = 0;
    float lowest = 1, highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = first.next();
        ASSERT_EQ(r, second.next());
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        sum += r;
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_NEAR(sum / 100000, 0.5, 0.01);
    EXPECT_LT(lowest, 0.001f);
    EXPECT_GT(highest, 0.999f);
    // The program's generator goes on from where the last filter left it.
    EXPECT_NE(ProgramRandom().next(), ProgramRandom().next());
}
