#pragma once

#include <QString>
#include <optional>

// Rules for the name a user types for a card. The name becomes a file name (N.crd,
// N.bmp, N-back.bmp) in the Cards folder, so it must be one on every system the card
// files may travel to, and it must never lead outside that folder.
namespace CardName {

// Why the name cannot be used, in Dutch, or nullopt when it can. withBack: the card has
// a back, whose file names are longer (CardFolder::backFiles).
std::optional<QString> problem(const QString &name, bool withBack = false);

// The Dutch message shown for a name that cannot be used.
QString rejectionMessage(const QString &name, const QString &problem);

// Whether a name taken from a folder listing may be turned into a path below that
// folder: not empty, no path separator, not "." or "..". Looser than problem(),
// because a file that exists may carry a name that Windows would refuse.
bool staysInFolder(const QString &name);

} // namespace CardName
