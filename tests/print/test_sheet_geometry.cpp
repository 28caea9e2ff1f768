#include "print/SheetGeometry.h"

#include <gtest/gtest.h>

namespace {

QList<QPointF> corners(const PrintSettings &settings)
{
    return SheetGeometry::from(settings).cardCorners();
}

} // namespace

TEST(SheetGeometry, TypedTextsReadWithCommaOrPointAsDecimalSeparator)
{
    PrintSettings s;
    s.PrintMarginA = GeneralValue("12,5");
    s.PrintMarginB = GeneralValue("22.5");
    s.CardWidthMm = GeneralValue("85");
    s.CardHeightMm = GeneralValue("51,5");
    const SheetGeometry g = SheetGeometry::from(s);
    EXPECT_DOUBLE_EQ(g.marginA, 12.5);
    EXPECT_DOUBLE_EQ(g.marginB, 22.5);
    EXPECT_DOUBLE_EQ(g.cardWidth, 85);
    EXPECT_DOUBLE_EQ(g.cardHeight, 51.5);
}

// Typed in the margins dialog or edited by hand: a value no sheet can take counts as
// its default, so the cards stay on the page and every number stays printable.
TEST(SheetGeometry, ValueOutsideItsRangeCountsAsThatSettingsDefault)
{
    PrintSettings s;
    s.PrintMarginA = GeneralValue("10000");
    s.PrintMarginB = 1e18;
    s.CardWidthMm = GeneralValue("9,5");
    s.CardHeightMm = 300.5;
    s.PrintOffsetH = GeneralValue("-50,5");
    s.PrintOffsetV = 2147483647;
    EXPECT_EQ(SheetGeometry::from(s).cardCorners(), SheetGeometry().cardCorners());
}

TEST(SheetGeometry, TextThatIsNoNumberCountsAsThatSettingsDefault)
{
    PrintSettings s;
    s.PrintMarginA = GeneralValue("abc");
    s.PrintMarginB = GeneralValue("");
    s.CardWidthMm = GeneralValue("1.234,5");
    s.CardHeightMm = GeneralValue("40");
    s.PrintOffsetH = GeneralValue("2 mm");
    const SheetGeometry g = SheetGeometry::from(s);
    EXPECT_DOUBLE_EQ(g.marginA, 15);
    EXPECT_DOUBLE_EQ(g.marginB, 23);
    EXPECT_DOUBLE_EQ(g.cardWidth, 90);
    EXPECT_DOUBLE_EQ(g.cardHeight, 40) << "a good value beside bad ones is kept";
    EXPECT_DOUBLE_EQ(g.offsetH, 0);
}

TEST(SheetGeometry, CardCountOtherThanTenOrEightPrintsTen)
{
    PrintSettings s;
    s.CardsPerSheet = 8;
    EXPECT_EQ(SheetGeometry::from(s).cardsPerSheet, 8);
    s.CardsPerSheet = 7;
    EXPECT_EQ(SheetGeometry::from(s).cardsPerSheet, 10);
    s.CardsPerSheet = 0;
    EXPECT_EQ(SheetGeometry::from(s).cardsPerSheet, 10);
}

TEST(SheetLayout, DefaultsGiveTwoColumnsOfFiveRows)
{
    const QList<QPointF> expected = {{12, 19},  {102, 19},  {12, 69},  {102, 69},  {12, 119},
                                     {102, 119}, {12, 169}, {102, 169}, {12, 219}, {102, 219}};
    EXPECT_EQ(corners(PrintSettings()), expected);
}

TEST(SheetLayout, EightCardsStopAfterFourRows)
{
    PrintSettings s;
    s.CardsPerSheet = 8;
    const QList<QPointF> c = corners(s);
    ASSERT_EQ(c.size(), 8);
    EXPECT_EQ(c.last(), QPointF(102, 169));
}

TEST(SheetLayout, ColumnGapMovesSecondColumnAndStillWrapsAfterTwo)
{
    PrintSettings s;
    s.PrintOffsetV = 5;
    const QList<QPointF> c = corners(s);
    EXPECT_EQ(c[1], QPointF(107, 19));
    EXPECT_EQ(c[2], QPointF(12, 69)) << "the row gap is not the column gap";
    EXPECT_EQ(c[3], QPointF(107, 69));
}

TEST(SheetLayout, RowGapAddsToEveryRowStep)
{
    PrintSettings s;
    s.PrintOffsetH = GeneralValue("2");
    const QList<QPointF> c = corners(s);
    const QList<double> rows = {c[0].y(), c[2].y(), c[4].y(), c[6].y(), c[8].y()};
    EXPECT_EQ(rows, (QList<double>{19, 71, 123, 175, 227}));
    EXPECT_EQ(c[1].x(), 102);
}

TEST(SheetLayout, WideMarginStillAdmitsSecondCardBecause147IsNotAbove150)
{
    PrintSettings s;
    s.PrintMarginA = 60;
    const QList<QPointF> c = corners(s);
    EXPECT_EQ(c[0], QPointF(57, 19));
    EXPECT_EQ(c[1], QPointF(147, 19));
    EXPECT_EQ(c[2], QPointF(57, 69));
}

TEST(SheetLayout, NarrowCardsGiveFourColumns)
{
    PrintSettings s;
    s.CardWidthMm = 40;
    const QList<QPointF> c = corners(s);
    EXPECT_EQ(c[0], QPointF(12, 19));
    EXPECT_EQ(c[1], QPointF(52, 19));
    EXPECT_EQ(c[2], QPointF(92, 19));
    EXPECT_EQ(c[3], QPointF(132, 19));
    EXPECT_EQ(c[4], QPointF(12, 69));
    EXPECT_EQ(c[9], QPointF(52, 119));
}

TEST(SheetLayout, CursorLandingExactlyOn150DoesNotWrap)
{
    PrintSettings s;
    s.PrintMarginA = 63; // x0 = 60, after one card exactly 150
    const QList<QPointF> c = corners(s);
    EXPECT_EQ(c[1], QPointF(150, 19));
    EXPECT_EQ(c[2], QPointF(60, 69));
}
