#include "print/SheetPlan.h"

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

SheetPlan SheetPlan::forOneCard(const SheetRequest &request)
{
    const QList<QPointF> corners = request.sheet.cardCorners();
    const QSizeF card(request.sheet.cardWidth, request.sheet.cardHeight);
    SheetPlan plan;
    for (int sheet = 0; sheet < request.sheets; ++sheet) {
        PlannedPage front{sheet, CardSide::Front, request.frontCorrection, {}};
        for (int slot = 0; slot < corners.size(); ++slot)
            front.cards.append({slot, 0, CardSide::Front, corners[slot]});
        plan.pages.append(front);
        if (request.duplex == Duplex::FrontOnly)
            continue;
        PlannedPage back{sheet, CardSide::Back, request.backCorrection, {}};
        for (int slot = 0; slot < corners.size(); ++slot) {
            const QPointF onPage = request.printableCorner + corners[slot];
            back.cards.append(
                {slot, 0, CardSide::Back, backCornerOnPage(onPage, card, request.duplex) - request.printableCorner});
        }
        plan.pages.append(back);
    }
    return plan;
}

QList<PlannedPage> SheetPlan::pagesOf(CardSide side) const
{
    QList<PlannedPage> found;
    for (const PlannedPage &page : pages)
        if (page.side == side)
            found.append(page);
    return found;
}
