#pragma once

#include "core/Card.h"
#include "stamp/PhotoLoader.h"

#include <QString>
#include <QStringList>
#include <optional>

class CardDocument;

// Bringing a saved card or a template onto the card being designed.
namespace CardOpening {

// Whether a card opened, and what of it was left out for the limits of a card (too many
// objects, logos too large together), each a Dutch sentence to show the user.
struct Opened {
    bool opened = false;
    QStringList notes;
    explicit operator bool() const { return opened; }
};

// Opens the card named name from the Cards folder: its background picture becomes the
// canvas's picture, then the record is read and the card restored: layout, stamp
// picture (the bare frame when it is missing), text lines, font, text colour and
// outline with its check mark, the design saved with it (plain when it has none) and
// its back and its team when they were saved with it (none otherwise). The front is shown.
// Returns false, changing nothing, when the background picture cannot be read; a
// missing or damaged record leaves the fields it cannot give as they were.
Opened openCard(CardDocument &document, const QString &name);
// The same from another folder (the recovery card); unless asSaved, the opened card
// counts as changed, so that closing asks to save it.
Opened openCardFrom(CardDocument &document, const QString &folder, const QString &name, bool asSaved = true);

// The card named name in folder as opening would make it of base, without a document;
// nullopt when its background picture cannot be read.
struct ReadCard {
    Card card;
    QStringList notes;
};
std::optional<ReadCard> readCard(const Card &base, const QString &folder, const QString &name);

// Loads the template named name from the Templates folder as the canvas's picture.
// Nothing else changes: the stamp the user cut stays. Only its part on the card is
// decoded where the format allows (JPEG). False, with the reason, when it gives no picture.
PhotoLoader::Outcome loadTemplate(CardDocument &document, const QString &name);

// The template file of that name, for naming it in a message.
QString templatePath(const QString &name);

} // namespace CardOpening
