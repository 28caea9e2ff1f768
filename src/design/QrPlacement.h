#pragma once

#include "core/QrObject.h"

#include <QRectF>
#include <QSizeF>
#include <QStringList>

struct Card;

// Where a QR code goes and whether it will scan there: widget-free, so the dialog, the
// info line and the tests all ask the same questions.
namespace QrPlacement {

// The default side on paper.
constexpr double DefaultSideMm = 18;

// A code sideMm square on paper is this rectangle of canvas pixels (the canvas's
// pixels are not square on a C x D mm card).
QSizeF canvasSize(double sideMm, QSizeF cardMm);
// The side on paper of a code standing in rect.
double sideMm(const QRectF &rect, QSizeF cardMm);
// Bottom right, inside the safety margin (DesignGuides::SafetyMarginMm), DefaultSideMm
// square on paper.
QRectF defaultRect(QSizeF cardMm);

// Dutch warnings for a code standing in rect on the card: modules too small on paper,
// too little contrast, its quiet zone covered by the stamp or a text line. Empty when
// it will scan.
QStringList warnings(const Card &card, const QrObject &qr, const QRectF &rect, QSizeF cardMm);

} // namespace QrPlacement
