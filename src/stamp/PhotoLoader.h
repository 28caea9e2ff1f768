#pragma once

#include <QImage>
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

} // namespace PhotoLoader
