#pragma once

#include "core/CardDesign.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>

// Turns a file the user picked as a logo into a LogoPicture: an SVG kept as its text,
// any photo format as its pixels with their transparency. Read through RegularFile and
// checked from its header like every picture; an SVG that would fetch pictures from
// elsewhere (anything but data: addresses) is refused, so a card never depends on, or
// reads from, a place outside its own files.
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

// How much of an SVG is checked. A file the user picks: in full, so that a damaged one is
// named at once. A card's own copy was checked in full when it came in; opening the card
// checks only what it may fetch, and a copy damaged since draws nothing (its parse is
// left to the first drawing, which needs it anyway).
enum class SvgCheck { Full, SafetyOnly };

Loaded read(const QString &path);
// The same from bytes (a card's own logo file, or a pasted picture).
Loaded fromBytes(const QByteArray &bytes, const QString &shownName, SvgCheck check = SvgCheck::Full);

bool looksLikeSvg(const QByteArray &bytes);
// Whether the SVG names a file or an address outside itself (an href that is not #id or
// data:), or cannot be read far enough to tell.
bool refersOutside(const QByteArray &bytes);
// False when the SVG is no drawing Qt can render, or fetches from outside.
bool isSafeSvg(const QByteArray &bytes);

// The logo's own size: the SVG's default size or the bitmap's pixels.
QSizeF naturalSize(const LogoPicture &logo);

} // namespace LogoLoader
