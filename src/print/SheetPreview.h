#pragma once

#include "print/PrintedCard.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QStringList>

// The print dialog's small picture of the sheet. It follows a fixed grid of two
// columns that depends only on the card count, not on the margins or the card size,
// and shows each card's canvas, stamp and outline but no text.
namespace SheetPreview {

constexpr QSize Size{130, 180};
constexpr QSize CardThumbnail{59, 33};
inline QColor background() { return QColor(240, 240, 230); }

// The top-left corners of the card thumbnails for 10 or 8 cards.
QList<QPoint> cardPositions(int cardsPerSheet);
// The stamp thumbnail relative to its card thumbnail; empty for layouts without a stamp.
QRect stampThumbnail(int layoutKind);

// The cards before firstSlot (from 0) are left out: the print starts after them. A team's
// first sheet gives each slot's person by name (names[slot], small, across the foot of
// the thumbnail); a slot without a name stays blank, as the sheet's last slots do when
// the team is smaller than a sheet.
QImage draw(const PrintedCard &card, int cardsPerSheet, int firstSlot = 0, const QStringList &names = {});

} // namespace SheetPreview
