#include "print/PrintedCard.h"

#include "core/Card.h"
#include "core/CardPainter.h"

#include <algorithm>

int PrintedCard::printedPointSize(int cardFontSize)
{
    return std::max(cardFontSize, 5) - 4;
}

QString PrintedCard::printedSizeCaption(int cardFontSize)
{
    return QStringLiteral("%1 pt, op papier %2 pt").arg(cardFontSize).arg(printedPointSize(cardFontSize));
}

QFont PrintedCard::printedFont(const LineFont &look)
{
    QFont font(look.name);
    font.setPointSize(printedPointSize(look.size));
    font.setBold(look.bold);
    font.setItalic(look.italic);
    font.setUnderline(look.underline);
    return font;
}

PrintedCard PrintedCard::from(const Card &card)
{
    return from(card.front(), &card.stamp);
}

PrintedCard PrintedCard::from(const CardFace &face, const StampBox *stamp)
{
    const CardState &state = face.state;
    PrintedCard card;
    const CardCanvas &canvas = face.canvas;
    card.canvas = canvas.image();
    if (canvas.hasPrintCopy())
        card.canvasPrint = canvas.printImage();
    if (stamp) {
        card.stamp = stamp->image();
        card.stampPrint = stamp->printImage();
    }
    card.layoutKind = state.LayoutKind;
    card.textLines = state.TextLines;
    card.cardFont = CardPainter::cardFont(state);
    card.font = printedFont(card.cardFont);
    card.textColor = state.textColor();
    card.border = state.CardBorder;
    card.borderColor = state.borderColor();
    card.design = face.design;
    return card;
}
