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
    s.CardWidthMm = GeneralValue("0,5");
    s.CardHeightMm = 300.5;
    s.PrintOffsetH = GeneralValue("-50,5");
    s.PrintOffsetV = 2147483647;
    EXPECT_EQ(SheetGeometry::from(s).cardCorners(), SheetGeometry().cardCorners());
}

TEST(SheetGeometry, NarrowStripsPrintAsTyped)
{
    PrintSettings s;
    s.CardHeightMm = GeneralValue("5");
    s.CardWidthMm = GeneralValue("1");
    const SheetGeometry g = SheetGeometry::from(s);
    EXPECT_DOUBLE_EQ(g.cardHeight, 5);
    EXPECT_DOUBLE_EQ(g.cardWidth, 1);
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

// ---- Cards off the page ----

TEST(SheetOffPage, DefaultsStayOnThePageAlsoFromAPrintersMargins)
{
    EXPECT_TRUE(SheetGeometry().cardsOffPage().isEmpty());
    EXPECT_TRUE(SheetGeometry().cardsOffPage(QPointF(3, 4)).isEmpty());
}

TEST(SheetOffPage, CardsPastTheRightOrBottomEdgeAreNamed)
{
    PrintSettings wide;
    wide.PrintMarginA = 60; // second column at 147, ending at 237
    EXPECT_EQ(SheetGeometry::from(wide).cardsOffPage(), (QList<int>{2, 4, 6, 8, 10}));

    PrintSettings low;
    low.PrintMarginB = 60; // rows from 56: the fifth ends at 306
    EXPECT_EQ(SheetGeometry::from(low).cardsOffPage(), (QList<int>{9, 10}));
    low.PrintMarginB = 30; // the fifth row ends at 276, or at 296 from 20 mm down
    EXPECT_TRUE(SheetGeometry::from(low).cardsOffPage(QPointF(0, 20)).isEmpty());
    EXPECT_EQ(SheetGeometry::from(low).cardsOffPage(QPointF(0, 22)), (QList<int>{9, 10}));

    PrintSettings card250;
    card250.CardWidthMm = GeneralValue("250");
    EXPECT_EQ(SheetGeometry::from(card250).cardsOffPage().size(), 10);
}

TEST(SheetOffPage, TheCorrectionMovesTheCardsItChecks)
{
    PrintSettings s;
    s.PrintMarginA = 4; // the first column from 1 mm
    PrinterCorrection correction;
    correction.shiftX = -2;
    EXPECT_TRUE(SheetGeometry::from(s).cardsOffPage().isEmpty());
    EXPECT_EQ(SheetGeometry::from(s).cardsOffPage({}, correction), (QList<int>{1, 3, 5, 7, 9}));
}

TEST(SheetOffPage, WarningNamesTheCardsInDutch)
{
    EXPECT_EQ(offPageWarning({}), QString());
    EXPECT_EQ(offPageWarning({9}),
              QStringLiteral("Kaart 9 valt buiten het A4-vel; alleen wat op het vel past, wordt afgedrukt."));
    EXPECT_EQ(offPageWarning({2, 4, 6}),
              QStringLiteral("Kaarten 2, 4 en 6 vallen buiten het A4-vel; alleen wat op het vel past, wordt afgedrukt."));
}
