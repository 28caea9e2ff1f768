#pragma once

#include <QtGlobal>

// The start picture as the build drew it (lumo_start_picture_maker), RGB32 rows top to
// bottom, width pixels each.
namespace StartPicturePixels {

extern const int width;
extern const int height;
extern const quint32 pixels[];

} // namespace StartPicturePixels
