#pragma once

#include <QByteArray>
#include <QString>

// The contact fields of a QR code of the kind "Contactgegevens (vCard)", as the dialog
// shows them (Naam, Functie, Bedrijf, Telefoon, Mobiel, Email, Website, Adres).
enum class ContactField { Naam, Functie, Bedrijf, Telefoon, Mobiel, Email, Website, Adres };
constexpr int ContactFieldCount = 8;
// Every field, in the order above.
inline constexpr ContactField AllContactFields[ContactFieldCount] = {
    ContactField::Naam,   ContactField::Functie, ContactField::Bedrijf, ContactField::Telefoon,
    ContactField::Mobiel, ContactField::Email,   ContactField::Website, ContactField::Adres};

// The field's caption, as the dialog and the messages about a code name it ("E-mail").
QString contactFieldCaption(ContactField field);

struct ContactFields {
    QString naam;
    QString functie;
    QString bedrijf;
    QString telefoon;
    QString mobiel;
    QString email;
    QString website;
    // One text: "Straat 1, 1234 AB Plaats" (see vcardText for how it is split).
    QString adres;

    QString value(ContactField field) const;
    void setValue(ContactField field, const QString &text);

    friend bool operator==(const ContactFields &, const ContactFields &) = default;
};

// The fields as a vCard 3.0 in UTF-8 with CRLF line ends, the lines folded at 75 octets
// (never inside a UTF-8 sequence), properties in the order BEGIN, VERSION, N, FN, ORG,
// TITLE, TEL (work), TEL (cell), EMAIL, URL, ADR, END. Empty fields are left out, except N
// and FN which a vCard must have. Text values escape \ , ; and line breaks.
//  - N: the name's last word is the family name, together with the Dutch prefixes before
//    it ("van", "de", "van der", "ter", ...); the words before are the given names:
//    "José Müller-Lüdenscheid" -> N:Müller-Lüdenscheid;José;;;
//    "Jan van der Berg" -> N:van der Berg;Jan;;;
//  - URL: a web address without a scheme gets "https://", so that phones open it.
//  - ADR;TYPE=WORK: when the text after the address's last comma or line break is a
//    Dutch postcode and place ("1234 AB Plaats"), the postcode goes to the postal-code
//    component, the place to the locality and everything before to the street; any
//    other address goes whole into the street component. The country stays empty.
QByteArray vcardText(const ContactFields &fields);

// A web address as a phone opens it: "https://" put in front when it has no scheme.
QString webAddressWithScheme(const QString &address);
