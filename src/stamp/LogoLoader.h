#pragma once

#include "core/CardDesign.h"

#include <QByteArray>
#include <QString>

// Turns a file the user picked as a logo into a LogoPicture: an SVG as its rewriting by
// SvgSanitiser (the only text the card keeps and draws, so a card never depends on, or
// reads from, a place outside its own files) with its pixels as the helper drew them
// within its limits (SvgPixels), any photo format as its pixels with their transparency.
// Read through RegularFile and checked from its header like every picture.
namespace LogoLoader {

// Far above any logo; an SVG that large is a drawing, not a logo.
constexpr qint64 MaxSvgBytes = 4 << 20;
// A bitmap logo is kept no larger than covering this (some 14 cm at 300 ppi).
constexpr int MaxBitmapSide = 2048;

struct Loaded {
    LogoPicture logo;
    QString fault; // Dutch, naming the file; empty when it loaded
    explicit operator bool() const { return fault.isEmpty(); }
};

// How much of an SVG is checked. Every SVG is rewritten and drawn by the helper, whoever
// wrote it: a card's own copy may have been replaced since. A file the user picks is also
// read as Qt SVG reads it, so that one without a size of its own is named at once; a
// card's own copy had one when it came in.
enum class SvgCheck { Full, SafetyOnly };

Loaded read(const QString &path);
// The same from bytes (a card's own logo file, or a pasted picture).
Loaded fromBytes(const QByteArray &bytes, const QString &shownName, SvgCheck check = SvgCheck::Full);

// Whether the bytes begin as an SVG, in whatever encoding the XML reader would take them.
bool looksLikeSvg(const QByteArray &bytes);

} // namespace LogoLoader
