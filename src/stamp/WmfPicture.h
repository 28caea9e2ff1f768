#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

// Windows metafiles, drawn to pixels at the size the file means on a 96 dots-per-inch
// screen: a placeable metafile by its bounding box and units per inch, a plain one by
// the extent of what it draws, one unit a pixel. The drawing happens in a separate
// process, the helper program lumovander-wmf, under CPU, memory and wall-clock limits:
// libwmf is old C code that a damaged file can make loop, crash or swallow memory.
namespace WmfPicture {

// The limits a decoding runs under; tests shorten them.
struct DecoderLimits {
    int cpuSeconds = 5;
    int memoryMb = 1024;
    // Waited at most for the helper's answer; the window is busy (hourglass) meanwhile.
    int wallClockMs = 8000;
};

// Whether the bytes start like a metafile (placeable key or a plain metafile header).
bool looksLikeWmf(QByteArrayView bytes);
// The drawn picture, Format_RGB32; a null image when the file is damaged, draws nothing,
// would be larger than the program holds, breaks a limit, or the helper fails in any way.
QImage render(QByteArrayView bytes);
QImage render(QByteArrayView bytes, const DecoderLimits &limits, const QString &decoder = {});

// The helper program: $LUMO_WMF_DECODER when set, else lumovander-wmf beside the running
// program (an installed copy), else the one of the build tree; empty when none is found.
QString decoderPath();

} // namespace WmfPicture
