#include "core/InfoLine.h"

namespace InfoLine {

QString text(const QDateTime &now, const QString &current, const QLocale &locale)
{
    static const char *const hints[] = {
        "1. Selecteer een layout voor de kaartjes",
        "2. Klik op de regels 1..7 om een tekst in te voeren",
        "3. Kies een lettertype voor de teksten op de kaartjes",
        "4. Kies een achtergrond voor de kaartjes",
        "5. Maak eventueel een keuze voor de zegelfoto",
        "6. Selecteer een rechthoek uit de zegelfoto met de linkermuisknop (met Shift in de verhouding van de zegel)",
        "7. Nu kan de kaart worden opgeslagen op uw computer",
    };
    const int slot = now.time().second() / 6;
    if (slot < 2)
        return current;
    if (slot == 2)
        return QStringLiteral("Het is nu ")
               + locale.toString(now.date(), QStringLiteral("dddd d MMMM yyyy"))
               + QStringLiteral(" / ") + now.time().toString(QStringLiteral("H:mm:ss"));
    return QString::fromUtf8(hints[slot - 3]);
}

QString designedText()
{
    return QStringLiteral("Klik op de regels 1..7 om een tekst in te voeren...");
}

} // namespace InfoLine

namespace InfoLine {

Shown fitted(const QString &text, const QString &whole, const QFontMetrics &metrics, int width)
{
    Shown shown{metrics.elidedText(text, Qt::ElideRight, width), {}};
    const QString all = whole.isEmpty() ? text : whole;
    if (shown.text != all)
        shown.toolTip = all;
    return shown;
}

} // namespace InfoLine
