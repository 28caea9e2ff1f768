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
        // Both sides of a person are made from one card of theirs: the plan asks for the
        // back soon after the front, and making the card is most of the cost.
        const Card card =
            cardForPerson(m_card, m_team.data, m_team.mapping, m_people[planned], m_team.skipEmpty);
        if (!m_checked.contains(planned)) {
            m_checked.insert(planned);
            noteEmptyCodes(planned, card);
        }
        keep({planned, CardSide::Front}, PrintedCard::from(card));
        if (m_doubleSided && card.back)
            keep({planned, CardSide::Back}, PrintedCard::from(*card.back, nullptr));
        found = m_kept.find(key);
        if (found == m_kept.end())
            return nullptr; // a back this card does not have
    }
    // The most recently asked last: the faces a page is drawing are never let go.
    m_used.erase(found->second.use);
    found->second.use = m_used.insert(m_used.end(), key);
    while (m_used.size() > KeptFaces) {
        m_kept.erase(m_used.front());
        m_used.pop_front();
    }
    return &found->second.card;
}

void TeamFaces::keep(const Key &key, PrintedCard printed)
{
    // The other side of someone made again may still be kept: it is made anew, and its
    // place in the order of use with it.
    if (const auto old = m_kept.find(key); old != m_kept.end()) {
        m_used.erase(old->second.use);
        m_kept.erase(old);
    }
    const auto kept = m_kept.emplace(key, Kept{std::move(printed), m_used.end()}).first;
    kept->second.use = m_used.insert(m_used.end(), key);
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
