#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QtGlobal>

// Draws a Windows metafile with libwmf's player and a drawing layer of our own on
// QPainter. Runs only inside the decoder process (lumovander-wmf): libwmf is old C code
// that can loop or allocate without bound on a damaged file, so the program itself never
// calls this; the decoder process does, under CPU and memory limits.
namespace WmfDrawing {

// The largest picture a metafile may ask for: 40 megapixels (160 MB at 32 bits). A
// header claiming one unit per inch over a large extent is refused from its numbers,
// before libwmf draws a single record.
constexpr qint64 MaxPixels = qint64(40) << 20;

// Whether the bytes start like a metafile (placeable key or a plain metafile header).
bool looksLikeWmf(QByteArrayView bytes);

// Whether the metafile has text records; only then does drawing need Qt's fonts (and
// with them a QGuiApplication), which the decoder process otherwise need not start.
bool hasText(QByteArrayView bytes);

// The picture at the size it means on a 96 dots-per-inch screen: a placeable metafile
// by its bounding box and units per inch, a plain one by the extent of what it draws,
// one unit a pixel. Format_RGB32, white where nothing is drawn; a null image when the
// file is damaged, draws nothing, or asks for more than maxPixels.
QImage draw(QByteArrayView bytes, qint64 maxPixels = MaxPixels);
// The same picture drawn at scale times that size, for paper: only its top-left part
// of crop (in pixels of the picture's own size; an empty crop keeps it all), scaled.
// Lines, fills and text are drawn at the scale, not enlarged. maxPixels bounds both
// the picture's own size and the pixels drawn.
QImage draw(QByteArrayView bytes, int scale, QSize crop, qint64 maxPixels = MaxPixels);

} // namespace WmfDrawing
