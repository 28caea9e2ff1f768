#pragma once

#include "core/CardState.h"

#include <QByteArray>
#include <QString>

// The card record N.crd: 21 record lines holding the layout, the font, the text colour,
// the seven text lines and the outline. The background colour and the stamp border
// style are not in it: the saved pictures already carry them.
namespace CardRecord {

// The record's bytes for the card: Windows-1252 when every character fits, UTF-8
// otherwise, so that cards with plain texts stay readable by the Windows program.
QByteArray write(const CardState &state);

// Reads a record into the card. Every field is tried, even after an earlier one
// failed; a field that is missing, of the wrong kind or out of its range keeps its
// value. The header lines are skipped unread.
void read(const QByteArray &bytes, CardState &state);

// A text as the record can carry it. The format has no escape inside quotes, so a
// double quote becomes a typographic one, opening and closing in turn, and a line
// break becomes a blank. Any other text is returned unchanged.
QString carriableText(const QString &text);

// The font sizes a record may set; the largest is what the Windows font dialog accepts.
constexpr int MinFontSize = 1;
constexpr int MaxFontSize = 1638;

} // namespace CardRecord
