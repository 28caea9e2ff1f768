#pragma once

#include <QByteArrayView>

// What the HEIF container of a phone's photo says, read by our own code without libheif:
// pure parsing of the file's boxes, bounded by the file's bytes. The program runs it
// before it hands a file to the HEIC helper, the helper again before libheif sees it.
namespace HeifContainer {

// Larger than any phone or camera photo, and far below what would exhaust memory.
constexpr int MaxSide = 32768;

// Whether the file's type box names an HEVC brand, as phones and cameras write them.
// AVIF (AV1) is left out: libheif's AV1 path loses memory on damaged files.
bool hasHevcBrand(QByteArrayView bytes);

// Whether every HEVC stream and every derived canvas (grid, overlay) of the file is a
// picture the program holds. libheif allocates what they claim, whatever size the
// container gives the picture.
bool codedSizesFit(QByteArrayView bytes);

} // namespace HeifContainer
