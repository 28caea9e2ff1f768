#pragma once

#include "core/Card.h"
#include "core/CardTeam.h"

#include <QString>

// A team's QR codes judged as one: each person's code holds that person's lines, so
// whether a code scans is a question of the one that holds the most.

struct LongestCode {
    // The person whose code it is (a row of the team's data); -1 when the code is the
    // same for everyone (no team, nobody printed, or no field following a line).
    int row = -1;
    // That person's code, encoded.
    QrObject qr;
};
// Of the people printed (CardTeam::people), the one whose version of `qr` (a code on
// either side of card, following the front's lines) holds the most; the first of equals.
// Only the winner's code is made, so a thousand people cost a thousand guesses of their
// contact fields, not a thousand codes.
LongestCode longestCode(const Card &card, const QrObject &qr);

// The name a person goes by in previews, warnings and messages: their name, or
// "Persoon N" for someone without one (N their row, from 1).
QString personLabel(const CardTeam &team, int row);
