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

// The picture as load() gives it and, when it has no pixels of its own (a metafile), its
// top-left part crop (in the picture's pixels; a template's part on the card) drawn again
// at scale times the size, finer for paper. `finer` is null for every other file: its
// pixels are all it has. The file is read once.
struct WithFinerCopy {
    QImage picture;
    QImage finer;
};
WithFinerCopy loadWithFinerCopy(const QString &path, int scale, QSize crop);

// The whole picture, and for a metafile the whole of it drawn again at the smallest
// whole scale (at most MaxFinerScale) at which it covers `cover`, the size it is
// stretched to on paper. `finer` is null when the picture covers it as it is.
inline constexpr int MaxFinerScale = 8;
WithFinerCopy loadWithFinerCopyCovering(const QString &path, QSize cover);

} // namespace PhotoLoader
