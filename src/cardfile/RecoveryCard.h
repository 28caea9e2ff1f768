#pragma once

#include "cardfile/CardWriter.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

class CardDocument;
class Questions;

// The recovery card: the design with unsaved changes, written now and then as an
// ordinary card (record, background picture, stamp picture) in the folder Herstel of
// the data folder, so that a run that ends without closing the window loses nothing.
namespace RecoveryCard {

// <data folder>/Herstel
QString defaultFolder();

// Writes the card into folder, all three files or none. nullopt when written;
// otherwise the Dutch reason.
std::optional<QString> write(const CardDocument &document, const QString &folder);
// The same from content taken earlier; safe on any thread.
std::optional<QString> write(const CardWriter::CardContent &content, const QString &folder);

// When the recovery card in folder was written, if one is there whole: its record
// reads completely and its pictures load. A damaged or partial card counts as none.
std::optional<QDateTime> find(const QString &folder);

// Brings the recovery card onto the document as a card that has unsaved changes and
// no name yet, so that "Kaart Opslaan" asks for one. False, changing nothing, when
// find() would find none.
bool restore(CardDocument &document, const QString &folder);

// Removes the recovery card and whatever an interrupted write left beside it.
void remove(const QString &folder);

// "Er is een niet-opgeslagen kaart gevonden van 8 december 2026 om 14:05. Wilt u die
// terughalen?"
QString question(const QDateTime &written);

// At start-up: when a whole recovery card is there, asks whether to bring it back.
// Ja restores it, Nee removes it. A damaged card is not asked about and is left for
// the next write or the next clean exit to replace or remove. Returns whether the
// card was brought back.
bool offer(CardDocument &document, Questions &questions, const QString &folder);

} // namespace RecoveryCard
