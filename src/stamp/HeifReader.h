#pragma once

#include <QByteArrayView>
#include <QImage>

// HEIC/HEIF pictures, as phones write them, through libheif: Qt has no reader of its own.
namespace HeifReader {

// Whether the bytes begin like a HEIF file libheif can read (from the first 12 bytes).
bool looksLikeHeif(QByteArrayView bytes);

// The primary image upright (the file's rotation and mirroring applied, as a phone
// shows it), Format_RGB32 with transparency flattened onto white. A null image when
// the file is damaged, cut short or claims a size the program does not hold; the size
// is checked before any pixel is decoded.
QImage read(QByteArrayView bytes);

// Whether every HEVC stream and every derived canvas (grid, overlay) of the file is a
// picture the program holds. libheif allocates what they claim, whatever size the
// container gives the picture.
bool codedSizesFit(QByteArrayView bytes);

} // namespace HeifReader
