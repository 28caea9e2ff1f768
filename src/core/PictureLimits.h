#pragma once

#include <QtGlobal>

// The largest picture the program agrees to hold: anything a file claims beyond this
// is refused before a single pixel is decoded, so a damaged or hostile header cannot
// exhaust memory or freeze the window.
namespace PictureLimits {

// Bytes of a picture held at 32 bits per pixel.
constexpr qint64 MaxDecodedBytes = qint64(1) << 30;

constexpr bool fits(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= MaxDecodedBytes / 4 / height;
}

// The same limit in the unit QImageReader::setAllocationLimit() takes.
constexpr int allocationLimitMb() { return int(MaxDecodedBytes >> 20); }

} // namespace PictureLimits
