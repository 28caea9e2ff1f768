#pragma once

#include "print/SheetGeometry.h"

#include <QImage>
#include <QString>

// The picture beside the question between the fronts and the backs of a print by hand:
// the printed sheet with its fronts, the same sheet turned over its long edge with its
// blank side up (the cards seen through the paper, mirrored), and that sheet going back
// into the printer's tray with the top edge of the fronts first, as blank paper is put
// in. The cards are drawn where the sheet puts them, so the user recognises the sheet.
QImage turnStackPicture(const SheetGeometry &sheet, const QString &printerName);
