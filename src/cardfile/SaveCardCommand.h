#pragma once

class CardDocument;
class Questions;

// "Kaart Opslaan": asks for the name (offering the card last opened), refuses names
// that cannot be file names or would name another card's back, asks before replacing a
// card of that name and saves.
// Saving changes neither LastFileName nor the NaamBestand caption.
namespace SaveCardCommand {

enum class Outcome {
    Saved,
    Cancelled,    // no name given
    KeptExisting, // the question to overwrite was answered No
    InvalidName,  // the user was told why
    Failed,       // the user was told why; the old files are as they were
};

Outcome run(CardDocument &document, Questions &questions);

} // namespace SaveCardCommand
