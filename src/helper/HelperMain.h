#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>

// The frame of a decoder helper: a small program that turns one picture file read from
// standard input into pixels on standard output, under limits it puts on itself first.
// The program and the batch tool run it as a separate process (stamp/DecoderProcess), so
// that a file which makes a decoding library loop, crash, abort or swallow memory costs
// them a bad picture and nothing more.
//
//   helper [--cpu-seconds N] [--memory-mb M] < picture > pixels
//
// Answer: the helper's 4-byte magic, width and height (32-bit little-endian), then
// width x height pixels, 32-bit 0xAARRGGBB in native order, row by row. Exit status 0
// only with a whole picture.
namespace HelperMain {

struct Defaults {
    long cpuSeconds;
    long memoryMb;
    // The largest file read; more is refused unread.
    qsizetype maxInput;
};

// The file's picture, Format_RGB32; a null image when the file gives none.
using Decode = std::function<QImage(const QByteArray &bytes)>;

// The whole helper; main() returns what this returns.
int run(int argc, char **argv, const char (&magic)[5], const Defaults &defaults, const Decode &decode);

} // namespace HelperMain
