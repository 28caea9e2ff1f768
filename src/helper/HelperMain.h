#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <functional>

// The frame of a decoder helper: a small program that turns one picture file read from
// standard input into pixels on standard output, under limits it puts on itself first.
// The program and the batch tool run it as a separate process (stamp/DecoderProcess), so
// that a file which makes a decoding library loop, crash, abort or swallow memory costs
// them a bad picture and nothing more.
//
//   helper [--cpu-seconds N] [--memory-mb M] [--scale S --crop-width W --crop-height H]
//          < picture > pixels
//
// A picture without pixels of its own (a metafile) can be asked for at S times its size,
// cut to its top-left W x H (in pixels of its own size) before scaling; a helper whose
// pictures have pixels ignores that.
//
// Answer: the helper's 4-byte magic, width and height (32-bit little-endian), then
// width x height pixels, 32-bit 0xAARRGGBB in native order, row by row: opaque from a
// photo or metafile, premultiplied from a drawing with transparency. Exit status 0 only
// with a whole picture.
namespace HelperMain {

struct Defaults {
    long cpuSeconds;
    long memoryMb;
    // The largest file read; more is refused unread.
    qsizetype maxInput;
};

// The size asked for: scale 1 and an empty crop are the picture as it is.
struct Request {
    int scale = 1;
    QSize crop;
};

// The file's picture, Format_RGB32 (or Format_ARGB32_Premultiplied, for a helper whose
// pictures keep their transparency); a null image when the file gives none.
using Decode = std::function<QImage(const QByteArray &bytes, const Request &request)>;

// The whole helper; main() returns what this returns.
int run(int argc, char **argv, const char (&magic)[5], const Defaults &defaults, const Decode &decode);

} // namespace HelperMain
