// lumovander-heif: decodes one HEIC/HEIF photo read from standard input and writes its
// pixels to standard output, under limits it puts on itself first, so that a file on
// which libheif aborts, loops or swallows memory costs the program a bad picture and
// nothing more. Arguments and answer ("LHEF", width, height, pixels): helper/HelperMain.h.
#include "core/PictureLimits.h"
#include "heif/HeifDecoding.h"
#include "helper/HelperMain.h"

int main(int argc, char **argv)
{
    // The program reads photo files up to the picture budget; see stamp/HeifPicture for
    // why the limits are wider than the metafile helper's.
    const HelperMain::Defaults defaults{10, 3072, qsizetype(PictureLimits::MaxDecodedBytes)};
    return HelperMain::run(argc, argv, "LHEF", defaults,
                           [](const QByteArray &bytes, const HelperMain::Request &) { return HeifDecoding::decode(bytes); });
}
