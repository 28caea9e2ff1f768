#include "print/SheetPlan.h"

#include <algorithm>

QPointF backCornerOnPage(QPointF frontMm, QSizeF card, Duplex duplex)
{
    const QSizeF page = SheetGeometry::PageSize;
    switch (duplex) {
    case Duplex::ShortEdge:
        return {frontMm.x(), page.height() - frontMm.y() - card.height()};
    case Duplex::LongEdge:
    case Duplex::ByHand:
        return {page.width() - frontMm.x() - card.width(), frontMm.y()};
    case Duplex::FrontOnly:
        break;
    }
    return frontMm;
}

int SheetRequest::startSlot() const
{
    return std::clamp(firstSlot, 0, std::max(int(sheet.cardCorners().size()) - 1, 0));
}

namespace {

// A card put in a slot of a sheet, its front and (with two sides) its back.
struct Placed {
    int slot = 0;
    int card = 0;
};

// The pages of sheets filled slot by slot: each sheet's front page and, with two sides,
// its back page with the back of every card placed on the front, and of no other.
SheetPlan filledPages(const SheetRequest &request, const QList<QList<Placed>> &sheets)
{
    const QList<QPointF> corners = request.sheet.cardCorners();
    const QSizeF card(request.sheet.cardWidth, request.sheet.cardHeight);
    SheetPlan plan;
    for (int sheet = 0; sheet < sheets.size(); ++sheet) {
        PlannedPage front{sheet, CardSide::Front, request.frontCorrection, {}};
        for (const Placed &placed : sheets[sheet])
            front.cards.append({placed.slot, placed.card, CardSide::Front, corners[placed.slot]});
        plan.pages.append(front);
        if (request.duplex == Duplex::FrontOnly)
            continue;
        PlannedPage back{sheet, CardSide::Back, request.backCorrection, {}};
        for (const Placed &placed : sheets[sheet]) {
            const QPointF onPage = request.printableCorner + corners[placed.slot];
            back.cards.append({placed.slot, placed.card, CardSide::Back,
                               backCornerOnPage(onPage, card, request.duplex) - request.printableCorner});
        }
        plan.pages.append(back);
    }
    return plan;
}

} // namespace

SheetPlan SheetPlan::forOneCard(const SheetRequest &request)
{
    const int slots = int(request.sheet.cardCorners().size());
    QList<QList<Placed>> sheets;
    for (int sheet = 0; sheet < request.sheets; ++sheet) {
        QList<Placed> placed;
        for (int slot = sheet == 0 ? request.startSlot() : 0; slot < slots; ++slot)
            placed.append({slot, 0});
        sheets.append(placed);
    }
    return filledPages(request, sheets);
}

SheetPlan SheetPlan::forCards(const SheetRequest &request, int cards, int perCard)
{
    const int slots = int(request.sheet.cardCorners().size());
    if (cards <= 0 || perCard <= 0 || request.sheets <= 0 || slots == 0)
        return {};
    const qint64 set = qint64(cards) * perCard;
    const qint64 total = set * request.sheets;
    QList<QList<Placed>> sheets;
    qint64 position = request.startSlot();
    for (qint64 n = 0; n < total; ++n, ++position) {
        const int slot = int(position % slots);
        if (sheets.isEmpty() || slot == 0)
            sheets.append(QList<Placed>());
        sheets.last().append({slot, int((n % set) / perCard)});
    }
    return filledPages(request, sheets);
}

int SheetPlan::sheetCount() const
{
    return pages.isEmpty() ? 0 : pages.constLast().sheet + 1;
}

QList<PlannedPage> SheetPlan::pagesOf(CardSide side) const
{
    QList<PlannedPage> found;
    for (const PlannedPage &page : pages)
        if (page.side == side)
            found.append(page);
    return found;
}
