#pragma once

#include "press/PressFaces.h"
#include "press/PressGeometry.h"
#include "print/PrintedCard.h"
#include "print/SheetGeometry.h"

#include <QColor>
#include <QStringList>

// What a print shop would point out, said before the card goes to press; never a reason
// not to write the file. In Dutch, in the order of the card's parts:
// - a text line, the stamp or a logo within the 3 mm safety margin of the cut
//   (exactly 3 mm is outside it);
// - a picture (the background, the stamp photo, a bitmap logo) of fewer than 300 pixels
//   per inch at the size it prints (exactly 300 is enough; a background of one colour
//   has no resolution to lack);
// - a QR code that holds nothing, its content too long for the largest code at its
//   level (QrObject::whyEmpty names what is too long);
// - a text colour that is almost but not pure black: each of red, green and blue at most
//   NearBlack and not all 0. Pure black goes to the black plate alone; almost black does
//   not.
namespace PressWarnings {

constexpr double MinimumPpi = 300;
constexpr int NearBlack = 40;

bool isNearBlack(const QColor &colour);
// Pixels per inch of a picture `pixels` wide printed `mm` wide.
double ppi(int pixels, double mm);

// One face's warnings.
QStringList check(const PrintedCard &card, const SheetGeometry &sheet, const PressGeometry &page);
// The whole card's: the front's as above, then the back's, each of those said of the back
// ("Achterkant: Regel 2 staat ...").
QStringList check(const PressFaces &card, const SheetGeometry &sheet, const PressGeometry &page);
inline const QString BackSide = QStringLiteral("Achterkant: ");

} // namespace PressWarnings
