#pragma once

#include "qr/VCard.h"

#include <QList>
#include <array>

// The contact fields guessed from the card's seven lines, and the lines each came from,
// so that a field can follow its line when the line is edited later.
struct ContactGuess {
    ContactFields fields;
    // Per field (indexed by ContactField) the card lines (1..7) it was made of, in
    // order; empty when no line gave it. The address may be made of two lines.
    std::array<QList<int>, ContactFieldCount> lines;

    const QList<int> &linesOf(ContactField field) const { return lines[size_t(field)]; }
};

// The rules (the README says them for users):
//  - line 1 is the name, line 2 the function, unless that line looks like an e-mail
//    address, web address, phone number, postcode and place or one-line address: then it
//    counts by its look;
//  - every other line by what it looks like: an e-mail address, a web address, a phone
//    number (a Dutch mobile number -> Mobiel, else Telefoon; a label such as "Tel:",
//    "T:", "Mob:" or "M:" decides and is taken off), a postcode and place -> Adres,
//    with the line right before it joined in front with ", " when that line is a street
//    (a line of none of these kinds that holds a house number, not line 1 or 2); a line
//    that holds it all, street with house number, comma, postcode and place, -> Adres;
//  - the first line that is none of these is the company; later ones are not used;
//  - the first line of a kind wins; a second phone goes to the other phone field when
//    that is still empty; empty lines are skipped.
// `lines` holds the card's lines at indices 1..7; index 0 is not used.
ContactGuess guessContactFields(const std::array<QString, 8> &lines);
