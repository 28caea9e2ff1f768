#pragma once

#include "print/PrinterCorrection.h"

#include <QMap>
#include <QString>

// The corrections of the printers, one entry per printer name, in a file of its own
// beside Lumovander.ini, so that file keeps its four lines. The file is plain text:
//
//   [printer name]
//   ShiftX=0.6
//   ShiftY=-0.4
//   ScaleX=1.003
//   ScaleY=1.003
//   AchterLangShiftX=0.8
//   ...
//
// The first four are the fronts' correction. The back of the paper lands elsewhere again,
// and differently for each edge it is turned over: its corrections take the same four
// names after "AchterLang" (turned over the long edge) or "AchterKort" (the short edge).
// A file without them is a file of fronts only, read as it always was; an older program
// passes over the keys it does not know.
//
// It is read value by value: a value that is missing, unreadable or out of range counts
// as that value's neutral figure, a line that makes no sense is passed over, and a
// missing or unreadable file is no correction at all. Reading never fails a print.
namespace CorrectionFile {

// The PDF target's entry: printing to a file has its own correction.
inline const QString PdfTarget = QStringLiteral("PDF");

// Accepted ranges of the stored values; anything beyond is a hand edit gone wrong.
constexpr double MaxShiftMm = 30;
constexpr double MinScale = 0.9;
constexpr double MaxScale = 1.1;

// Lumovander-correctie.ini in the folder of the given settings file.
QString besideSettings(const QString &settingsFile);

using Entries = QMap<QString, PrinterCorrection>;

Entries read(const QString &path);
// The correction for one printer; neutral when it has none.
PrinterCorrection correctionFor(const QString &path, const QString &printer);

QByteArray encode(const Entries &entries);
// Replaces the whole file; a failure leaves the old one as it was. A neutral
// correction removes the printer's entry. Returns false on failure.
bool store(const QString &path, const QString &printer, const PrinterCorrection &correction);

// The edge the paper is turned over for its back.
enum class FlipEdge { Long, Short };

// The correction of the backs for one printer and edge; neutral when it has none.
PrinterCorrection backCorrectionFor(const QString &path, const QString &printer, FlipEdge edge);
// As store(), for the backs: the fronts' correction and the other edge's stay.
bool storeBack(const QString &path, const QString &printer, FlipEdge edge, const PrinterCorrection &correction);

} // namespace CorrectionFile
