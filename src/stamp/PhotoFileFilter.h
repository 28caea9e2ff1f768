#pragma once

#include <QString>

// The filter of the photo file dialog, "Description|*.a;*.b|Description|*.c". The
// dialog shows the descriptions and matches the patterns whatever the case of the names
// (cameras write IMG_0001.JPG); a JPEG named *.jpeg is a photo too.
namespace PhotoFileFilter {

QString filter();

} // namespace PhotoFileFilter
