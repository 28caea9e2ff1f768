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
