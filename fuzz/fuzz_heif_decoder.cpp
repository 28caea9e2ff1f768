// The HEIC helper's decoding (libheif behind our own size checks), in process, on any
// bytes: a picture of a size the program holds or nothing, never an AddressSanitizer or
// UndefinedBehaviorSanitizer error or a leak. libheif 1.15 ends the process through
// assert() on some damaged files; in the program the helper contains that, so
// scripts/fuzz.sh ends this target's run without failing it on such an abort.
// Seeds: fuzz/corpus/fuzz_heif_decoder/ (HEIC and AVIF made with heif-enc, damaged HEICs).
#include "core/PictureLimits.h"
#include "heif/HeifDecoding.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QImage image = HeifDecoding::decode(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!image.isNull() && (image.format() != QImage::Format_RGB32
                            || !PictureLimits::fits(image.width(), image.height())))
        std::abort();
    return 0;
}
