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
    card.canvas = document.canvas().image();
    card.stamp = document.stamp().image();
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
    return card;
}
