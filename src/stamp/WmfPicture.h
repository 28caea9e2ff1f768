#pragma once

#include "stamp/DecoderProcess.h"

#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

// Windows metafiles, drawn to pixels at the size the file means on a 96 dots-per-inch
// screen: a placeable metafile by its bounding box and units per inch, a plain one by
// the extent of what it draws, one unit a pixel. The drawing happens in a separate
// process, the helper program lumovander-wmf (stamp/DecoderProcess): libwmf is old C code
// that a damaged file can make loop, crash or swallow memory.
namespace WmfPicture {

using DecoderLimits = DecoderProcess::Limits;

// Whether the bytes start like a metafile (placeable key or a plain metafile header).
bool looksLikeWmf(QByteArrayView bytes);
// The drawn picture, Format_RGB32; a null image when the file is damaged, draws nothing,
// would be larger than the program holds, breaks a limit, or the helper fails in any way.
QImage render(QByteArrayView bytes);
// render() with whether the helper stopped before its verdict (DecoderProcess::Decoded).
DecoderProcess::Decoded renderFully(QByteArrayView bytes);
QImage render(QByteArrayView bytes, const DecoderLimits &limits, const QString &decoder = {});
// The top-left part crop of the picture (in pixels of render()'s picture), drawn at
// scale times its size: lines and text drawn at that scale, not enlarged. A null image
// as for render(), and when the part drawn would be larger than the program holds.
QImage renderScaled(QByteArrayView bytes, int scale, QSize crop);

// The helper program: $LUMO_WMF_DECODER when set, else lumovander-wmf beside the running
// program (an installed copy), else the one of the build tree; empty when none is found.
QString decoderPath();

} // namespace WmfPicture
