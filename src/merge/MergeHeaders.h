#pragma once

#include <QString>

// What the column names of address-book and spreadsheet exports say: whether a cell is
// one of them (so a first row of them is a header), and which ones hold a person's name.
// Names are compared by their letters only, in lower case, with an export's numbering
// and kind left off: "E-mail 1 - Value" is "email", "First Name" is "firstname".
namespace MergeHeaders {

QString normalized(const QString &header);

// A column name that Dutch and English exports use (Naam, Functie, E-mail, First Name,
// Organization 1 - Name, Mobile Phone, ...).
bool isKnownHeader(const QString &cell);

// What part of a name a column holds, by its header.
enum class NamePart { None, Full, Given, Middle, Family };
NamePart namePart(const QString &header);

// A cell that is plainly a value and not a column name: an e-mail or web address, a
// phone number, a Dutch postcode and place, or a number.
bool looksLikeValue(const QString &cell);

} // namespace MergeHeaders
