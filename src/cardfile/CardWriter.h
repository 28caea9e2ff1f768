#pragma once

#include <QString>
#include <optional>

class CardDocument;

// Writes the card named name into the Cards folder: N.crd, N-back.bmp (the canvas's
// image) and, for the layouts with a stamp, N.bmp (the stamp box's image). Without a
// stamp layout an existing N.bmp is left alone. Beside each picture whose print copy is
// in step goes its print copy, N-back.print.png and N.print.png, tagged with the bitmap
// of the same save. The files are replaced all together or not at all, and the Cards
// folder is created when it is missing.
namespace CardWriter {

// nullopt when the card was saved; otherwise the Dutch message for the user, and the
// old card's files are as they were.
std::optional<QString> write(const CardDocument &document, const QString &name);

} // namespace CardWriter
