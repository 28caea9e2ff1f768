#include "qr/QrScanCheck.h"

#include "qr/QrPath.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// The colour as it shows when painted over `below`.
QColor over(const QColor &colour, const QColor &below)
{
    const double a = colour.alphaF();
    const auto mix = [a](double top, double bottom) { return top * a + bottom * (1 - a); };
    return QColor::fromRgbF(float(mix(colour.redF(), below.redF())), float(mix(colour.greenF(), below.greenF())),
                            float(mix(colour.blueF(), below.blueF())));
}

QString millimetres(double mm)
{
    return QLocale(QLocale::Dutch, QLocale::Netherlands).toString(mm, 'f', 2);
}

} // namespace

double moduleMm(const QrCode &code, double sideMm)
{
    return code.isValid() ? sideMm / (code.size() + 2 * QrQuietZone) : 0;
}

double smallestSideMm(const QrCode &code)
{
    return code.isValid() ? QrScan::MinModuleMm * (code.size() + 2 * QrQuietZone) : 0;
}

double relativeLuminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool contrastEnough(double ratio)
{
    return ratio >= QrScan::MinContrastRatio;
}

QList<ScanWarning> scanWarnings(double moduleMm, const QColor &dark, const QColor &light, bool quietZoneCovered)
{
    QList<ScanWarning> warnings;
    // A module worked out as side / (size + 8) may miss 0.4 by a rounding.
    if (moduleMm < QrScan::MinModuleMm - 1e-9)
        warnings.append({ScanProblem::ModulesTooSmall,
                         QStringLiteral("De blokjes van de QR-code worden op papier %1 mm, kleiner dan %2 mm: "
                                        "maak de code groter of kies een lager foutherstel, anders is hij "
                                        "moeilijk te scannen.")
                             .arg(millimetres(moduleMm), millimetres(QrScan::MinModuleMm)),
                         QStringLiteral("QR-code: blokjes %1 mm (min. %2 mm), maak de code groter")
                             .arg(millimetres(moduleMm), millimetres(QrScan::MinModuleMm))});
    const QColor shown = over(dark, light);
    if (!contrastEnough(contrastRatio(shown, light)))
        warnings.append({ScanProblem::ContrastTooLow,
                         QStringLiteral("De donkere kleur verschilt te weinig van de lichte: kies een donkerdere "
                                        "kleur, anders is de QR-code moeilijk te scannen."),
                         QStringLiteral("QR-code: te weinig contrast, kies een donkerdere kleur")});
    else if (relativeLuminance(shown) > relativeLuminance(light))
        warnings.append({ScanProblem::DarkLighterThanLight,
                         QStringLiteral("De donkere kleur is lichter dan de achtergrond: veel telefoons lezen "
                                        "zo'n omgekeerde QR-code niet."),
                         QStringLiteral("QR-code: omgekeerde kleuren lezen veel telefoons niet")});
    if (quietZoneCovered)
        warnings.append({ScanProblem::QuietZoneCovered,
                         QStringLiteral("Er ligt iets op de lichte rand rond de QR-code: houd die rand vrij, "
                                        "anders is de code moeilijk te scannen."),
                         QStringLiteral("QR-code: houd de lichte rand rond de code vrij")});
    return warnings;
}
