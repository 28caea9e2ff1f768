#pragma once

#include "core/Card.h"
#include "merge/MergeData.h"
#include "core/MergeMapping.h"

// The card one person gets: the card itself with that person's lines. Everything that
// draws or prints takes a card, so a team is printed by drawing each person's card; the
// design and the card's own lines stay untouched for everyone.
//
// Each place of the front shows the line personLines puts there, in that line's font,
// colour and alignment; the place itself (where the design put it, moved or not) stays,
// so lines that move up into a free place stand where the design has that place. The
// QR codes on either side take the person's lines for the fields that follow lines
// (each field the lines it follows, wherever they stand on this person's card); fields
// typed by hand stay the same for everyone.
Card cardForPerson(const Card &card, const MergeData &data, const MergeMapping &mapping, int row, bool skipEmpty);
// The same with only the lines placed, the codes left as the card has them: for
// measuring where a person's lines stand, without making a code per person.
Card cardWithPersonLines(const Card &card, const MergeData &data, const MergeMapping &mapping, int row,
                         bool skipEmpty);

// The card's own seven lines (line 1 first), as personLines takes them.
std::array<QString, MergeLineCount> cardOwnLines(const Card &card);

// The lines a person's codes follow, by their number (0 unused, 1..7): line 3 is this
// person's line 3 even when an empty field above has moved it up on their card.
std::array<QString, 8> followedLines(const Card &card, const MergeData &data, const MergeMapping &mapping, int row);

// A side of the card as a card of its own, as the window shows a back: its face (or the
// blank back a card without one starts from) in front, no back, no stamp (the stamp
// belongs to the front).
Card sideAsCard(Card card, CardSide side);
