#pragma once

#include "core/CardDocument.h"

#include <QString>

// A card as most are filled in: name, function, company, street, postcode and place,
// phone and e-mail.
inline void typeFullCard(CardDocument &doc)
{
    const char *lines[] = {"Jan de Vries", "Accountmanager", "Bakkerij Jansen BV", "Kerkstraat 12",
                           "3511 AB Utrecht", "030-1234567", "jan@bakkerijjansen.nl"};
    for (int line = 1; line <= 7; ++line)
        doc.enterTextLine(line, QString::fromUtf8(lines[line - 1]));
}
