#pragma once

#include "press/PressPage.h"
#include "print/PrintedCard.h"

#include <optional>

struct Card;

// What a press-ready PDF holds, a page each: the card's front with its stamp, and its
// back when the card has one. A press registers the two sides itself, so the back is
// drawn as it was designed, never mirrored as a home printer's back page is.
struct PressFaces {
    PrintedCard front;
    std::optional<PrintedCard> back;
    // The photo beyond each face where its canvas kept it, for the bleed.
    PhotoBeyond frontBeyond;
    PhotoBeyond backBeyond;

    // One face alone is a card without a back.
    PressFaces(PrintedCard front, std::optional<PrintedCard> back = std::nullopt)
        : front(std::move(front)), back(std::move(back))
    {
    }

    static PressFaces of(const Card &card);
};
