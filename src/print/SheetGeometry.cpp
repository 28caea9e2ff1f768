#include "print/SheetGeometry.h"

namespace {

double numberOr(const GeneralValue &value, double fallback)
{
    bool ok = false;
    const double number = value.toNumber(&ok);
    return ok ? number : fallback;
}

constexpr double RowWrapMm = 150;

} // namespace

SheetGeometry SheetGeometry::from(const PrintSettings &settings)
{
    const SheetGeometry defaults;
    SheetGeometry g;
    g.marginA = numberOr(settings.PrintMarginA, defaults.marginA);
    g.marginB = numberOr(settings.PrintMarginB, defaults.marginB);
    g.cardWidth = numberOr(settings.CardWidthMm, defaults.cardWidth);
    g.cardHeight = numberOr(settings.CardHeightMm, defaults.cardHeight);
    g.offsetH = numberOr(settings.PrintOffsetH, defaults.offsetH);
    g.offsetV = settings.PrintOffsetV;
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
