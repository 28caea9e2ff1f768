#pragma once

#include "merge/MergeData.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A vCard file as phones, mail programs and online address books export it: versions
// 2.1, 3.0 and 4.0, any number of contacts, folded lines (a line break followed by a space
// or tab), 2.1's QUOTED-PRINTABLE with its soft line breaks and CHARSET, the escapes of
// 3.0 and 4.0 (\, \; \n \\), grouped properties (item1.EMAIL) and parameters written
// either way (TEL;CELL: and TEL;TYPE=cell:). Each contact becomes one row of the columns
// below; a contact without any of them is left out.
namespace VCardReader {

// The columns, in the order of a card's lines.
enum Column { Naam, Functie, Organisatie, Straat, PostcodePlaats, Telefoon, Email, ColumnCount };

// "Naam", "Functie", "Organisatie", "Straat", "Postcode en plaats", "Telefoon", "E-mail".
QStringList columnNames();

// Naam is FN, or else N's parts in the order they are spoken ("Dr. Jan de Vries");
// Functie is TITLE; Organisatie is ORG, its units after the name, apart by a comma;
// Straat and "Postcode en plaats" ("1234 AB Plaats") come from the first ADR; Telefoon is
// the first TEL (a tel: address without its scheme), E-mail the first EMAIL.
// A BEGIN:VCARD inside a contact, an END:VCARD outside one, a contact never ended and
// text outside the contacts are refused, naming the line.
MergeRead read(const QByteArray &bytes, const QString &shownName);

// Whether the text begins, after its byte order mark and blank space, with BEGIN:VCARD.
bool looksLikeVCard(const QByteArray &bytes);

} // namespace VCardReader
