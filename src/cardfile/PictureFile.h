#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// Reading and writing the pictures of card files and templates. Reading goes through
// the program's one picture loader, which decides the format by the file's content
// (templates are pictures of any kind named ".tmp") and refuses damaged files and
// pictures too large to hold before decoding them.
namespace PictureFile {

// A card's own picture (its background or stamp bitmap), Format_RGB32, which the
// program writes at exactly size. A null image when the file is missing, no picture the
// program loads, or its header claims any other size: that is refused before decoding,
// so a few bytes claiming a screen of gigabytes cost nothing.
QImage read(const QString &path, const QSize &size);

// The part of image inside keep, as read() cuts it.
QImage kept(const QImage &image, const QRect &keep);

// The picture stretched to size, without keeping its aspect ratio; a JPEG is decoded no
// larger than covering it.
QImage readStretched(const QString &path, const QSize &size);

// The picture as a 24-bit Windows bitmap: what Windows programs write for a
// true-colour picture and what every bitmap reader opens. The card's pictures are
// opaque, so the fourth byte of a 32-bit bitmap would carry nothing.
QByteArray bitmapBytes(const QImage &image);

} // namespace PictureFile
