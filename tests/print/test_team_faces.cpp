// A team's faces are made when first asked and let go when many others came after: a
// face asked again, made anew or kept, is always its own person's.
#include "print/TeamFaces.h"

#include <gtest/gtest.h>

namespace {

Card teamCard(int people)
{
    Card card = Card::initial();
    card.state.TextLines[1] = QStringLiteral("Naam");
    card.back = CardFace::blankBack(card.front());
    card.back->state.TextLines[1] = QStringLiteral("Achterkant");
    CardTeam team;
    team.data.headers = {QStringLiteral("Naam")};
    for (int person = 0; person < people; ++person)
        team.data.rows.append({QStringLiteral("Persoon%1").arg(person)});
    team.mapping.lines[0] = LineSource::ofColumn(0);
    card.team = team;
    return card;
}

} // namespace

TEST(TeamFaces, AFaceMadeAgainWhileItsOtherSideIsKeptIsStillItsOwnPersons)
{
    // A back looked at again keeps it while its front is let go; the front asked then
    // makes both anew.
    TeamFaces faces(teamCard(40), true);
    const auto front = [&faces](int person) { return faces.face(person, CardSide::Front)->textLines[1]; };
    EXPECT_EQ(front(0), QStringLiteral("Persoon0"));
    for (int person = 1; person <= 20; ++person)
        front(person);
    ASSERT_NE(faces.face(0, CardSide::Back), nullptr);
    for (int person = 21; person <= 33; ++person)
        front(person);
    EXPECT_EQ(front(0), QStringLiteral("Persoon0"));
    EXPECT_EQ(faces.face(0, CardSide::Back)->textLines[1], QStringLiteral("Achterkant"));
    for (int person = 34; person < 40; ++person)
        EXPECT_EQ(front(person), QStringLiteral("Persoon%1").arg(person));
    EXPECT_EQ(faces.face(40, CardSide::Front), nullptr);

    // One-sided, nobody has a back.
    TeamFaces fronts(teamCard(3), false);
    EXPECT_EQ(fronts.face(1, CardSide::Back), nullptr);
    EXPECT_EQ(fronts.face(1, CardSide::Front)->textLines[1], QStringLiteral("Persoon1"));
}
