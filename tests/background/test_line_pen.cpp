#include "background/LinePen.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

// Draws one white line on a black picture and lists the pixels it set.
Pixels drawn(QSize size, QPoint from, QPoint to)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    LinePen pen(image);
    pen.setColor(qRgb(255, 255, 255));
    pen.line(from, to);
    Pixels set;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 255, 255))
                set.insert({x, y});
    return set;
}

} // namespace

TEST(LinePen, ShallowLineRoundsTiesAwayFromItsStart)
{
    EXPECT_EQ(drawn({6, 4}, {0, 0}, {4, 2}), (Pixels{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}));
    EXPECT_EQ(drawn({6, 4}, {4, 2}, {0, 0}), (Pixels{{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}));
}

TEST(LinePen, SteepLineStepsAlongTheRows)
{
    EXPECT_EQ(drawn({3, 5}, {0, 0}, {1, 3}), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
    // Half-way at row 2: the tie goes away from the start, to column 1.
    EXPECT_EQ(drawn({3, 5}, {2, 4}, {1, 0}), (Pixels{{2, 4}, {2, 3}, {1, 2}, {1, 1}, {1, 0}}));
}

TEST(LinePen, DiagonalRunsUpToTheRight)
{
    EXPECT_EQ(drawn({6, 6}, {5, 0}, {0, 5}), (Pixels{{5, 0}, {4, 1}, {3, 2}, {2, 3}, {1, 4}, {0, 5}}));
}

TEST(LinePen, ClippingKeepsThePixelsOfTheWholeLine)
{
    // The unclipped line is (-2,-1) (-1,0) (0,0) (1,1) (2,1).
    EXPECT_EQ(drawn({3, 3}, {-2, -1}, {2, 1}), (Pixels{{0, 0}, {1, 1}, {2, 1}}));
    EXPECT_EQ(drawn({3, 3}, {5, 5}, {9, 1}), Pixels{});
}

TEST(LinePen, StraightLinesIncludeBothEndsInEitherDirection)
{
    EXPECT_EQ(drawn({5, 3}, {3, 1}, {1, 1}), (Pixels{{1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(drawn({3, 5}, {1, 4}, {1, 2}), (Pixels{{1, 2}, {1, 3}, {1, 4}}));
    EXPECT_EQ(drawn({4, 2}, {-5, 0}, {100, 0}), (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(drawn({2, 4}, {1, 9}, {1, -3}), (Pixels{{1, 0}, {1, 1}, {1, 2}, {1, 3}}));
    EXPECT_EQ(drawn({4, 4}, {2, 2}, {2, 2}), (Pixels{{2, 2}}));
}

TEST(LinePen, RectangleOutlineIsClippedAndLeavesTheInside)
{
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(Qt::black);
    LinePen pen(image);
    pen.setColor(qRgb(255, 255, 255));
    pen.rectOutline({1, 1}, {5, 4});
    // Right side x = 5 and bottom side y = 4 lie outside; top and left remain.
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool onOutline = (y == 1 || x == 1) && x >= 1 && y >= 1;
            EXPECT_EQ(image.pixel(x, y) == qRgb(255, 255, 255), onOutline) << x << "," << y;
        }
    }
}

TEST(LinePen, KeepsAnOtherwiseFormattedPictureAfterConversion)
{
    QImage image(3, 2, QImage::Format_RGB888);
    image.fill(qRgb(10, 20, 30));
    ensureLinePenFormat(image);
    ASSERT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(2, 1), qRgb(10, 20, 30));
}
