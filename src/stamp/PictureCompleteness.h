#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Whether a picture file holds all of its picture. Qt's decoders fill a cut-off JPEG or
// BMP with grey and report success; a file the user picks that ends too early must fail
// like any other unreadable file instead.
namespace PictureCompleteness {

// format is the name QImageReader gives the file's content ("jpeg", "bmp", "gif", ...);
// formats this module cannot judge count as complete and are left to their decoder.
bool isComplete(const QByteArray &format, QByteArrayView bytes);

bool jpegComplete(QByteArrayView bytes);
bool bmpComplete(QByteArrayView bytes);
// Only the first frame counts: that is the one shown.
bool gifFirstFrameComplete(QByteArrayView bytes);

} // namespace PictureCompleteness
