// The HEIC/HEIF reader on any bytes: it must return a picture of a size the program holds
// or nothing, never crash, read out of bounds or run away with memory.
// Seeds: fuzz/corpus/fuzz_heif/ (a small HEIC and AVIF made with heif-enc). The reader
// opens libheif itself, so the target needs only lumo_stamp.
#include "stamp/HeifReader.h"
#include "stamp/PictureLimits.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QImage image = HeifReader::read(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!image.isNull() && (image.format() != QImage::Format_RGB32
                            || !PictureLimits::fits(image.width(), image.height())))
        std::abort();
    return 0;
}
