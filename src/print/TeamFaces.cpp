#include "print/TeamFaces.h"

#include "merge/MergeCard.h"
#include "merge/TeamCodes.h"

TeamFaces::TeamFaces(const Card &card, const CardTeam &team, bool doubleSided)
    : m_card(card)
    , m_team(team)
    , m_people(team.people())
    , m_doubleSided(doubleSided)
{
    m_card.team.reset();
}

TeamFaces::TeamFaces(const Card &card, bool doubleSided)
    : TeamFaces(card, card.team.value_or(CardTeam()), doubleSided)
{
}

QString TeamFaces::name(int planned) const
{
    return personLabel(m_team, m_people.value(planned, -1));
}

const PrintedCard *TeamFaces::face(int planned, CardSide side)
{
    if ((side == CardSide::Back && !m_doubleSided) || planned < 0 || planned >= m_people.size())
        return nullptr;
    const Key key{planned, side};
    auto found = m_kept.find(key);
    if (found == m_kept.end()) {
        const Card card =
            cardForPerson(m_card, m_team.data, m_team.mapping, m_people[planned], m_team.skipEmpty);
        if (side == CardSide::Back && !card.back)
            return nullptr;
        if (!m_checked.contains(planned)) {
            m_checked.insert(planned);
            noteEmptyCodes(planned, card);
        }
        PrintedCard printed =
            side == CardSide::Front ? PrintedCard::from(card) : PrintedCard::from(*card.back, nullptr);
        found = m_kept.emplace(key, Kept{std::move(printed), m_used.end()}).first;
    } else {
        m_used.erase(found->second.use);
    }
    // The most recently asked last: the faces a page is drawing are never let go.
    found->second.use = m_used.insert(m_used.end(), key);
    while (m_used.size() > KeptFaces) {
        m_kept.erase(m_used.front());
        m_used.pop_front();
    }
    return &found->second.card;
}

QStringList TeamFaces::emptyCodes() const
{
    QStringList notes;
    for (const auto &[planned, said] : m_emptyCodes)
        notes << said;
    return notes;
}

void TeamFaces::noteEmptyCodes(int planned, const Card &card)
{
    for (const CardSide side : {CardSide::Front, CardSide::Back}) {
        const CardFace *face = card.face(side);
        if (!face || (side == CardSide::Back && !m_doubleSided))
            continue;
        for (const PlacedObject &object : face->design.objects)
            if (object.kind == PlacedObject::Kind::Qr && !object.qr.code.isValid())
                m_emptyCodes.insert(
                    {planned, name(planned) + QStringLiteral(": ") + object.qr.whyEmpty().simplified()});
    }
}
