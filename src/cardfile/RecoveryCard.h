#pragma once

#include "cardfile/CardWriter.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

class CardDocument;
class Questions;

// The recovery card: the design with unsaved changes, written now and then as an
// ordinary card (record, background picture, stamp picture, the design file and its
// logos, the back's files, the team's) in the folder Herstel of the data folder, so that
// a run that ends without closing the window loses nothing.
namespace RecoveryCard {

// <data folder>/Herstel
QString defaultFolder();

// Writes the card into folder, all three files or none. nullopt when written, and
// when the folder is not the program's (see RecoveryFolder) and nothing was written;
// otherwise the Dutch reason.
std::optional<QString> write(const CardDocument &document, const QString &folder);
// The same from content taken earlier; safe on any thread.
std::optional<QString> write(const CardWriter::CardContent &content, const QString &folder);

// When the recovery card in folder was written, if one is there whole: its record (and
// its back's, when it has one) reads completely within the cap that opening a card has,
// and its pictures load. A
// damaged or partial card counts as none, and so does any card in a folder that is not
// the program's.
std::optional<QDateTime> find(const QString &folder);

// Brings the recovery card onto the document as a card that has unsaved changes and
// no name yet, so that "Kaart Opslaan" asks for one. False, changing nothing, when
// find() would find none.
bool restore(CardDocument &document, const QString &folder);

// Removes the recovery card and whatever an interrupted write left beside it, by name;
// a folder that is not the program's is left alone.
void remove(const QString &folder);

// "Er is een niet-opgeslagen kaart gevonden van 8 december 2026 om 14:05. Wilt u die
// terughalen?"
QString question(const QDateTime &written);

// "De niet-opgeslagen kaart van 8 december 2026 om 14:05 kan niet volledig worden
// teruggehaald. De bestanden zijn bewaard als 'Bewaard-20261208-1405' in de map ...";
// keptAs empty when they could not be renamed.
QString keptAsideMessage(const QDateTime &written, const QString &folder, const std::optional<QString> &keptAs);

// At start-up: when a whole recovery card is there, asks whether to bring it back.
// Ja restores it, Nee removes it. A card whose record is there but that cannot be
// brought back whole is kept aside under another name, out of the way of the next
// write, and the user is told where. Returns whether the card was brought back.
bool offer(CardDocument &document, Questions &questions, const QString &folder);

} // namespace RecoveryCard
