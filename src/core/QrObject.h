#pragma once

#include "qr/ContactGuess.h"
#include "qr/QrCode.h"
#include "qr/QrContent.h"

#include <QList>
#include <array>

// A QR code on the card: what it holds, its error level and colour, and the code made of
// them, kept in step by every change so drawing never encodes. Contact fields taken from
// the card's lines follow those lines when they change, until the user types the field.
struct QrObject {
    QrContent content;
    QrLevel level = QrLevel::M;
    // "QrKleur": the dark modules in the card's text colour instead of black.
    bool inTextColour = false;
    // The card lines each contact field follows; empty for a field the user typed.
    std::array<QList<int>, ContactFieldCount> follows;
    QrCode code;

    // A code for the card's lines as they are: the contact guessed from them, every
    // field following its lines.
    static QrObject fromLines(const std::array<QString, 8> &lines);

    // Makes the code again from the content and the level.
    void encode();
    // The card's lines changed: the fields that follow lines take their new text.
    // Returns whether the content changed.
    bool followLines(const std::array<QString, 8> &lines);

    // Why the code holds nothing and draws nothing (its content too long for the largest
    // code at its level, or no content at all), in Dutch, naming what is too long: the
    // field and the card lines it follows, or the web address or text, and by how many
    // characters. Empty when the code is made. The whole message for the dialog, the
    // press warnings and the batch program; the brief one fits the info line.
    QString whyEmpty() const;
    QString whyEmptyBriefly() const;

    bool operator==(const QrObject &) const = default;
};
