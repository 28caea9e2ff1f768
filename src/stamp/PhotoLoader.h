#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Turns a picture file the user picked into pixels: JPEG (upright as its EXIF
// orientation says), BMP, GIF (first frame), PNG, WebP, TIFF (upright as its
// orientation tag says), HEIC/HEIF (upright as the phone recorded it) and Windows
// metafiles.
namespace PhotoLoader {

// The picture at its natural size, Format_RGB32, decoded once. A null image when the
// file is missing, empty, cut short, not a picture, or claims a size the program does
// not hold; such files are refused from their header, before decoding.
QImage load(const QString &path);

// A picture without pixels of its own, a metafile, drawn again at scale times its size:
// the top-left part crop of what load() gives (a template's part on the card), finer
// for paper. A null image for every other file: its pixels are all it has.
QImage loadDrawnAt(const QString &path, int scale, QSize crop);

} // namespace PhotoLoader
