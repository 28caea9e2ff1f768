#pragma once

#include "merge/MergeData.h"
#include "core/MergeMapping.h"

#include <QString>
#include <QStringList>
#include <array>

// One person's card: which line stands in each of the seven places, with what text.
struct PlacedLine {
    // The line (from 0) whose text this is and whose style (font, colour, alignment,
    // offset) it is drawn in; -1 for a place left free at the bottom.
    int source = -1;
    QString text;

    friend bool operator==(const PlacedLine &, const PlacedLine &) = default;
};
using PersonLines = std::array<PlacedLine, MergeLineCount>;

// The seven places of one person's card. cardTexts are the card's own lines (line 1
// first); row is the person's fields. A line mapped to a column shows the person's
// field, its line breaks as ", " (a card's line is one line); "Leeg" shows nothing; the
// rest the card's text.
//
// Without skipEmpty every line stays in its own place. With it, a line mapped to a
// column for which this person has nothing leaves its place: the lines below move up,
// each in its own style, and the places they leave at the bottom are free. Only such an
// empty field moves lines: a blank line of the card itself, or one the user set to
// "Leeg", is part of the design and keeps its place for everyone.
PersonLines personLines(const std::array<QString, MergeLineCount> &cardTexts, const MergeMapping &mapping,
                        const QStringList &row, bool skipEmpty);

// The name that stands for the person in the window ("Persoon 3 van 12: Jan de Vries"):
// line 1's field when line 1 takes a column and the person has it; else a column named
// as a whole name (Naam, Name, Full Name, ...; a vCard's Naam); else the person's first,
// middle and last name columns together. Empty when none gives a name.
QString personName(const MergeData &data, const MergeMapping &mapping, int row);
