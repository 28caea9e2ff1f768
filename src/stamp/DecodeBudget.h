#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QRect>
#include <QSize>

// How much memory decoding a picture in the program's own process takes at its peak,
// worked out from the header alone, and the budget it must stay within.
namespace DecodeBudget {

// Decoded pixels and the decoder's own buffers together; far more than any photo a
// camera or phone writes needs (a 100-megapixel JPEG decodes in 400 MB).
constexpr qint64 Bytes = qint64(512) << 20;

// A JPEG's frame header: a progressive JPEG holds every DCT coefficient of the whole
// picture (two bytes a sample of each component) while it decodes, whatever size it is
// decoded at.
struct JpegFrame {
    bool progressive = false;
    int components = 3;
};
JpegFrame jpegFrame(QByteArrayView bytes);

// The size a picture of format comes out at, from what its reader's size() says (for a
// bitmap stored top down, a negative height). Qt's GIF reader gives the first frame's
// size, but decodes onto the whole logical screen, which a 35-byte file can make 16000
// pixels square.
QSize decodedSize(const QByteArray &format, QByteArrayView bytes, QSize readerSize);

// The size a picture of `full` pixels comes out at when its use covers `cover`: scaled
// down, aspect kept, to the smallest size that still covers it; `full` when it is no
// larger or cover is invalid.
QSize coveringSize(QSize full, QSize cover);

// The peak bytes of decoding a picture of format (QImageReader's name) that claims
// `full`, delivered at `target` (JPEG scales while decoding; other formats decode whole
// first), or only its part `clip` when valid (JPEG decodes only the rows up to it).
qint64 peakBytes(const QByteArray &format, QByteArrayView bytes, QSize full, QSize target, QRect clip = QRect());

} // namespace DecodeBudget
