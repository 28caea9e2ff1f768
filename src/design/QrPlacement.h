#pragma once

#include "core/QrObject.h"

#include <QRectF>
#include <QSizeF>
#include <QStringList>

struct Card;
enum class CardSide : uint8_t;

// Where a QR code goes and whether it will scan there: widget-free, so the dialog, the
// info line and the tests all ask the same questions.
namespace QrPlacement {

// The smallest side on paper a new code starts with, and the largest: a new code is
// as small as its modules allow (QrScan::MinModuleMm), within these and the card.
constexpr double DefaultSideMm = 18;
constexpr double MaxStartSideMm = 30;

// A code sideMm square on paper is this rectangle of canvas pixels (the canvas's
// pixels are not square on a C x D mm card).
QSizeF canvasSize(double sideMm, QSizeF cardMm);
// The side on paper of a code standing in rect.
double sideMm(const QRectF &rect, QSizeF cardMm);
// Bottom right, inside the safety margin (DesignGuides::SafetyMarginMm), sideMm square
// on paper.
QRectF defaultRect(QSizeF cardMm, double sideMm = DefaultSideMm);

// The level and side a new code with this content starts at, so that it scans without
// a word: at level M or L, whichever lets the code be smaller (M when both are as
// small), at the side where its modules are MinModuleMm, rounded up to half a
// millimetre, from DefaultSideMm up to MaxStartSideMm and what the card holds within
// its safety margin. A content too long for that gets level L at the largest side; one
// too long for any code, level M at DefaultSideMm.
struct Start {
    QrLevel level = QrLevel::M;
    double sideMm = DefaultSideMm;
};
Start startFor(const QrContent &content, QSizeF cardMm);

// A new code made from the card's lines (QrObject::fromLines) at its start, with the
// rectangle it stands in (defaultRect).
struct NewCode {
    QrObject qr;
    QRectF rect;
};
NewCode newCode(const std::array<QString, 8> &lines, QSizeF cardMm);

// One warning in full, for the dialog, and in brief, for the info line.
struct Warning {
    QString message;
    QString brief;
};

// The Dutch warnings for a code standing in rect on the card: a code that holds nothing
// (QrObject::whyEmpty), modules too small on paper, too little contrast, its quiet zone
// covered by the stamp or a text line. Empty when it will scan.
QList<Warning> notes(const Card &card, const QrObject &qr, const QRectF &rect, QSizeF cardMm);
// Their full messages.
QStringList warnings(const Card &card, const QrObject &qr, const QRectF &rect, QSizeF cardMm);

// The warnings for a code standing in rect on `side` of the whole card. With a team
// attached, every person printed gets a code of their own, so the one that holds the
// most decides (longestCode): the code, the lines that may cover it and the colours are
// that person's card's, and each warning starts with who it is ("Jan de Vries: ...").
QList<Warning> notes(const Card &card, CardSide side, const QrObject &qr, const QRectF &rect, QSizeF cardMm);
QStringList warnings(const Card &card, CardSide side, const QrObject &qr, const QRectF &rect, QSizeF cardMm);

} // namespace QrPlacement
