#include "merge/MergeCard.h"

#include <gtest/gtest.h>

namespace {

// A card of a company: the name, the function, the company, the street, the place, the
// phone and the e-mail, with a QR code made of those lines on the front and on a back.
Card companyCard()
{
    Card card = Card::initial();
    card.state.TextLines = {QString(),
                            QStringLiteral("Anna Bakker"),
                            QStringLiteral("Directeur"),
                            QStringLiteral("Bakker & Zonen"),
                            QStringLiteral("Dorpsstraat 1"),
                            QStringLiteral("1234 AB Ergens"),
                            QStringLiteral("020-1234567"),
                            QStringLiteral("anna@bakker.nl")};
    LineFont bold;
    bold.name = QStringLiteral("DejaVu Serif");
    bold.size = 14;
    bold.bold = true;
    card.design.lines[3].font = bold;
    card.design.lines[3].align = LineAlign::Right;
    card.design.lines[2].offset = QPointF(12, 3);
    PlacedObject code;
    code.kind = PlacedObject::Kind::Qr;
    code.rect = QRectF(300, 150, 80, 80);
    code.qr = QrObject::fromLines(card.state.TextLines);
    card.design.objects.push_back(code);
    card.back = CardFace::blankBack(card.front());
    card.back->design.objects.push_back(code);
    return card;
}

MergeData team()
{
    MergeData data;
    data.headers = {QStringLiteral("Naam"), QStringLiteral("Functie"), QStringLiteral("E-mail")};
    data.hasHeader = true;
    data.rows = {{QStringLiteral("Jan de Vries"), QString(), QStringLiteral("jan@bakker.nl")},
                 {QStringLiteral("Piet Smit"), QStringLiteral("Bakker"), QStringLiteral("piet@bakker.nl")}};
    return data;
}

MergeMapping nameFunctionMail()
{
    MergeMapping mapping;
    mapping.lines[0] = LineSource::ofColumn(0);
    mapping.lines[1] = LineSource::ofColumn(1);
    mapping.lines[6] = LineSource::ofColumn(2);
    return mapping;
}

} // namespace

TEST(MergeCard, AnEmptyFieldMovesTheLinesBelowUpInTheirOwnStylesIntoTheDesignsPlaces)
{
    const Card card = companyCard();
    const Card jan = cardForPerson(card, team(), nameFunctionMail(), 0, true);
    EXPECT_EQ(jan.state.TextLines[1], QStringLiteral("Jan de Vries"));
    // Jan has no function: the company stands in the second place, in its own bold font
    // and alignment, where the design has the second place.
    EXPECT_EQ(jan.state.TextLines[2], QStringLiteral("Bakker & Zonen"));
    EXPECT_EQ(jan.design.lines[2].font, card.design.lines[3].font);
    EXPECT_EQ(jan.design.lines[2].align, LineAlign::Right);
    EXPECT_EQ(jan.design.lines[2].offset, QPointF(12, 3));
    EXPECT_EQ(jan.state.TextLines[6], QStringLiteral("jan@bakker.nl"));
    EXPECT_TRUE(jan.state.TextLines[7].isEmpty());
    EXPECT_FALSE(jan.design.lines[7].font.has_value());

    // Without skipping the hole stays, and every line keeps its own style.
    const Card hole = cardForPerson(card, team(), nameFunctionMail(), 0, false);
    EXPECT_TRUE(hole.state.TextLines[2].isEmpty());
    EXPECT_EQ(hole.state.TextLines[3], QStringLiteral("Bakker & Zonen"));
    EXPECT_EQ(hole.design.lines, card.design.lines);

    // The card itself is the same for everyone.
    EXPECT_EQ(card, companyCard());
}

TEST(MergeCard, TheCodesOnBothSidesTakeThePersonsLinesByTheirNumber)
{
    const Card card = companyCard();
    const Card jan = cardForPerson(card, team(), nameFunctionMail(), 0, true);
    for (const CardSide side : {CardSide::Front, CardSide::Back}) {
        const ContactFields &fields = jan.face(side)->design.objects.front().qr.content.contact;
        EXPECT_EQ(fields.naam, QStringLiteral("Jan de Vries"));
        // The e-mail follows line 7, which stands in place 6 on Jan's card.
        EXPECT_EQ(fields.email, QStringLiteral("jan@bakker.nl"));
        EXPECT_TRUE(fields.functie.isEmpty());
        EXPECT_EQ(fields.bedrijf, QStringLiteral("Bakker & Zonen"));
    }
    const Card piet = cardForPerson(card, team(), nameFunctionMail(), 1, true);
    EXPECT_EQ(piet.design.objects.front().qr.content.contact.functie, QStringLiteral("Bakker"));
    EXPECT_NE(piet.design.objects.front().qr.code, jan.design.objects.front().qr.code);
}

TEST(MergeCard, AFieldTypedByHandInTheCodeStaysTheSameForEveryone)
{
    Card card = companyCard();
    QrObject &code = card.design.objects.front().qr;
    code.content.contact.email = QStringLiteral("info@bakker.nl");
    code.follows[size_t(ContactField::Email)].clear();
    code.encode();
    const Card jan = cardForPerson(card, team(), nameFunctionMail(), 0, true);
    EXPECT_EQ(jan.design.objects.front().qr.content.contact.email, QStringLiteral("info@bakker.nl"));
    EXPECT_EQ(jan.design.objects.front().qr.content.contact.naam, QStringLiteral("Jan de Vries"));
}
