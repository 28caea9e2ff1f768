#pragma once

#include <QString>

// What contact lines look like, shared by the guess from the card's lines and the vCard
// (which splits the address by the same postcode). All take the text trimmed or not.
namespace ContactPatterns {

// something@something.tld, one word.
bool isEmail(const QString &text);

// http:// or https:// followed by more, www.something, or a bare lower-case domain of
// at least two parts with a top-level domain of 2 to 6 letters ("example.nl",
// "bakkerij-jansen.nl/winkel"). "J.Jansen" is not one: a bare domain is in lower case.
bool isWebAddress(const QString &text);

// A phone number: +, digits, spaces, dashes, dots, parentheses and slashes, with at least
// 9 digits and at most 15.
bool isPhoneNumber(const QString &text);

// A Dutch mobile number: 06..., +31 6..., 0031 6..., also written +31 (0)6....
bool isDutchMobile(const QString &phone);

// A Dutch postcode and place, "1234 AB Plaats" (the space inside the postcode may be
// missing). Gives the postcode as written, its four digits and two letters, and the place.
struct PostcodePlace {
    QString postcode;
    QString place;
};
bool splitPostcodePlace(const QString &text, PostcodePlace *out = nullptr);

// A whole address on one line: a street with a house number (a part that holds a digit),
// a comma, and a Dutch postcode and place: "Kerkstraat 1, 3511 AB Utrecht". The street is
// everything before the last comma, so "Kerkstraat 1, 2e etage, 3511 AB Utrecht" is one too.
bool isOneLineAddress(const QString &text);

// A label in front of a line ("Tel:", "T:", "Mob.:", "E-mail:", "Web:", ...): which kind
// of line it announces, and the line without it. None when there is no known label.
enum class Label { None, Phone, Mobile, Email, Web };
Label takeLabel(QString &text);

} // namespace ContactPatterns
