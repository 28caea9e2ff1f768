#include "press/PressFaces.h"

#include "core/Card.h"

PressFaces PressFaces::of(const Card &card)
{
    std::optional<PrintedCard> back;
    if (card.back)
        back = PrintedCard::from(*card.back, nullptr);
    return {PrintedCard::from(card), std::move(back)};
}
