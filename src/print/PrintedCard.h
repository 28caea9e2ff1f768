#pragma once

#include "core/CardDesign.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <array>

struct Card;
struct CardFace;
class StampBox;

// What printing takes from one face of a card: the two pictures, the layout, the
// seven lines with the printer font, and the outline.
struct PrintedCard {
    QImage canvas;
    QImage stamp;
    // The print copies of the two pictures where the card has them in step, else null.
    // Paper uses them; the sheet preview, a thumbnail, keeps the screen pictures.
    QImage canvasPrint;
    QImage stampPrint;
    int layoutKind = 0;
    std::array<QString, 8> textLines; // 1..7 used
    QFont font;                       // with the point size as printed
    QColor textColor;
    bool border = false;
    QColor borderColor;
    // The card's font and colour at their card size (the font above is printed from
    // it) and what the user styled, moved and placed.
    LineFont cardFont;
    CardDesign design;

    // The front with its stamp.
    static PrintedCard from(const Card &card);
    // One face; a back has no stamp.
    static PrintedCard from(const CardFace &face, const StampBox *stamp);

    // Paper takes the card's font 4 points smaller; a size that would leave nothing
    // printable prints at 1 point.
    static int printedPointSize(int cardFontSize);
    // A card size with what it prints at, as the font dialogs show it beside the size:
    // "8 pt, op papier 4 pt".
    static QString printedSizeCaption(int cardFontSize);
    // A line's font (the card's or its own) as paper takes it.
    static QFont printedFont(const LineFont &look);
};
