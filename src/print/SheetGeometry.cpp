#include "print/SheetGeometry.h"

namespace {

double numberOr(const GeneralValue &value, double fallback, double low, double high)
{
    bool ok = false;
    const double number = value.toNumber(&ok);
    return ok && PrintSettingsRange::within(number, low, high) ? number : fallback;
}

constexpr double RowWrapMm = 150;

} // namespace

SheetGeometry SheetGeometry::from(const PrintSettings &settings)
{
    const SheetGeometry defaults;
    SheetGeometry g;
    // Checked here as well as when the file is read: the margins dialog takes texts as
    // typed, and the painter must never be handed a number a PDF cannot hold.
    using namespace PrintSettingsRange;
    g.marginA = numberOr(settings.PrintMarginA, defaults.marginA, MinMarginOrGap, MaxMarginOrGap);
    g.marginB = numberOr(settings.PrintMarginB, defaults.marginB, MinMarginOrGap, MaxMarginOrGap);
    g.cardWidth = numberOr(settings.CardWidthMm, defaults.cardWidth, MinCardSize, MaxCardSize);
    g.cardHeight = numberOr(settings.CardHeightMm, defaults.cardHeight, MinCardSize, MaxCardSize);
    g.offsetH = numberOr(settings.PrintOffsetH, defaults.offsetH, MinMarginOrGap, MaxMarginOrGap);
    g.offsetV = within(settings.PrintOffsetV, MinMarginOrGap, MaxMarginOrGap) ? settings.PrintOffsetV
                                                                               : defaults.offsetV;
    g.cardsPerSheet = (settings.CardsPerSheet == 8) ? 8 : defaults.cardsPerSheet;
    return g;
}

QList<QPointF> SheetGeometry::cardCorners() const
{
    QList<QPointF> corners;
    const double x0 = marginA - 3;
    double x = x0;
    double y = marginB - 4;
    for (int card = 0; card < cardsPerSheet; ++card) {
        corners.append(QPointF(x, y));
        x += cardWidth + offsetV;
        if (x > RowWrapMm) {
            x = x0;
            y += cardHeight + offsetH;
        }
    }
    return corners;
}
