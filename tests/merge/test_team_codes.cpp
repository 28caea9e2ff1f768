// Which person's QR code a team's card is judged by.
#include "merge/MergeCard.h"
#include "merge/TeamCodes.h"
#include "qr/QrContent.h"

#include <gtest/gtest.h>

namespace {

// Line 1 the name, line 7 the e-mail address, both from the team; a code of the lines.
Card teamCard(const QList<QStringList> &rows)
{
    Card card = Card::initial();
    card.state.TextLines = {QString(),
                            QStringLiteral("Naam"),
                            QStringLiteral("Bakker & Zonen"),
                            QString(),
                            QStringLiteral("Dorpsstraat 1"),
                            QStringLiteral("1234 AB Ergens"),
                            QStringLiteral("020-1234567"),
                            QStringLiteral("naam@bakker.nl")};
    PlacedObject code;
    code.kind = PlacedObject::Kind::Qr;
    code.rect = QRectF(300, 150, 80, 80);
    code.qr = QrObject::fromLines(card.state.TextLines);
    card.design.objects.push_back(code);
    CardTeam team;
    team.data.headers = {QStringLiteral("Naam"), QStringLiteral("E-mail")};
    team.data.hasHeader = true;
    team.data.rows = rows;
    team.mapping.lines[0] = LineSource::ofColumn(0);
    team.mapping.lines[6] = LineSource::ofColumn(1);
    card.team = team;
    return card;
}

QString held(const LongestCode &longest)
{
    return QString::fromUtf8(encodedText(longest.qr.content));
}

} // namespace

TEST(TeamCodes, ThePersonWithTheLongestLinesDecidesAndTheFirstOfEqualsWins)
{
    Card card = teamCard({{QStringLiteral("Jan"), QStringLiteral("jan@bakker.nl")},
                          {QStringLiteral("Maria van den Heuvel-Bos"), QStringLiteral("maria.vandenheuvel@bakker.nl")},
                          {QStringLiteral("Piet"), QStringLiteral("piet@bakker.nl")}});
    const QrObject &qr = card.design.objects[0].qr;
    LongestCode longest = longestCode(card, qr);
    EXPECT_EQ(longest.row, 1);
    EXPECT_TRUE(held(longest).contains(QStringLiteral("maria.vandenheuvel@bakker.nl"))) << held(longest).toStdString();
    EXPECT_TRUE(longest.qr.code.isValid());
    // That person's code as the sheet prints it.
    const Card printed = cardForPerson(card, card.team->data, card.team->mapping, 1, true);
    EXPECT_EQ(longest.qr.content, printed.design.objects[0].qr.content);

    // Left out, Maria no longer counts.
    card.team->leftOut = {1};
    EXPECT_EQ(longestCode(card, qr).row, 2); // "piet" is one letter longer than "jan"

    Card equals = teamCard({{QStringLiteral("Jan"), QStringLiteral("jan@bakker.nl")},
                            {QStringLiteral("Kim"), QStringLiteral("kim@bakker.nl")}});
    EXPECT_EQ(longestCode(equals, equals.design.objects[0].qr).row, 0);
}

TEST(TeamCodes, AnAnswerKeptForADragIsNotKeptWhenTheLinesTheTeamOrTheCodeChange)
{
    Card card = teamCard({{QStringLiteral("Jan"), QStringLiteral("jan@bakker.nl")},
                          {QStringLiteral("Maria van den Heuvel-Bos"), QStringLiteral("maria@bakker.nl")}});
    QrObject qr = card.design.objects[0].qr;
    EXPECT_EQ(longestCode(card, qr).row, 1);
    card.design.objects[0].rect.translate(5, 5); // a drag: the same answer
    EXPECT_EQ(longestCode(card, qr).row, 1);

    // Someone's field typed longer: judged again. (A name counts twice: the code holds
    // it whole and in its parts.)
    card.team->data.rows[0][1] = QStringLiteral("jan.de.vries.van.der.velde.en.zonen@bakkerij-en-banketbakkerij.nl");
    EXPECT_EQ(longestCode(card, qr).row, 0);

    // A line everyone shares, and a field of the code typed by hand, change every code
    // alike; the answer is made again with them in it.
    card.state.TextLines[2] = QStringLiteral("Bakker & Zonen Banketbakkerij");
    EXPECT_TRUE(held(longestCode(card, qr)).contains(QStringLiteral("Banketbakkerij")));
    qr.content.contact.setValue(ContactField::Website, QStringLiteral("www.bakker.nl"));
    EXPECT_TRUE(held(longestCode(card, qr)).contains(QStringLiteral("www.bakker.nl")));
}

TEST(TeamCodes, ACodeTheSameForEveryoneOrACardWithoutTeamHasNobodyToName)
{
    Card card = teamCard({{QStringLiteral("Jan"), QStringLiteral("jan@bakker.nl")}});
    QrObject typed = card.design.objects[0].qr;
    typed.follows = {};
    EXPECT_EQ(longestCode(card, typed).row, -1);
    QrObject web;
    web.content.kind = QrKind::WebAddress;
    web.content.webAddress = QStringLiteral("bakker.nl");
    EXPECT_EQ(longestCode(card, web).row, -1);
    card.team->leftOut = {0};
    EXPECT_EQ(longestCode(card, card.design.objects[0].qr).row, -1);
    card.team.reset();
    EXPECT_EQ(longestCode(card, card.design.objects[0].qr).row, -1);

    CardTeam unnamed;
    unnamed.data.rows = {{QString(), QStringLiteral("x@y.nl")}};
    EXPECT_EQ(personLabel(unnamed, 0), QStringLiteral("Persoon 1"));
}
