// Any bytes as a picture file of one format, through the one entry every picture takes
// (PhotoLoader::load), and through the completeness check that guards its decoder.
#include "FuzzSupport.h"
#include "stamp/PhotoLoader.h"
#include "stamp/PictureCompleteness.h"
#include "core/PictureLimits.h"

#include <cstdlib>

namespace {

#if defined(LUMO_FUZZ_FORMAT_bmp)
const QByteArray kFormat = "bmp", kSignature = "BM";
#elif defined(LUMO_FUZZ_FORMAT_gif)
const QByteArray kFormat = "gif", kSignature = "GIF8";
#elif defined(LUMO_FUZZ_FORMAT_jpeg)
const QByteArray kFormat = "jpeg", kSignature = "\xFF\xD8";
#elif defined(LUMO_FUZZ_FORMAT_png)
const QByteArray kFormat = "png", kSignature = "\x89PNG";
#endif

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    // Other formats have their own target.
    if (!bytes.startsWith(kSignature))
        return 0;
    PictureCompleteness::isComplete(kFormat, bytes);
    const QImage image = PhotoLoader::load(FuzzSupport::asFile(data, size));
    if (!image.isNull()
        && (image.format() != QImage::Format_RGB32 || !PictureLimits::fits(image.width(), image.height())))
        std::abort();
    return 0;
}
