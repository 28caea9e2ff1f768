#pragma once

#include "qr/VCard.h"

// A contact with everything a vCard must escape or carry as UTF-8: accents, €, commas
// and semicolons, a web address without its scheme and an address with a postcode.
inline ContactFields accentedContact()
{
    ContactFields f;
    f.naam = QStringLiteral("José Müller-Lüdenscheid");
    f.functie = QStringLiteral("Directeur, € & Zoon");
    f.bedrijf = QStringLiteral("Müller; Söhne B.V.");
    f.telefoon = QStringLiteral("+31 20 123 45 67");
    f.mobiel = QStringLiteral("06-12345678");
    f.email = QStringLiteral("jose@mueller-luedenscheid.nl");
    f.website = QStringLiteral("www.mueller-luedenscheid.nl");
    f.adres = QStringLiteral("Kerkstraat 1, 2e etage; achterom, 1234 AB Zwolle");
    return f;
}
