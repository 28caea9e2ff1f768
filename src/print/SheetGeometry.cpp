#include "print/SheetGeometry.h"

namespace {

double numberOr(const GeneralValue &value, const SheetSetting &setting)
{
    bool ok = false;
    const double number = value.toNumber(&ok);
    return ok && setting.accepts(number) ? number : setting.byDefault;
}

constexpr double RowWrapMm = 150;

} // namespace

SheetGeometry::SheetGeometry() : SheetGeometry(PrintSettings()) {}

// Checked here as well as when the file is read: the margins dialog takes texts as
// typed, and the painter must never be handed a number a PDF cannot hold.
SheetGeometry::SheetGeometry(const PrintSettings &settings)
    : marginA(numberOr(settings.PrintMarginA, SheetSettings::MarginA))
    , marginB(numberOr(settings.PrintMarginB, SheetSettings::MarginB))
    , cardWidth(numberOr(settings.CardWidthMm, SheetSettings::CardWidth))
    , cardHeight(numberOr(settings.CardHeightMm, SheetSettings::CardHeight))
    , offsetH(numberOr(settings.PrintOffsetH, SheetSettings::OffsetH))
    , offsetV(SheetSettings::OffsetV.accepts(settings.PrintOffsetV) ? settings.PrintOffsetV
                                                                    : int(SheetSettings::OffsetV.byDefault))
    , cardsPerSheet(SheetSettings::acceptsCardCount(settings.CardsPerSheet) ? settings.CardsPerSheet
                                                                            : SheetSettings::CardCounts.front())
{
}

SheetGeometry SheetGeometry::from(const PrintSettings &settings)
{
    return SheetGeometry(settings);
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
