#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// Reading and writing the pictures of card files and templates.
namespace PictureFile {

// Pictures whose decoded size would pass this are refused before decoding, so that a
// damaged or hostile header cannot exhaust memory.
constexpr int AllocationLimitMiB = 1024;

// Reads the picture, deciding its format by its content, not by its name (templates
// are pictures of any kind named ".tmp"). Only the part inside keep is returned, since
// the card never shows more. A null image when the file is missing or no picture.
QImage read(const QString &path, const QRect &keep);

// Reads the picture stretched to size, without keeping its aspect ratio.
QImage readStretched(const QString &path, const QSize &size);

// The picture as a 24-bit Windows bitmap: what Windows programs write for a
// true-colour picture and what every bitmap reader opens. The card's pictures are
// opaque, so the fourth byte of a 32-bit bitmap would carry nothing.
QByteArray bitmapBytes(const QImage &image);

} // namespace PictureFile
