#pragma once

#include "core/Card.h"
#include "print/PrintedCard.h"

#include <QSet>
#include <QStringList>
#include <list>
#include <map>

// The printed faces of a team for a sheet plan (SheetPlan::forCards): planned card k is
// the k-th person printed (CardTeam::people, the ones left out skipped), on the card with
// their own lines. A person's faces are made when the plan first asks for them and kept
// for the few people of the pages around it, so a thousand people's faces are never all
// held at once; the background pictures everyone shares stay one picture, which a PDF
// keeps once however often it is drawn.
class TeamFaces {
public:
    // card.team must be set; or pass the team separately for a card that has none saved.
    TeamFaces(const Card &card, const CardTeam &team, bool doubleSided);
    explicit TeamFaces(const Card &card, bool doubleSided = false);

    // How many people are printed: the planned cards run from 0 to this.
    int people() const { return int(m_people.size()); }
    // The name a person goes by in previews and messages: their name, or "Persoon N".
    QString name(int planned) const;

    // The face of planned card k; null for a back the print does not have.
    const PrintedCard *face(int planned, CardSide side);

    // The codes that hold nothing on someone's card (that person's lines too long for
    // the largest code), each said of whom ("Jan de Vries: ..."), in the order of the
    // people; only of the people made so far.
    QStringList emptyCodes() const;

private:
    void noteEmptyCodes(int planned, const Card &card);
    using Key = std::pair<int, CardSide>;
    // Keeps a face made as the most recently used.
    void keep(const Key &key, PrintedCard printed);

    static constexpr size_t KeptFaces = 64;
    struct Kept {
        PrintedCard card;
        std::list<Key>::iterator use;
    };
    Card m_card;
    CardTeam m_team;
    QList<int> m_people;
    bool m_doubleSided;
    std::map<Key, Kept> m_kept;
    std::list<Key> m_used;
    QSet<int> m_checked;
    std::multimap<int, QString> m_emptyCodes;
};
