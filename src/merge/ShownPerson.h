#pragma once

#include "core/Card.h"

#include <QString>

class CardDocument;

// The window's side of a team: which person it shows, and what typing in a line of that
// person's card changes. Kept apart from the widgets so that the rules can be tested.

// The row of the data the window shows; -1 without a team (or with everyone left out).
int shownRow(const CardDocument &document);

// The card as the window draws and measures it: the shown side, with the shown person's
// lines when a team is attached.
Card shownPersonCard(const CardDocument &document);

// "Persoon 3 van 12: Jan de Vries" ("Persoon 3 van 12" for someone without a name);
// empty without a team.
QString personCaption(const CardDocument &document);

// What typing in the place `place` (1..7) of one person's front changes.
struct TypedLine {
    // The card's own line 1..7, the same for everyone; 0 when a field is typed.
    int cardLine = 0;
    int row = -1;
    int column = -1;

    bool isField() const { return cardLine == 0; }
    friend bool operator==(const TypedLine &, const TypedLine &) = default;
};
// With empty fields skipped, the place may show a line that moved up: the line standing
// there decides, not the place's number. A place left free at the bottom is the card's
// line of that number.
TypedLine typedLine(const Card &card, int row, int place);

// The text the input box starts with for that place, as the window shows it.
QString shownLineText(const CardDocument &document, int place);
// The user typed answer in place 1..7 of the shown side: the shown person's field when
// the line there is mapped to a column, else the card's own line for everyone (as
// CardDocument::enterTextLine takes it). Nothing typed keeps what was there. Returns
// whether anything changed.
bool enterShownLine(CardDocument &document, int place, const QString &answer);
