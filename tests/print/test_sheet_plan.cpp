// The sheet plan: the fronts where the layout puts them, and each back exactly behind its
// front on the physical page once the paper is turned over the chosen edge, whatever the
// margins, gaps, card count and printable corner.
#include "print/SheetPainter.h"
#include "print/SheetPlan.h"
#include "GappedSheet.h"

#include <gtest/gtest.h>

TEST(SheetPlan, EveryBackLiesBehindItsFrontOnThePhysicalPageForEitherEdge)
{
    const QPointF printable(4.2, 3.7);
    for (const int cards : {10, 8}) {
        for (const Duplex duplex : {Duplex::LongEdge, Duplex::ShortEdge}) {
            SheetRequest request;
            request.sheet = gappedSheet(cards);
            request.sheets = 2;
            request.duplex = duplex;
            request.printableCorner = printable;
            const SheetPlan plan = SheetPlan::forOneCard(request);
            ASSERT_EQ(plan.pages.size(), 4);
            const double c = request.sheet.cardWidth, d = request.sheet.cardHeight;
            for (int sheet = 0; sheet < 2; ++sheet) {
                const PlannedPage &front = plan.pages[2 * sheet], &back = plan.pages[2 * sheet + 1];
                EXPECT_EQ(front.side, CardSide::Front);
                EXPECT_EQ(back.side, CardSide::Back);
                EXPECT_EQ(back.sheet, sheet);
                ASSERT_EQ(front.cards.size(), cards);
                ASSERT_EQ(back.cards.size(), cards);
                for (int slot = 0; slot < cards; ++slot) {
                    EXPECT_EQ(front.cards[slot].cornerMm, request.sheet.cardCorners()[slot]);
                    EXPECT_EQ(back.cards[slot].slot, slot);
                    EXPECT_EQ(back.cards[slot].face, CardSide::Back);
                    // On the physical page, seen from each side.
                    const QPointF f = printable + front.cards[slot].cornerMm;
                    const QPointF b = printable + back.cards[slot].cornerMm;
                    if (duplex == Duplex::LongEdge) {
                        EXPECT_NEAR(b.x(), 210 - f.x() - c, 1e-9);
                        EXPECT_NEAR(b.y(), f.y(), 1e-9);
                    } else {
                        EXPECT_NEAR(b.x(), f.x(), 1e-9);
                        EXPECT_NEAR(b.y(), 297 - f.y() - d, 1e-9);
                    }
                }
            }
        }
    }
}

TEST(SheetPlan, EachSideTakesItsOwnCorrectionAndAByHandRunSplitsFrontsFromBacks)
{
    SheetRequest request;
    request.sheet = gappedSheet(10);
    request.sheets = 3;
    request.duplex = Duplex::ByHand;
    request.frontCorrection.shiftX = 0.6;
    request.backCorrection.shiftY = -0.4;
    const SheetPlan plan = SheetPlan::forOneCard(request);
    const QList<PlannedPage> fronts = plan.pagesOf(CardSide::Front), backs = plan.pagesOf(CardSide::Back);
    ASSERT_EQ(fronts.size(), 3);
    ASSERT_EQ(backs.size(), 3);
    for (int sheet = 0; sheet < 3; ++sheet) {
        EXPECT_EQ(fronts[sheet].sheet, sheet);
        EXPECT_EQ(backs[sheet].sheet, sheet);
        EXPECT_EQ(fronts[sheet].correction, request.frontCorrection);
        EXPECT_EQ(backs[sheet].correction, request.backCorrection);
    }
    // Turned by hand over the long edge, as the duplex printer's long edge.
    request.duplex = Duplex::LongEdge;
    EXPECT_EQ(SheetPlan::forOneCard(request).pagesOf(CardSide::Back), backs);

    // One side: the fronts only, each under the front's correction.
    request.duplex = Duplex::FrontOnly;
    const SheetPlan oneSided = SheetPlan::forOneCard(request);
    ASSERT_EQ(oneSided.pages.size(), 3);
    EXPECT_TRUE(oneSided.pagesOf(CardSide::Back).isEmpty());
}

// The page preview draws each page of a plan as it prints: the back page's cards at their
// mirrored places from the printer's printable corner, under the back's correction.
TEST(SheetPlan, ThePagePicturesShowEachSideAsItPrints)
{
    PrintedCard front, back;
    for (auto [card, colour] : {std::pair{&front, QColor(Qt::green)}, std::pair{&back, QColor(Qt::red)}}) {
        card->canvas = QImage(440, 270, QImage::Format_RGB32);
        card->canvas.fill(colour);
        card->stamp = QImage(1, 1, QImage::Format_RGB32);
    }
    const FaceSource faces = [&](int, CardSide face) { return face == CardSide::Front ? &front : &back; };
    SheetRequest request;
    request.sheet = gappedSheet(10);
    request.duplex = Duplex::LongEdge;
    request.printableCorner = QPointF(4, 3);
    request.backCorrection.shiftY = 2;
    const SheetPlan plan = SheetPlan::forOneCard(request);
    const int perMm = 4;
    const QImage frontPage = pagePicture(faces, request.sheet, plan.pages[0], request.printableCorner, perMm);
    const QImage backPage = pagePicture(faces, request.sheet, plan.pages[1], request.printableCorner, perMm);
    ASSERT_EQ(frontPage.size(), QSize(840, 1188));
    const QPointF corner = request.sheet.cardCorners()[0];
    // A point well inside the first card, and the same point of its back, which the back's
    // correction moved 2 mm down: its top edge lies 2 mm lower than the front's.
    const QPointF inside = request.printableCorner + corner + QPointF(10, 10);
    EXPECT_EQ(QColor(frontPage.pixel((inside * perMm).toPoint())), QColor(Qt::green));
    const double x = 210 - inside.x(), top = request.printableCorner.y() + corner.y();
    EXPECT_EQ(QColor(backPage.pixel((QPointF(x, inside.y() + 2) * perMm).toPoint())), QColor(Qt::red));
    EXPECT_EQ(QColor(frontPage.pixel((QPointF(inside.x(), top + 1) * perMm).toPoint())), QColor(Qt::green));
    EXPECT_EQ(QColor(backPage.pixel((QPointF(x, top + 1) * perMm).toPoint())), QColor(Qt::white));
    EXPECT_EQ(QColor(backPage.pixel((QPointF(x, top + 2.5) * perMm).toPoint())), QColor(Qt::red));
}

namespace {

// Each card of a page as (slot, card), in the page's order.
QList<std::pair<int, int>> slotsAndCards(const PlannedPage &page)
{
    QList<std::pair<int, int>> found;
    for (const PlannedCard &card : page.cards)
        found.append({card.slot, card.card});
    return found;
}

// Slots from..to (inclusive), holding cards from `first` on, one each.
QList<std::pair<int, int>> run(int from, int to, int first)
{
    QList<std::pair<int, int>> found;
    for (int slot = from; slot <= to; ++slot)
        found.append({slot, first++});
    return found;
}

} // namespace

// A partly used sheet: the first sheet starts at its free slot, at that slot's own place,
// and the sheets after it are whole.
TEST(SheetPlan, OneCardFromAStartSlotLeavesTheSlotsBeforeItEmptyOnTheFirstSheetOnly)
{
    SheetRequest request;
    request.sheet = gappedSheet(8);
    request.sheets = 2;
    request.firstSlot = 3;
    const SheetPlan plan = SheetPlan::forOneCard(request);
    ASSERT_EQ(plan.sheetCount(), 2);
    ASSERT_EQ(plan.pages.size(), 2);
    QList<std::pair<int, int>> rest;
    for (int slot = 3; slot < 8; ++slot)
        rest.append({slot, 0});
    EXPECT_EQ(slotsAndCards(plan.pages[0]), rest);
    for (const PlannedCard &card : plan.pages[0].cards)
        EXPECT_EQ(card.cornerMm, request.sheet.cardCorners()[card.slot]);
    EXPECT_EQ(plan.pages[1].cards.size(), 8) << "the second sheet is whole";
}

// With two sides the first sheet's back holds the backs of the printed fronts only, each
// behind its own front on the physical page; an empty front slot has no back. Different
// cards show that a back belongs to its own card, not only to its slot.
TEST(SheetPlan, FromAStartSlotEveryBackLiesBehindItsOwnFrontWhicheverWayThePaperTurns)
{
    const QPointF printable(4.2, 3.7);
    for (const Duplex duplex : {Duplex::LongEdge, Duplex::ShortEdge, Duplex::ByHand}) {
        SheetRequest request;
        request.sheet = gappedSheet(10);
        request.duplex = duplex;
        request.printableCorner = printable;
        request.sheets = 2;
        request.firstSlot = 5;
        for (const SheetPlan &plan : {SheetPlan::forOneCard(request), SheetPlan::forCards(request, 4, 1)}) {
            ASSERT_EQ(plan.pages.size(), 4);
            for (int sheet = 0; sheet < 2; ++sheet) {
                const PlannedPage &front = plan.pages[2 * sheet], &back = plan.pages[2 * sheet + 1];
                EXPECT_EQ(back.side, CardSide::Back);
                ASSERT_EQ(back.cards.size(), front.cards.size());
                EXPECT_EQ(slotsAndCards(back), slotsAndCards(front));
                const double c = request.sheet.cardWidth, d = request.sheet.cardHeight;
                for (qsizetype i = 0; i < front.cards.size(); ++i) {
                    EXPECT_EQ(back.cards[i].face, CardSide::Back);
                    const QPointF f = printable + front.cards[i].cornerMm, b = printable + back.cards[i].cornerMm;
                    const QPointF behind = duplex == Duplex::ShortEdge ? QPointF(f.x(), 297 - f.y() - d)
                                                                       : QPointF(210 - f.x() - c, f.y());
                    EXPECT_NEAR(b.x(), behind.x(), 1e-9) << int(duplex) << " slot " << front.cards[i].slot;
                    EXPECT_NEAR(b.y(), behind.y(), 1e-9) << int(duplex) << " slot " << front.cards[i].slot;
                }
            }
        }
    }
}

TEST(SheetPlan, TwelveCardsFromTheFourthSlotFillTheRestOfOneSheetAndFiveOfTheNext)
{
    SheetRequest request;
    request.sheet = gappedSheet(10);
    request.firstSlot = 3;
    const SheetPlan plan = SheetPlan::forCards(request, 12, 1);
    ASSERT_EQ(plan.pages.size(), 2);
    EXPECT_EQ(plan.sheetCount(), 2);
    EXPECT_EQ(plan.pages[0].sheet, 0);
    EXPECT_EQ(plan.pages[1].sheet, 1);
    EXPECT_EQ(slotsAndCards(plan.pages[0]), run(3, 9, 0));
    EXPECT_EQ(slotsAndCards(plan.pages[1]), run(0, 4, 7));
    for (const PlannedPage &page : plan.pages)
        for (const PlannedCard &card : page.cards)
            EXPECT_EQ(card.cornerMm, request.sheet.cardCorners()[card.slot]);
}

// Two of each card: a pair shares a row of the two-column sheet, in the set's order.
TEST(SheetPlan, CardsOfOneKindSitSideBySideInTheSetsOrder)
{
    SheetRequest request;
    request.sheet = gappedSheet(10);
    const SheetPlan plan = SheetPlan::forCards(request, 3, 2);
    ASSERT_EQ(plan.pages.size(), 1);
    const QList<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}};
    EXPECT_EQ(slotsAndCards(plan.pages[0]), expected);
    const QList<QPointF> corners = request.sheet.cardCorners();
    EXPECT_EQ(corners[2].y(), corners[3].y()) << "the second pair is one row";
}

// Each repetition of the set starts in the next free slot, across the sheet's end.
TEST(SheetPlan, RepeatedSetsContinueInTheNextFreeSlot)
{
    SheetRequest request;
    request.sheet = gappedSheet(10);
    request.sheets = 4;
    request.firstSlot = 8;
    const SheetPlan plan = SheetPlan::forCards(request, 3, 1);
    ASSERT_EQ(plan.pages.size(), 2);
    EXPECT_EQ(slotsAndCards(plan.pages[0]), (QList<std::pair<int, int>>{{8, 0}, {9, 1}}));
    const QList<std::pair<int, int>> second = {{0, 2}, {1, 0}, {2, 1}, {3, 2}, {4, 0},
                                               {5, 1}, {6, 2}, {7, 0}, {8, 1}, {9, 2}};
    EXPECT_EQ(slotsAndCards(plan.pages[1]), second);
    EXPECT_TRUE(SheetPlan::forCards(request, 0, 2).pages.isEmpty());
}
