#pragma once

#include <QImage>
#include <QSize>

// A stretched copy of a whole picture onto a rectangle of another size, aspect ratio
// not kept, no blending with what lies below. Along an axis that is reduced, each
// destination pixel is the area average of the source pixels it covers, so a large
// crop squeezed into the stamp does not alias; along an axis that is kept or enlarged,
// it is the plain nearest source pixel (PixelMapping).
namespace StretchCopy {

// Format_RGB32; a null image when either size is empty.
QImage stretched(const QImage &source, QSize target);

} // namespace StretchCopy
