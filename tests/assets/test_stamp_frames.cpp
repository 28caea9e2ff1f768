#include "assets/BuiltinPictures.h"

#include <gtest/gtest.h>

#include <vector>

// The frame pictures as the stamp box shows them: the line where each style puts it,
// and a light-grey inside that holds the whole photo window.
namespace {

const QRgb inside = qRgb(220, 220, 220);
const QRgb white = qRgb(255, 255, 255);
const QRgb black = qRgb(0, 0, 0);

bool isWhite(QRgb c) { return c == white; }
bool isDark(QRgb c) { return qGray(c) < 150; }
// Light grey, or the faint shading next to a line; not white, not line ink.
bool isGreyish(QRgb c)
{
    return !isWhite(c) && qRed(c) >= 170 && qGreen(c) >= 170 && qBlue(c) >= 160 &&
           qRed(c) < 250 && qAbs(qRed(c) - qBlue(c)) <= 40;
}

enum class Edge { Top, Bottom, Left, Right };
const Edge allEdges[] = {Edge::Top, Edge::Bottom, Edge::Left, Edge::Right};

// A picture seen from one of its edges: `along` runs beside the edge, `depth` inward.
struct EdgeView
{
    const QImage &image;
    Edge edge;

    int length() const
    {
        return edge == Edge::Top || edge == Edge::Bottom ? image.width() : image.height();
    }
    QRgb at(int along, int depth) const
    {
        switch (edge) {
        case Edge::Top: return image.pixel(along, depth);
        case Edge::Bottom: return image.pixel(along, image.height() - 1 - depth);
        case Edge::Left: return image.pixel(depth, along);
        case Edge::Right: return image.pixel(image.width() - 1 - depth, along);
        }
        return 0;
    }
    // Runs of frame pixels (not white) along the line at the given depth.
    std::vector<std::pair<int, int>> inkRuns(int depth) const
    {
        std::vector<std::pair<int, int>> runs;
        for (int a = 0; a < length(); ++a) {
            if (isWhite(at(a, depth)))
                continue;
            if (!runs.empty() && runs.back().second == a - 1)
                runs.back().second = a;
            else
                runs.push_back({a, a});
        }
        return runs;
    }
    // Centres of the white gaps between teeth at the given depth.
    std::vector<int> gapCentres(int depth) const
    {
        const auto runs = inkRuns(depth);
        std::vector<int> centres;
        for (size_t i = 1; i < runs.size(); ++i)
            centres.push_back((runs[i - 1].second + 1 + runs[i].first - 1) / 2);
        return centres;
    }
};

QString where(int n, Edge edge, int along)
{
    static const char *const names[] = {"top", "bottom", "left", "right"};
    return QStringLiteral("Img(%1) %2 edge at %3").arg(n).arg(names[int(edge)]).arg(along);
}

// From the edge inward through a column or row that meets the photo window: the last
// pixel of the frame line lies 2 or 3 grey pixels before the window at depth 8.
void expectGreyBetweenLineAndWindow(int n, Edge edge, int along)
{
    const QImage image = BuiltinPictures::frame(n);
    const EdgeView view{image, edge};
    int lastLine = -1;
    for (int d = 0; d < 8; ++d)
        if (isDark(view.at(along, d)))
            lastLine = d;
    ASSERT_GE(lastLine, 0) << qPrintable(where(n, edge, along)) << ": no frame line";
    const int grey = 7 - lastLine;
    EXPECT_TRUE(grey == 2 || grey == 3) << qPrintable(where(n, edge, along)) << ": " << grey;
    for (int d = lastLine + 1; d < 8; ++d)
        EXPECT_TRUE(isGreyish(view.at(along, d))) << qPrintable(where(n, edge, along)) << " depth " << d;
}

// The part of each edge that lies beside the photo window.
std::pair<int, int> besideWindow(const QImage &image, Edge edge)
{
    const int length = edge == Edge::Top || edge == Edge::Bottom ? image.width() : image.height();
    return {8, length - 9};
}

class EveryFrame : public ::testing::TestWithParam<int>
{
};

TEST_P(EveryFrame, HasItsSizeAndColourDepth)
{
    const int n = GetParam();
    const QImage image = BuiltinPictures::frame(n);
    EXPECT_EQ(image.size(), n % 2 ? QSize(140, 180) : QSize(180, 140));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
}

TEST_P(EveryFrame, PhotoWindowLiesWhollyOnTheLightGreyInside)
{
    const int n = GetParam();
    const QImage image = BuiltinPictures::frame(n);
    const QRect window = n % 2 ? QRect(8, 8, 124, 164) : QRect(8, 8, 164, 124);
    int wrong = 0;
    for (int y = window.top(); y <= window.bottom(); ++y)
        for (int x = window.left(); x <= window.right(); ++x)
            wrong += image.pixel(x, y) != inside;
    EXPECT_EQ(wrong, 0);
}

TEST_P(EveryFrame, FarCornersShowNoInsideGrey)
{
    // White paper or the frame itself at the far corners, never the inside.
    const QImage image = BuiltinPictures::frame(GetParam());
    for (QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, 0), QPoint(0, image.height() - 1),
                          QPoint(image.width() - 1, image.height() - 1)})
        EXPECT_NE(image.pixel(corner), inside);
}

INSTANTIATE_TEST_SUITE_P(Img, EveryFrame, ::testing::Range(1, 9));

TEST(SingleFrame, BlackTwoPixelLineAfterAFourPixelWhiteMargin)
{
    for (int n : {1, 2}) {
        const QImage image = BuiltinPictures::frame(n);
        for (Edge edge : allEdges) {
            const EdgeView view{image, edge};
            const auto [from, to] = besideWindow(image, edge);
            for (int a = from; a <= to; ++a) {
                for (int d = 0; d < 4; ++d)
                    ASSERT_EQ(view.at(a, d), white) << qPrintable(where(n, edge, a)) << " depth " << d;
                ASSERT_EQ(view.at(a, 4), black) << qPrintable(where(n, edge, a));
                ASSERT_EQ(view.at(a, 5), black) << qPrintable(where(n, edge, a));
                ASSERT_EQ(view.at(a, 6), inside) << qPrintable(where(n, edge, a));
            }
        }
    }
}

TEST(DoubleFrame, OuterLineThreeWhiteThenInnerLineOnTheFifthPixel)
{
    for (int n : {5, 6}) {
        const QImage image = BuiltinPictures::frame(n);
        for (Edge edge : allEdges) {
            const EdgeView view{image, edge};
            for (int a = 0; a < view.length(); ++a)
                ASSERT_EQ(view.at(a, 0), black) << qPrintable(where(n, edge, a));
            const auto [from, to] = besideWindow(image, edge);
            for (int a = from; a <= to; ++a) {
                for (int d = 1; d < 4; ++d)
                    ASSERT_EQ(view.at(a, d), white) << qPrintable(where(n, edge, a)) << " depth " << d;
                ASSERT_EQ(view.at(a, 4), black) << qPrintable(where(n, edge, a));
                ASSERT_EQ(view.at(a, 5), inside) << qPrintable(where(n, edge, a));
            }
        }
    }
}

TEST(PlainFrames, TwoOrThreeGreyPixelsBetweenLineAndWindowAllRound)
{
    for (int n : {1, 2, 5, 6}) {
        const QImage image = BuiltinPictures::frame(n);
        for (Edge edge : allEdges) {
            const auto [from, to] = besideWindow(image, edge);
            for (int a = from; a <= to; ++a)
                expectGreyBetweenLineAndWindow(n, edge, a);
        }
    }
}

TEST(SquareTeethFrame, FourteenTeethOnShortEdgesEighteenOnLongOnes)
{
    for (int n : {7, 8}) {
        const QImage image = BuiltinPictures::frame(n);
        for (Edge edge : allEdges) {
            const EdgeView view{image, edge};
            const size_t expected = view.length() == 140 ? 14 : 18;
            EXPECT_EQ(view.inkRuns(1).size(), expected) << qPrintable(where(n, edge, 0));
        }
    }
}

TEST(SquareTeethFrame, TeethSixWideFourOutWithFourPixelGaps)
{
    for (int n : {7, 8}) {
        const QImage image = BuiltinPictures::frame(n);
        for (Edge edge : allEdges) {
            const EdgeView view{image, edge};
            const auto runs = view.inkRuns(1);
            // The corner teeth join their neighbours round the corner; the others stand alone.
            for (size_t i = 1; i + 1 < runs.size(); ++i) {
                EXPECT_EQ(runs[i].second - runs[i].first + 1, 6) << qPrintable(where(n, edge, runs[i].first));
                EXPECT_EQ(runs[i].first - runs[i - 1].second - 1, 4) << qPrintable(where(n, edge, runs[i].first));
                const int middle = runs[i].first + 2;
                EXPECT_EQ(view.at(middle, 0), black) << "tooth tip, " << qPrintable(where(n, edge, middle));
                EXPECT_EQ(view.at(runs[i].first, 2), black) << "tooth side, " << qPrintable(where(n, edge, middle));
            }
            for (int gap : view.gapCentres(1)) {
                for (int d = 0; d < 4; ++d)
                    EXPECT_EQ(view.at(gap, d), white) << qPrintable(where(n, edge, gap)) << " depth " << d;
                EXPECT_EQ(view.at(gap, 4), black) << qPrintable(where(n, edge, gap));
            }
        }
    }
}

TEST(PerforatedFrame, FifteenRoundTeethOnShortEdgesNineteenOnLongOnes)
{
    for (int n : {3, 4}) {
        const QImage image = BuiltinPictures::frame(n);
        for (Edge edge : allEdges) {
            const EdgeView view{image, edge};
            const size_t expected = view.length() == 140 ? 15 : 19;
            EXPECT_EQ(view.inkRuns(1).size(), expected) << qPrintable(where(n, edge, 0));
            // Teeth about 5 deep: between two teeth the white reaches down to the fifth
            // pixel, which only the smoothing of the outline may tint; the sixth is line.
            for (int gap : view.gapCentres(1)) {
                for (int d = 0; d < 4; ++d)
                    EXPECT_EQ(view.at(gap, d), white) << qPrintable(where(n, edge, gap)) << " depth " << d;
                EXPECT_GT(qGray(view.at(gap, 4)), 230) << qPrintable(where(n, edge, gap));
                EXPECT_TRUE(isDark(view.at(gap, 5))) << qPrintable(where(n, edge, gap));
            }
        }
    }
}

TEST(PerforatedFrame, DarkGreyAntialiasedOutline)
{
    const QImage image = BuiltinPictures::frame(3);
    int darkGrey = 0;
    int blended = 0;
    for (int x = 0; x < image.width(); ++x) {
        const int g = qGray(image.pixel(x, 0));
        darkGrey += g < 130 && g > 40;
        blended += g >= 130 && g < 250;
    }
    EXPECT_GT(darkGrey, 0) << "the tips are drawn in dark grey";
    EXPECT_GT(blended, 0) << "the outline is smoothed into the white";
    for (int x = 0; x < image.width(); ++x)
        EXPECT_GT(qGray(image.pixel(x, 0)), 40) << "no black at " << x;
}

TEST(ToothedFrames, TwoOrThreeGreyPixelsBetweenLineAndWindowBelowEachGap)
{
    for (int n : {3, 4, 7, 8}) {
        const QImage image = BuiltinPictures::frame(n);
        for (Edge edge : allEdges) {
            const auto gaps = EdgeView{image, edge}.gapCentres(1);
            ASSERT_FALSE(gaps.empty());
            for (int gap : gaps)
                expectGreyBetweenLineAndWindow(n, edge, gap);
        }
    }
}

TEST(PerforatedFrame, FaintYellowishShadingInsideTheOutline)
{
    const QImage image = BuiltinPictures::frame(3);
    const int gap = EdgeView{image, Edge::Top}.gapCentres(1).at(3);
    const QRgb shade = image.pixel(gap, 6);
    EXPECT_GT(qRed(shade), qBlue(shade) + 4);
    EXPECT_GE(qBlue(shade), 170) << "faint, not a second line";
}

} // namespace
