#pragma once

#include "core/MergeTable.h"

#include <QString>
#include <array>
#include <optional>

// Where each of a card's seven lines takes its text from while merge data is attached.
constexpr int MergeLineCount = 7;

struct LineSource {
    enum class Kind {
        Card,   // "Tekst van de kaart": the card's own text, the same for everyone
        Empty,  // "Leeg": nothing, for everyone
        Column, // the person's field in this column of the data
    };
    Kind kind = Kind::Card;
    int column = -1; // from 0; only for Kind::Column

    static LineSource card() { return {}; }
    static LineSource empty() { return {Kind::Empty, -1}; }
    static LineSource ofColumn(int column) { return {Kind::Column, column}; }

    friend bool operator==(const LineSource &, const LineSource &) = default;
};

struct MergeMapping {
    // Line 1 first; every line keeps the card's text until it is given a source.
    std::array<LineSource, MergeLineCount> lines;

    // The mapping a file gets at first: its columns to lines 1 to 7 in their order (for
    // a vCard: name, function, organisation, street, postcode and place, phone, e-mail);
    // lines beyond the columns keep the card's text.
    static MergeMapping defaultFor(const MergeData &data);

    // Columns the data does not have (it was read again and has fewer) give the line
    // back to the card's text.
    MergeMapping fittedTo(int columnCount) const;

    // The mapping as it is saved with the card: the seven lines apart by commas, each a
    // column's number as the user counts them (from 1), "kaart" or "leeg":
    // "1,2,kaart,leeg,3,kaart,kaart". fromText takes exactly that form and nothing else.
    QString toText() const;
    static std::optional<MergeMapping> fromText(const QString &text);

    friend bool operator==(const MergeMapping &, const MergeMapping &) = default;
};
