#pragma once

#include <QByteArrayView>
#include <QImage>

// Windows metafiles, drawn to pixels through libwmf's gd layer at the size the file
// means on a 96 dots-per-inch screen: a placeable metafile by its bounding box and
// units per inch, a plain one by the extent of what it draws, one unit a pixel.
namespace WmfPicture {

// Whether the bytes start like a metafile (placeable key or a plain metafile header).
bool looksLikeWmf(QByteArrayView bytes);
// The drawn picture, Format_RGB32; a null image when the file is damaged, draws nothing
// or would be larger than the program holds.
QImage render(QByteArrayView bytes);

} // namespace WmfPicture
