#pragma once

#include <QByteArrayView>
#include <QImage>

// HEIC/HEIF pictures, as phones write them, decoded by libheif (Qt has no reader of its
// own). Runs only inside the helper process lumovander-heif: libheif 1.15 ends the whole
// process through assert() on some damaged files, so the program never calls this.
namespace HeifDecoding {

// The primary image upright (the file's rotation and mirroring applied, as a phone
// shows it), Format_RGB32 with transparency flattened onto white. A null image when
// the file is damaged, cut short, not HEVC or claims a size the program does not hold;
// the sizes are checked before any pixel is decoded.
QImage decode(QByteArrayView bytes);

} // namespace HeifDecoding
