#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The folder Herstel holds the recovery card and nothing else: the card's files under
// their own names (its design and logos, its back's files among them), what an
// interrupted write left beside them, and recovery cards kept aside. Anything else makes
// it a folder that is not the program's — a link in place of the folder, a link or a
// pipe in place of one of the files, a file of the user's — and the program leaves such
// a folder exactly as it is: it reads nothing from it, writes nothing into it and
// removes nothing from it.
// Each step works on the folder opened without following a link, so that it cannot be
// swapped for one in between.
namespace RecoveryFolder {

// The name of the recovery card (its files are Kaart.crd, Kaart-back.bmp, ...).
inline const QString CardName = QStringLiteral("Kaart");

// Whether the folder is the program's: missing (it may be made), or a real folder
// that holds only the files named above, each a regular file.
bool isOurs(const QString &folder);

// Whether something that is not the program's stands where the folder should be: a
// link, a file, a folder holding other things. False when the folder is the program's,
// and when nothing stands there at all, even if it cannot be made (a file in place of
// a folder above it): writing there must then fail with its reason.
bool isTakenByOther(const QString &folder);

// Whether the folder is the program's and holds the recovery card's record.
bool holdsRecord(const QString &folder);

// Removes the recovery card's files and what interrupted writes left, each by its own
// name, then the folder when nothing remains in it (cards kept aside stay). Does
// nothing to a folder that is not the program's.
void clear(const QString &folder);

// Renames the recovery card's files to "Bewaard-20261209-1605" after the time it was
// written ("-2", "-3"... when that name is taken), never over another file. The name
// they now have, or nullopt when they could not all be renamed.
std::optional<QString> keepAside(const QString &folder, const QDateTime &written);

} // namespace RecoveryFolder
