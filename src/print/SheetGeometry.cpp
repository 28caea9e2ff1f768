#include "print/SheetGeometry.h"

#include <QRectF>
#include <QStringList>

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

QList<int> SheetGeometry::cardsOffPage(QPointF printableCorner, const PrinterCorrection &correction) const
{
    // Measured to a hundredth of a millimetre: a card that ends on the page's edge fits.
    constexpr double Slack = 0.01;
    const QRectF page = QRectF(QPointF(0, 0), PageSize).adjusted(-Slack, -Slack, Slack, Slack);
    QList<int> off;
    const QList<QPointF> corners = cardCorners();
    for (int card = 0; card < corners.size(); ++card) {
        const QPointF topLeft = printableCorner + correction.apply(corners[card]);
        const QPointF bottomRight =
            printableCorner + correction.apply(corners[card] + QPointF(cardWidth, cardHeight));
        if (!page.contains(topLeft) || !page.contains(bottomRight))
            off.append(card + 1);
    }
    return off;
}

QString offPageWarning(const QList<int> &cards)
{
    if (cards.isEmpty())
        return {};
    QStringList numbers;
    for (int card : cards)
        numbers << QString::number(card);
    const QString last = numbers.takeLast();
    if (numbers.isEmpty())
        return QStringLiteral("Kaart %1 valt buiten het A4-vel; alleen wat op het vel past, wordt afgedrukt.")
            .arg(last);
    return QStringLiteral("Kaarten %1 en %2 vallen buiten het A4-vel; alleen wat op het vel past, wordt afgedrukt.")
        .arg(numbers.join(QStringLiteral(", ")), last);
}
