#pragma once

#include "stamp/DecoderProcess.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

// HEIC/HEIF photos, as phones write them (HEVC), upright as the phone recorded them and
// flattened onto white. libheif decodes them in a separate process, the helper program
// lumovander-heif (stamp/DecoderProcess): libheif 1.15 ends its process through assert()
// on some damaged files, and the program must not go down with it. The program itself
// never loads libheif; it reads the file's boxes with our own code (heif/HeifContainer).
namespace HeifPicture {

// Whether the file's type box names an HEVC brand; AVIF is not among them.
bool looksLikeHeif(QByteArrayView bytes);

// The primary image, Format_RGB32; a null image when the file is no HEVC HEIF, claims a
// size the program does not hold (refused here, before a helper starts), or the helper
// fails in any way.
QImage read(QByteArrayView bytes);
// read() with whether the helper stopped before its verdict (DecoderProcess::Decoded).
DecoderProcess::Decoded readFully(QByteArrayView bytes);
QImage read(QByteArrayView bytes, const DecoderProcess::Limits &limits, const QString &decoder = {});

// What a decoding runs under by default. Wider than a metafile's: a phone's 200-megapixel
// photo takes seconds of libde265's time and, as libheif's plane plus our copy, most of
// a gigabyte; the picture budget allows up to 1 GB of pixels.
DecoderProcess::Limits defaultLimits();

// The helper program: $LUMO_HEIF_DECODER when set, else lumovander-heif beside the
// running program (an installed copy), else the one of the build tree; empty when none.
QString decoderPath();

} // namespace HeifPicture
