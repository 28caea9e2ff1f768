// What the program runs in its own process for a HEIC photo, on any bytes: our reading of
// the container's boxes (the HEVC brand, the coded and canvas sizes) and the parsing of
// the HEIC helper's answer. They must give an answer or nothing, never crash, read out of
// bounds or run away with memory. libheif itself runs in the helper and is fuzzed by
// fuzz_heif_decoder.
// Seeds: fuzz/corpus/fuzz_heif/ (HEIC and AVIF made with heif-enc, damaged HEICs, and a
// helper's answer, which starts with its magic "LHEF").
#include "core/PictureLimits.h"
#include "heif/HeifContainer.h"
#include "stamp/DecoderProcess.h"
#include "stamp/HeifPicture.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (HeifPicture::looksLikeHeif(bytes) != HeifContainer::hasHevcBrand(bytes))
        std::abort();
    HeifContainer::codedSizesFit(bytes);
    const QImage image = DecoderProcess::readAnswer(bytes, "LHEF");
    if (!image.isNull() && (image.format() != QImage::Format_RGB32 || !PictureLimits::fits(image.width(), image.height())
                            || qsizetype(size) != 12 + qsizetype(image.width()) * image.height() * 4))
        std::abort();
    return 0;
}
