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

Loaded read(const QString &path);
// The same from bytes (a card's own logo file, or a pasted picture).
Loaded fromBytes(const QByteArray &bytes, const QString &shownName);

bool looksLikeSvg(const QByteArray &bytes);
// Null when the SVG is no drawing Qt can render, or fetches from outside.
bool isSafeSvg(const QByteArray &bytes);

// The logo's own size: the SVG's default size or the bitmap's pixels.
QSizeF naturalSize(const LogoPicture &logo);

} // namespace LogoLoader
