#pragma once

#include "core/CardCanvas.h"
#include "core/CardDesign.h"
#include "core/CardTeam.h"
#include "core/CardState.h"
#include "core/StampBox.h"

#include <QFont>
#include <optional>

// Which side of the card: the front carries the stamp and the layout, the back only
// what the user put on it.
enum class CardSide : uint8_t { Front, Back };

// One side of a card as a value: its fields (font, text colour, lines, background
// colour, outline), its canvas and what was styled, moved and placed on it. Painters,
// writers and printing take a face; a card is a front face with the stamp and an
// optional back.
struct CardFace {
    enum Channel { Red, Green, Blue };

    CardState state;
    CardCanvas canvas;
    // Styles, places and placed objects; plain on a face nobody restyled or moved.
    CardDesign design;

    bool operator==(const CardFace &) const = default;

    qsizetype pictureBytesBeyond(const CardFace &other) const;

    // The back a card gets when the user first changes it: the front's font, colours
    // and outline, the front's background colour without its pictures, empty lines
    // standing where "Tekst Midden" puts them, and nothing placed.
    static CardFace blankBack(const CardFace &front);

    // What the user typed for text line 1..7; see CardDocument::enterTextLine.
    bool enterTextLine(int line, const QString &answer);
    void applyChosenFont(const QFont &font);
    // The whole points a face keeps of a chosen font's size.
    static int keptPointSize(const QFont &font);
    // False when the bar already had that value.
    bool setTextColorComponent(Channel channel, int value);
    bool setBackColorComponent(Channel channel, int value);
};

// One whole card as a value: its front face (the base, so that the many places that
// mean the front keep reading `card.state`), the optional back, the stamp box, and
// which outline item carries the check mark. The document holds the current one; the
// undo history holds earlier ones, which share their pictures with the current card
// until either side draws (QImage is implicitly shared), so a copy costs almost nothing.
struct Card : CardFace {
    StampBox stamp;
    // None: the card has no back, and is saved, drawn and printed as a one-sided card.
    std::optional<CardFace> back;
    int checkedBorderItem = 1;
    // None: the card is one person's, printed as it stands. With a team, every person
    // gets the card with their own lines (merge/MergeCard).
    std::optional<CardTeam> team;

    bool operator==(const Card &) const = default;

    const CardFace &front() const { return *this; }
    CardFace &front() { return *this; }
    // The face of that side; null for the back of a card without one.
    const CardFace *face(CardSide side) const { return side == CardSide::Front ? &front() : (back ? &*back : nullptr); }
    CardFace *face(CardSide side) { return side == CardSide::Front ? &front() : (back ? &*back : nullptr); }

    // The bytes of pictures in this card that it does not share with `other`: what
    // keeping both costs over keeping `other` alone.
    qsizetype pictureBytesBeyond(const Card &other) const;

    // The start card: the bare frame of style 1 in the (hidden) stamp box.
    static Card initial();

    // Places the stamp box and the text lines for a layout, empties the stamp box
    // (showing the bare frame of the current border style) and records the layout.
    // Moved lines and a moved stamp go back to their places; styles and logos stay.
    void applyLayout(int kind);
    // The outline items 1..4: "Geen", "Zwart", "Grijs", "Wit", for both sides alike
    // (the outline marks where the card is cut). False for other items.
    bool chooseBorderItem(int item);
    // The stamp border options 1..4 choose the frame styles 1, 3, 5, 7.
    bool chooseStampBorderOption(int option);
    // A line of the front also changes what the QR codes on either side hold: they
    // follow the front's contact lines.
    bool enterTextLine(CardSide side, int line, const QString &answer);
    bool enterTextLine(int line, const QString &answer) { return enterTextLine(CardSide::Front, line, answer); }
    // "Nieuw": everything afresh except the stamp border style, the outline colour
    // components and the stamp box's picture. Styles, places, logos, the back and the
    // team go too.
    void renew();
    // The stamp cut: the box takes the composed picture's size; a null picture empties it.
    // print, when given, is the same stamp at Composition::PrintScale times its size.
    void setStampPicture(const QImage &picture, const QImage &print = QImage());
};
