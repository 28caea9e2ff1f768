#include "print/CardStock.h"

#include <QStringList>
#include <cmath>

namespace {

// The layout's cursor starts this far left of and above the margins (SheetGeometry).
constexpr double LayoutStartLeftMm = 3;
constexpr double LayoutStartUpMm = 4;
constexpr int Columns = 2;

// Published figures, in millimetres; where a template gives points (1/72 inch) the
// conversion is noted. The gLabels template files (jimevins/glabels-qt, templates/) are
// the source of most rows; they list the makers' own geometry per product code.
const QList<CardStock> Stocks = {
    // Avery Zweckform 32015: glabels zweckform-iso-templates.xml, 85 x 54 mm, 2 x 4,
    // x0 17 mm, y0 31.5 mm, pitch 91 x 60 mm.
    {QStringLiteral("Avery Zweckform"), QStringLiteral("32015"), 17, 31.5, 85, 54, 6, 6, 8},
    // DECAdry OCC-3342 (also sold as OCB-3327, SCW-2090, DAW-327): glabels
    // decadry-iso-templates.xml, 240.945 x 153.071 pt = 85 x 54 mm, x0 42.52 pt = 15 mm,
    // y0 38.27 pt = 13.5 mm, pitch 269.291 pt = 95 mm across, 54 mm down.
    {QStringLiteral("DECAdry"), QStringLiteral("OCC-3342"), 15, 13.5, 85, 54, 10, 0, 10},
    // Avery Zweckform 32010: glabels zweckform-iso-templates.xml, 240.94 x 153.07 pt =
    // 85 x 54 mm, x0 = y0 = 40 pt = 14.1 mm, pitch 269 pt = 94.9 mm across. The settings
    // keep whole millimetres between columns, so the right column lands 0.1 mm to the right.
    {QStringLiteral("Avery Zweckform"), QStringLiteral("32010"), 14.1, 14.1, 85, 54, 9.9, 0, 10},
    // Avery 7414: glabels-derived sheet table, 255.1 x 147.4 pt = 90 x 52 mm, x0 42.51 pt
    // = 15 mm, y0 52.44 pt = 18.5 mm, cards touching.
    {QStringLiteral("Avery"), QStringLiteral("7414"), 15, 18.5, 90, 52, 0, 0, 10},
    // Kores KPCV1: glabels misc-iso-templates.xml, 90 x 50 mm, x0 15 mm, y0 24 mm, touching.
    {QStringLiteral("Kores"), QStringLiteral("KPCV1"), 15, 24, 90, 50, 0, 0, 10},
    // APLI 02793: glabels misc-iso-templates.xml, 255.118 x 144 pt = 90 x 50.8 mm,
    // x0 42.52 pt = 15 mm, y0 62.36 pt = 22 mm, touching.
    {QStringLiteral("APLI"), QStringLiteral("02793"), 15, 22, 90, 50.8, 0, 0, 10},
    // Agipa 119488: glabels misc-iso-templates.xml, 255 x 142 pt = 89.96 x 50.09 mm,
    // x0 43 pt = 15.17 mm, y0 67 pt = 23.64 mm, touching. The settings round the card
    // to 90 x 50.1 mm and the margins to a tenth.
    {QStringLiteral("Agipa"), QStringLiteral("119488"), 15.17, 23.64, 89.96, 50.09, 0, 0, 10},
    // Encre.com BCV10: glabels misc-iso-templates.xml, 243.78 x 153.07 pt = 86 x 54 mm,
    // x0 48.19 pt = 17 mm, y0 42.5 pt = 15 mm, pitch 255.12 x 157.32 pt = 90 x 55.5 mm.
    {QStringLiteral("Encre.com"), QStringLiteral("BCV10"), 17, 15, 86, 54, 4, 1.5, 10},
};

// A rounding smaller than this is the source's own conversion from points, not ours.
constexpr double NoteworthyMm = 0.005;

// What a field keeps of a figure: a tenth of a millimetre.
double keptTenth(double mm)
{
    return std::round(mm * 10) / 10;
}

QString tenths(double mm, const QLocale &locale)
{
    const double rounded = keptTenth(mm);
    return locale.toString(rounded, 'f', rounded == std::round(rounded) ? 0 : 1);
}

} // namespace

QString CardStock::caption() const
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    return QStringLiteral("%1 %2 (%3 \u00d7 %4 mm, %5)")
        .arg(maker, productCode, tenths(cardWidth, dutch), tenths(cardHeight, dutch))
        .arg(cards);
}

QList<QRectF> CardStock::cutRectangles() const
{
    QList<QRectF> cuts;
    for (int card = 0; card < cards; ++card) {
        const int row = card / Columns;
        const int column = card % Columns;
        cuts.append(QRectF(left + column * (cardWidth + columnGap), top + row * (cardHeight + rowGap), cardWidth,
                           cardHeight));
    }
    return cuts;
}

PrintSettings CardStock::settings(const QLocale &locale) const
{
    PrintSettings s;
    s.PrintMarginA = GeneralValue(tenths(left + LayoutStartLeftMm, locale));
    s.PrintMarginB = GeneralValue(tenths(top + LayoutStartUpMm, locale));
    s.CardWidthMm = GeneralValue(tenths(cardWidth, locale));
    s.CardHeightMm = GeneralValue(tenths(cardHeight, locale));
    s.PrintOffsetH = GeneralValue(tenths(rowGap, locale));
    s.PrintOffsetV = int32_t(std::lround(columnGap));
    s.CardsPerSheet = uint8_t(cards);
    return s;
}

QList<CardStock::Rounding> CardStock::roundings() const
{
    const Rounding fields[] = {
        {QStringLiteral("A"), left + LayoutStartLeftMm, keptTenth(left + LayoutStartLeftMm)},
        {QStringLiteral("B"), top + LayoutStartUpMm, keptTenth(top + LayoutStartUpMm)},
        {QStringLiteral("C"), cardWidth, keptTenth(cardWidth)},
        {QStringLiteral("D"), cardHeight, keptTenth(cardHeight)},
        {QStringLiteral("H"), rowGap, keptTenth(rowGap)},
        {QStringLiteral("V"), columnGap, double(std::lround(columnGap))},
    };
    QList<Rounding> found;
    for (const Rounding &field : fields)
        if (std::abs(field.kept - field.exact) >= NoteworthyMm)
            found.append(field);
    return found;
}

QString CardStock::toolTip() const
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    QStringList lines;
    if (!description.isEmpty())
        lines << description;
    if (!source.isEmpty())
        lines << QStringLiteral("Uit %1").arg(source);
    const QList<Rounding> rounded = roundings();
    if (rounded.isEmpty())
        return lines.join(QLatin1Char('\n'));
    lines << QStringLiteral("Afgerond voor de instellingen:");
    const auto hundredths = [&](double mm, const QString &plus) {
        return (mm < 0 ? QStringLiteral("\u2212") : plus) + dutch.toString(std::abs(mm), 'f', 2);
    };
    for (const Rounding &r : rounded)
        lines << QStringLiteral("%1: %2 \u2192 %3 mm (%4 mm)")
                     .arg(r.field, hundredths(r.exact, QString()), tenths(r.kept, dutch),
                          hundredths(r.kept - r.exact, QStringLiteral("+")));
    return lines.join(QLatin1Char('\n'));
}

const QList<CardStock> &CardStock::all()
{
    return Stocks;
}
