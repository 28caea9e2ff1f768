#include "print/PrintedCard.h"

#include "core/CardDocument.h"

#include <algorithm>

int PrintedCard::printedPointSize(int cardFontSize)
{
    return std::max(cardFontSize, 5) - 4;
}

PrintedCard PrintedCard::from(const CardDocument &document)
{
    const CardState &state = document.state();
    PrintedCard card;
    const CardCanvas &canvas = document.canvas();
    card.canvas = canvas.image();
    if (canvas.hasPrintCopy())
        card.canvasPrint = canvas.printImage();
    const StampBox &stamp = document.stamp();
    card.stamp = stamp.image();
    card.stampPrint = stamp.printImage();
    card.layoutKind = state.LayoutKind;
    card.textLines = state.TextLines;
    card.font = QFont(state.FontName);
    card.font.setPointSize(printedPointSize(state.FontSize));
    card.font.setBold(state.FontBold);
    card.font.setItalic(state.FontItalic);
    card.font.setUnderline(state.FontUnderline);
    card.textColor = state.textColor();
    card.border = state.CardBorder;
    card.borderColor = state.borderColor();
    card.cardFont = {state.FontName, state.FontSize, state.FontBold, state.FontItalic, state.FontUnderline,
                     state.textColor()};
    card.design = document.card().design;
    return card;
}
