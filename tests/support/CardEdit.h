#pragma once

#include "core/CardDocument.h"

// Sets up a card for a test in one go, fields the program only reaches through its
// commands included: the change is one step of the document's history.
template <typename Change>
void editCard(CardDocument &document, Change change)
{
    Card card = document.card();
    change(card);
    document.replaceCard(QStringLiteral("Test"), card, false);
}
