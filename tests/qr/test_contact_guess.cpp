#include "qr/ContactGuess.h"

#include <gtest/gtest.h>

namespace {

std::array<QString, 8> card(std::initializer_list<const char *> lines)
{
    std::array<QString, 8> out;
    int i = 1;
    for (const char *line : lines)
        out[size_t(i++)] = QString::fromUtf8(line);
    return out;
}

using Lines = QList<int>;

} // namespace

TEST(ContactGuess, NameFunctionCompanyStreetPostcodeAndPhones)
{
    const ContactGuess guess = guessContactFields(card({"José Müller-Lüdenscheid", "Directeur", "Bakkerij Müller",
                                                       "Kerkstraat 12a", "1234 AB Zwolle", "Tel: 038 - 123 45 67",
                                                       "+31 (0)6 1234 5678"}));
    EXPECT_EQ(guess.fields.naam, QStringLiteral("José Müller-Lüdenscheid"));
    EXPECT_EQ(guess.fields.functie, QStringLiteral("Directeur"));
    EXPECT_EQ(guess.fields.bedrijf, QStringLiteral("Bakkerij Müller"));
    EXPECT_EQ(guess.fields.adres, QStringLiteral("Kerkstraat 12a, 1234 AB Zwolle"));
    EXPECT_EQ(guess.fields.telefoon, QStringLiteral("038 - 123 45 67"));
    EXPECT_EQ(guess.fields.mobiel, QStringLiteral("+31 (0)6 1234 5678"));
    EXPECT_EQ(guess.linesOf(ContactField::Naam), Lines{1});
    EXPECT_EQ(guess.linesOf(ContactField::Functie), Lines{2});
    EXPECT_EQ(guess.linesOf(ContactField::Bedrijf), Lines{3});
    EXPECT_EQ(guess.linesOf(ContactField::Adres), (Lines{4, 5}));
    EXPECT_EQ(guess.linesOf(ContactField::Telefoon), Lines{6});
    EXPECT_EQ(guess.linesOf(ContactField::Mobiel), Lines{7});
    EXPECT_TRUE(guess.linesOf(ContactField::Email).isEmpty());
}

TEST(ContactGuess, EmailWebLabelledMobileAndCompanyAfterAnEmptyLine)
{
    const ContactGuess guess = guessContactFields(card({"Renée Çelik", "", "info@celik-advocaten.nl",
                                                       "www.celik-advocaten.nl", "celik.nl", "M: 050 311 22 33",
                                                       "Çelik & Partners"}));
    EXPECT_TRUE(guess.fields.functie.isEmpty());
    EXPECT_TRUE(guess.linesOf(ContactField::Functie).isEmpty());
    EXPECT_EQ(guess.fields.email, QStringLiteral("info@celik-advocaten.nl"));
    EXPECT_EQ(guess.fields.website, QStringLiteral("www.celik-advocaten.nl"));
    EXPECT_EQ(guess.linesOf(ContactField::Website), Lines{4}); // the first web address wins
    EXPECT_EQ(guess.fields.mobiel, QStringLiteral("050 311 22 33")); // the label decides
    EXPECT_TRUE(guess.fields.telefoon.isEmpty());
    EXPECT_EQ(guess.fields.bedrijf, QStringLiteral("Çelik & Partners"));
    EXPECT_EQ(guess.linesOf(ContactField::Bedrijf), Lines{7});
}

TEST(ContactGuess, LinesThatOnlyResembleAKindAreTheCompany)
{
    // Eight digits are too few for a phone; "J.Jansen" is no domain; a company name
    // before the postcode is no street.
    ContactGuess guess = guessContactFields(card({"Piet", "Eigenaar", "12 345 678", "J.Jansen", "", "Bakkerij Jansen",
                                                 "1234 AB Zwolle"}));
    EXPECT_EQ(guess.fields.bedrijf, QStringLiteral("12 345 678"));
    EXPECT_TRUE(guess.fields.telefoon.isEmpty());
    EXPECT_TRUE(guess.fields.website.isEmpty());
    EXPECT_EQ(guess.fields.adres, QStringLiteral("1234 AB Zwolle"));
    EXPECT_EQ(guess.linesOf(ContactField::Adres), Lines{7});

    guess = guessContactFields(card({"Piet", "Eigenaar", "W: Voorbeeld BV", "piet@", "0123 AB Zwolle", "", ""}));
    EXPECT_EQ(guess.fields.bedrijf, QStringLiteral("W: Voorbeeld BV"));
    EXPECT_TRUE(guess.fields.email.isEmpty());
    EXPECT_TRUE(guess.fields.adres.isEmpty()); // no Dutch postcode starts with 0
}

TEST(ContactGuess, SecondLineCountsByItsLookWhenItIsAPhone)
{
    const ContactGuess guess = guessContactFields(card({"Piet Jansen", "020-1234567", "06 12 34 56 78",
                                                       "0612345678", "", "", ""}));
    EXPECT_TRUE(guess.fields.functie.isEmpty());
    EXPECT_EQ(guess.fields.telefoon, QStringLiteral("020-1234567"));
    EXPECT_EQ(guess.fields.mobiel, QStringLiteral("06 12 34 56 78"));
    // A second mobile number has no field left.
    EXPECT_EQ(guess.linesOf(ContactField::Mobiel), Lines{3});
    EXPECT_EQ(guess.linesOf(ContactField::Telefoon), Lines{2});
}

TEST(ContactGuess, SecondPhoneGoesToTheOtherPhoneField)
{
    const ContactGuess guess = guessContactFields(card({"Piet", "Bakker", "T: 06 12345678", "038 4221100", "", "", ""}));
    EXPECT_EQ(guess.fields.telefoon, QStringLiteral("06 12345678")); // labelled Tel, so Telefoon
    EXPECT_EQ(guess.fields.mobiel, QStringLiteral("038 4221100"));
}

TEST(ContactGuess, AStreetPostcodeAndPlaceOnOneLineIsTheAddressNotTheCompany)
{
    ContactGuess guess = guessContactFields(card({"Anna de Wit", "Notaris", "De Wit Notarissen",
                                                 "Kerkstraat 1, 3511 AB Utrecht", "030-2345678", "", ""}));
    EXPECT_EQ(guess.fields.adres, QStringLiteral("Kerkstraat 1, 3511 AB Utrecht"));
    EXPECT_EQ(guess.linesOf(ContactField::Adres), Lines{4});
    EXPECT_EQ(guess.fields.bedrijf, QStringLiteral("De Wit Notarissen"));

    // Alone after the name it is not the company either; line 2 counts by its look.
    guess = guessContactFields(card({"Anna de Wit", "Kerkstraat 1a, 3511AB Utrecht", "", "", "", "", ""}));
    EXPECT_TRUE(guess.fields.bedrijf.isEmpty());
    EXPECT_TRUE(guess.fields.functie.isEmpty());
    EXPECT_EQ(guess.linesOf(ContactField::Adres), Lines{2});

    // A line with a number before it is no street of its own: the address is whole.
    guess = guessContactFields(card({"Anna", "Notaris", "Kantoor 2000", "Kerkstraat 1, 3511 AB Utrecht", "", "",
                                     ""}));
    EXPECT_EQ(guess.linesOf(ContactField::Adres), Lines{4});
    EXPECT_EQ(guess.fields.bedrijf, QStringLiteral("Kantoor 2000"));

    // Without a house number, or without a comma, it is no address.
    for (const char *line : {"De Wit Notarissen, 3511 AB Utrecht", "Kerkstraat 1 3511 AB Utrecht"}) {
        guess = guessContactFields(card({"Anna", "Notaris", line, "", "", "", ""}));
        EXPECT_TRUE(guess.fields.adres.isEmpty()) << line;
        EXPECT_EQ(guess.fields.bedrijf, QString::fromUtf8(line));
    }
}
