#pragma once

#include <QString>
#include <optional>

class CardDocument;

// Writes the card named name into the Cards folder: N.crd, N-back.bmp (the canvas's
// image) and, for the layouts with a stamp, N.bmp (the stamp box's image). Without a
// stamp layout an existing N.bmp is left alone. The files are replaced all together or
// not at all, and the Cards folder is created when it is missing.
namespace CardWriter {

// nullopt when the card was saved; otherwise the Dutch message for the user, and the
// old card's files are as they were.
std::optional<QString> write(const CardDocument &document, const QString &name);

// The same three files, all together or not at all, in another folder (created when
// missing): the recovery card is a card like any other.
std::optional<QString> writeInto(const CardDocument &document, const QString &folder,
                                 const QString &name);

} // namespace CardWriter
