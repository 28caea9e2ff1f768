#include "press/PressFaces.h"

#include "core/Card.h"

PressFaces PressFaces::of(const Card &card)
{
    std::optional<PrintedCard> back;
    if (card.back)
        back = PrintedCard::from(*card.back, nullptr);
    PressFaces faces{PrintedCard::from(card), std::move(back)};
    faces.frontBeyond = {card.canvas.printBeyond(), card.canvas.printBeyondMargins()};
    if (card.back)
        faces.backBeyond = {card.back->canvas.printBeyond(), card.back->canvas.printBeyondMargins()};
    return faces;
}
