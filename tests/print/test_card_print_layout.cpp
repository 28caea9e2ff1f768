#include "print/CardPrintLayout.h"
#include "print/PrintedCard.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    int layoutKind;
    QList<double> lefts;
    QList<double> tops;
};

void expectPlaces(const LineCase &c)
{
    for (int line = 1; line <= 7; ++line) {
        const QPointF place = CardPrintLayout::textLinePlace(c.layoutKind, line);
        EXPECT_DOUBLE_EQ(place.x(), c.lefts[line - 1]) << "layout " << c.layoutKind << " line " << line;
        EXPECT_NEAR(place.y(), c.tops[line - 1], 1e-9) << "layout " << c.layoutKind << " line " << line;
    }
}

const QList<double> EvenTops = {6, 11.5, 17, 22.5, 28, 33.5, 39};

} // namespace

TEST(PrintedTextLines, TextLayoutsStepFiveAndAHalf)
{
    expectPlaces({0, {6, 6, 6, 6, 6, 6, 6}, EvenTops});
    expectPlaces({1, {24, 24, 24, 24, 24, 24, 24}, EvenTops});
    expectPlaces({4, {6, 6, 6, 6, 6, 6, 6}, EvenTops});
}

TEST(PrintedTextLines, StampLeftPutsLineSevenTwoMillimetresLowerUnderTheStamp)
{
    expectPlaces({2, {34, 34, 34, 34, 34, 34, 6}, {6, 11.2, 16.4, 21.6, 26.8, 32, 39.2}});
}

TEST(PrintedTextLines, LandscapeStampPutsLinesFiveToSevenThreeMillimetresLower)
{
    expectPlaces({3, {42, 42, 42, 42, 6, 6, 6}, {6, 11.6, 17.2, 22.8, 31.4, 36.6, 41.8}});
}

TEST(PrintedStamp, PlaceAndSizeInPictureUnits)
{
    const QRectF left = CardPrintLayout::stampRect(2);
    EXPECT_EQ(left.topLeft(), QPointF(5, 5));
    EXPECT_NEAR(left.width(), 26.32, 0.005);
    EXPECT_NEAR(left.height(), 32.11, 0.005);

    const QRectF landscape = CardPrintLayout::stampRect(3);
    EXPECT_EQ(landscape.topLeft(), QPointF(5, 5));
    EXPECT_NEAR(landscape.width(), 34.21, 0.005);
    EXPECT_NEAR(landscape.height(), 24.21, 0.005);

    const QRectF right = CardPrintLayout::stampRect(4);
    EXPECT_EQ(right.topLeft(), QPointF(57, 5));
    EXPECT_EQ(right.size(), left.size());

    EXPECT_TRUE(CardPrintLayout::stampRect(0).isEmpty());
    EXPECT_TRUE(CardPrintLayout::stampRect(1).isEmpty());
}

TEST(PrintedBorder, BarsForASmallCard)
{
    const auto bars = CardPrintLayout::borderBars(40, 30);
    EXPECT_EQ(bars[0], QRectF(QPointF(2, 2), QPointF(38, 2.5)));
    EXPECT_EQ(bars[1], QRectF(QPointF(2, 27.5), QPointF(38, 28)));
    EXPECT_EQ(bars[2], QRectF(QPointF(2, 2), QPointF(2.5, 28)));
    EXPECT_EQ(bars[3], QRectF(QPointF(37.5, 2), QPointF(38, 28)));
}

TEST(PrintedFont, FourPointsSmallerButNeverBelowOne)
{
    EXPECT_EQ(PrintedCard::printedPointSize(16), 12);
    EXPECT_EQ(PrintedCard::printedPointSize(6), 2);
    EXPECT_EQ(PrintedCard::printedPointSize(5), 1);
    EXPECT_EQ(PrintedCard::printedPointSize(4), 1);
    EXPECT_EQ(PrintedCard::printedPointSize(0), 1);
    EXPECT_EQ(PrintedCard::printedPointSize(-3), 1);
}

TEST(PrintedFont, TheDialogsCaptionSaysTheCardSizeAndThePrintedOne)
{
    EXPECT_EQ(PrintedCard::printedSizeCaption(20), QStringLiteral("20 pt, op papier 16 pt"));
    EXPECT_EQ(PrintedCard::printedSizeCaption(8), QStringLiteral("8 pt, op papier 4 pt"));
    EXPECT_EQ(PrintedCard::printedSizeCaption(5), QStringLiteral("5 pt, op papier 1 pt"));
    EXPECT_EQ(PrintedCard::printedSizeCaption(3), QStringLiteral("3 pt, op papier 1 pt"));
}
