#pragma once

#include "core/CardDesign.h"

#include <QByteArray>
#include <QStringList>

// The card's design as the text file N.opmaak beside its record (docs/CARD-FILES.md):
// a version line, then one key=value a line, holding only what differs from the plain
// design, so that a card nobody restyled or moved has no such file at all. Read value
// by value: a value that cannot be read (not a number, out of range, a line too long)
// is the plain design's value and an unknown key is passed over, so nothing in the file
// keeps a card from opening.
namespace DesignFile {

inline constexpr char VersionLine[] = "Lumovander opmaak 1";

// What is read at most; far beyond any card, so that only a damaged file meets them.
// The keys number objects up to MaxLogos; a card keeps the first CardDesign::MaxObjects.
constexpr int MaxLogos = 999;
// A QR code's text may hold the most a code can carry (2953 bytes), escaped.
constexpr qsizetype MaxLineBytes = 8192;
constexpr double MaxOffset = 2000; // canvas pixels, either way, for offsets and logo corners
constexpr double MaxLogoSide = 4000;
constexpr double MaxLogoAspect = 1000; // a logo's width over height, and its height over width
constexpr int MinFontSize = 1;
constexpr int MaxFontSize = 200;

// The file for design, logoFiles[i] naming the file of object i's logo (empty for a
// QR code, which is kept as its values; only the first MaxLogos objects are written).
// Empty for a plain design.
QByteArray write(const CardDesign &design, const QStringList &logoFiles);

struct Read {
    CardDesign design;     // the objects with their places; their logos still to be loaded
    QStringList logoFiles; // per object, the file named for its logo; empty for a QR code
    int leftOut = 0;       // objects the file lists beyond CardDesign::MaxObjects
};
// A line's own font takes from cardFont each value the file lacks or cannot give.
Read read(const QByteArray &bytes, const LineFont &cardFont);

} // namespace DesignFile
