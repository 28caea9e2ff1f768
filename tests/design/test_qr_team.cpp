// A team's card: its QR codes are judged by the person whose code holds the most, and
// a code on the back by the back's own lines.
#include "core/Card.h"
#include "core/CardPainter.h"
#include "design/QrPlacement.h"
#include "merge/TeamCodes.h"

#include <gtest/gtest.h>

namespace {

const QSizeF CardMm(90, 50);

Card cardWithCode(const QList<QStringList> &people)
{
    Card card = Card::initial();
    card.state.TextLines = {QString(),
                            QStringLiteral("Naam"),
                            QStringLiteral("Functie"),
                            QStringLiteral("Bakker"),
                            QString(),
                            QString(),
                            QString(),
                            QStringLiteral("naam@bakker.nl")};
    // A code at the side the card's own short lines need: a longer person's modules
    // come out smaller there.
    const QrPlacement::NewCode made = QrPlacement::newCode(card.state.TextLines, CardMm);
    PlacedObject code;
    code.kind = PlacedObject::Kind::Qr;
    code.rect = made.rect;
    code.qr = made.qr;
    card.design.objects.push_back(code);
    CardTeam team;
    team.data.headers = {QStringLiteral("Naam"), QStringLiteral("Functie"), QStringLiteral("E-mail")};
    team.data.hasHeader = true;
    team.data.rows = people;
    team.mapping.lines[0] = LineSource::ofColumn(0);
    team.mapping.lines[1] = LineSource::ofColumn(1);
    team.mapping.lines[6] = LineSource::ofColumn(2);
    card.team = team;
    return card;
}

QStringList teamWarnings(const Card &card, CardSide side = CardSide::Front)
{
    const PlacedObject &code = card.face(side)->design.objects[0];
    return QrPlacement::warnings(card, side, code.qr, code.rect, CardMm);
}

} // namespace

TEST(QrTeam, TheLongestPersonsCodeDecidesAndTheWarningSaysWhoEvenWhenTheFirstScans)
{
    const QStringList jan = {QStringLiteral("Jan"), QStringLiteral("Bakker"), QStringLiteral("jan@bakker.nl")};
    const Card shortTeam = cardWithCode({jan, {QStringLiteral("Kim"), QStringLiteral("Kok"), QStringLiteral("kim@bakker.nl")}});
    EXPECT_TRUE(teamWarnings(shortTeam).isEmpty()) << teamWarnings(shortTeam).join(u'\n').toStdString();

    // The second person's lines need a larger code than the side leaves room for.
    const QStringList maria = {QStringLiteral("Maria Christina van den Heuvel-Bosch"),
                               QStringLiteral("Bakker"),
                               QStringLiteral("maria.christina.vandenheuvel-bosch@bakkerij-en-banketbakkerij.nl")};
    const QStringList said = teamWarnings(cardWithCode({jan, maria}));
    // Her modules are too small, and her long e-mail line runs over the code's edge.
    ASSERT_EQ(said.size(), 2) << said.join(u'\n').toStdString();
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("Maria Christina van den Heuvel-Bosch: De blokjes")));
    EXPECT_TRUE(said[1].startsWith(QStringLiteral("Maria Christina van den Heuvel-Bosch: Er ligt iets op de lichte rand")));
    // The same card judged without the team: no warning at all.
    Card alone = cardWithCode({jan, maria});
    alone.team.reset();
    EXPECT_TRUE(teamWarnings(alone).isEmpty());

    // Someone too long for any code: that person's code holds nothing, and it says so.
    const QStringList endless = {QString(), QStringLiteral("Bakker"), QString(3000, u'x') + QStringLiteral("@bakker.nl")};
    const QStringList none = teamWarnings(cardWithCode({jan, endless}));
    ASSERT_FALSE(none.isEmpty());
    EXPECT_TRUE(none[0].startsWith(QStringLiteral("Persoon 2: "))) << none[0].toStdString();
}

TEST(QrTeam, ACodeOnTheBackIsCoveredByTheBacksLinesNotTheFronts)
{
    Card card = cardWithCode({{QStringLiteral("Jan"), QStringLiteral("Bakker"), QStringLiteral("jan@bakker.nl")}});
    card.team.reset();
    // On the back, the code stands where the front's line 1 is; the back has no lines.
    PlacedObject code = card.design.objects[0];
    code.rect.moveTopLeft(CardPainter::textLineRect(card, 1).topLeft());
    card.back = CardFace::blankBack(card.front());
    card.back->state.TextLines = {};
    card.back->design.objects = {code};
    EXPECT_TRUE(teamWarnings(card, CardSide::Back).isEmpty()) << teamWarnings(card, CardSide::Back).join(u'\n').toStdString();
    // The back's own line there does cover it.
    card.back->state.TextLines[1] = QStringLiteral("Openingstijden");
    EXPECT_FALSE(teamWarnings(card, CardSide::Back).isEmpty());
}

TEST(QrTeam, TheBorderIsJudgedOnEveryonesLinesAndNamesWhoseCoverIt)
{
    // Line 6, which the code does not hold, takes a motto; Bert's runs over the code, while
    // Jan's code is the longer one.
    const QStringList jan = {QStringLiteral("Jan van den Berg"), QStringLiteral("Bakker"),
                             QStringLiteral("jan.van.den.berg@bakker.nl"), QString()};
    const QStringList bert = {QStringLiteral("Bert"), QStringLiteral("Bakker"), QStringLiteral("bert@bakker.nl"),
                              QStringLiteral("Brood, banket en taarten voor elke gelegenheid, ook op zondag")};
    Card card = cardWithCode({jan, bert});
    card.team->data.headers.append(QStringLiteral("Motto"));
    card.team->mapping.lines[5] = LineSource::ofColumn(3);
    ASSERT_EQ(longestCode(card, card.design.objects[0].qr).row, 0);
    const QStringList said = teamWarnings(card);
    // Each warning names whose card it holds for.
    ASSERT_EQ(said.size(), 2) << said.join(u'\n').toStdString();
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("Jan van den Berg: De blokjes")));
    EXPECT_TRUE(said[1].startsWith(QStringLiteral("Bert: Er ligt iets op de lichte rand")));

    // Without Bert, nobody's lines reach it.
    card.team->leftOut = {1};
    const QStringList without = teamWarnings(card);
    ASSERT_EQ(without.size(), 1) << without.join(u'\n').toStdString();
    EXPECT_TRUE(without[0].startsWith(QStringLiteral("Jan van den Berg: De blokjes")));
}
