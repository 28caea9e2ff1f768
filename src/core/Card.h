#pragma once

#include "core/CardCanvas.h"
#include "core/CardDesign.h"
#include "core/CardState.h"
#include "core/StampBox.h"

#include <QFont>

// One whole card as a value: its fields, the canvas and the stamp box, and which
// outline item carries the check mark. The document holds the current one; the undo
// history holds earlier ones, which share their pictures with the current card until
// either side draws (QImage is implicitly shared), so a copy costs almost nothing.
// Pictures that belong to the card join here as members.
struct Card {
    enum Channel { Red, Green, Blue };

    CardState state;
    CardCanvas canvas;
    StampBox stamp;
    // Styles, places and placed objects; plain on a card nobody restyled or moved.
    CardDesign design;
    int checkedBorderItem = 1;

    bool operator==(const Card &) const = default;

    // The bytes of pictures in this card that it does not share with `other`: what
    // keeping both costs over keeping `other` alone.
    qsizetype pictureBytesBeyond(const Card &other) const;

    // The start card: the bare frame of style 1 in the (hidden) stamp box.
    static Card initial();

    // Places the stamp box and the text lines for a layout, empties the stamp box
    // (showing the bare frame of the current border style) and records the layout.
    // Moved lines and a moved stamp go back to their places; styles and logos stay.
    void applyLayout(int kind);
    // The outline items 1..4: "Geen", "Zwart", "Grijs", "Wit". False for other items.
    bool chooseBorderItem(int item);
    // The stamp border options 1..4 choose the frame styles 1, 3, 5, 7.
    bool chooseStampBorderOption(int option);
    // What the user typed for text line 1..7; see CardDocument::enterTextLine.
    bool enterTextLine(int line, const QString &answer);
    void applyChosenFont(const QFont &font);
    // False when the bar already had that value.
    bool setTextColorComponent(Channel channel, int value);
    bool setBackColorComponent(Channel channel, int value);
    // "Nieuw": everything afresh except the stamp border style, the outline colour
    // components and the stamp box's picture. Styles, places and logos go too.
    void renew();
    // The stamp cut: the box takes the composed picture's size; a null picture empties it.
    // print, when given, is the same stamp at Composition::PrintScale times its size.
    void setStampPicture(const QImage &picture, const QImage &print = QImage());
};
