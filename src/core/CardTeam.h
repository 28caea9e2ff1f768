#pragma once

#include "core/MergeMapping.h"
#include "core/MergeTable.h"

#include <QList>
#include <QString>

// The people one card is made for: a team's file read into rows, which line takes which
// column, and who is left out. Part of the card, so that attaching a file, changing a
// person's field or the mapping is a step the history undoes like any other change, and
// every copy of the card (the history's, a print's) shares the rows until one changes.
struct CardTeam {
    MergeData data;
    MergeMapping mapping;
    // The file's own name as the user picked it, without its folder: what the dialog
    // says the data came from.
    QString sourceName;
    // "LegeRegelsOverslaan": a person's empty field lets the lines below move up.
    bool skipEmpty = true;
    // The rows not printed (the "Meenemen" box cleared), ascending.
    QList<int> leftOut;

    // The rows printed, in the file's order.
    QList<int> people() const;

    bool operator==(const CardTeam &) const = default;
};
