#include "stamp/HeifReader.h"

#include "stamp/PictureLimits.h"

#include <QPainter>
#include <libheif/heif.h>
#include <algorithm>
#include <limits>
#include <memory>

namespace {

template <typename T, void (*Release)(T *)>
struct Releaser {
    void operator()(T *p) const { Release(p); }
};
void releaseHandle(heif_image_handle *h) { heif_image_handle_release(h); }
void releaseImage(heif_image *i) { heif_image_release(i); }

using Context = std::unique_ptr<heif_context, Releaser<heif_context, heif_context_free>>;
using Handle = std::unique_ptr<heif_image_handle, Releaser<heif_image_handle, releaseHandle>>;
using Image = std::unique_ptr<heif_image, Releaser<heif_image, releaseImage>>;
using Options = std::unique_ptr<heif_decoding_options,
                                Releaser<heif_decoding_options, heif_decoding_options_free>>;

bool ok(const heif_error &error) { return error.code == heif_error_Ok; }

// Larger than any phone or camera photo, and far below what would exhaust memory.
constexpr int MaxSide = 32768;

QImage onWhite(const QImage &rgba)
{
    QImage flat(rgba.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return {};
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, rgba);
    return flat;
}

} // namespace

namespace HeifReader {

bool looksLikeHeif(QByteArrayView bytes)
{
    if (bytes.size() < 12)
        return false;
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.data());
    return heif_check_filetype(data, int(std::min<qsizetype>(bytes.size(), std::numeric_limits<int>::max()))) == heif_filetype_yes_supported
           && heif_main_brand(data, 12) != heif_avif;
}

QImage read(QByteArrayView bytes)
{
    if (!looksLikeHeif(bytes) || bytes.size() > std::numeric_limits<int>::max())
        return {};
    Context context(heif_context_alloc());
    if (!context)
        return {};
    heif_context_set_maximum_image_size_limit(context.get(), MaxSide);
    // The window's thread decodes; a pool of tile threads buys nothing for one photo.
    heif_context_set_max_decoding_threads(context.get(), 0);
    if (!ok(heif_context_read_from_memory_without_copy(context.get(), bytes.data(), size_t(bytes.size()),
                                                       nullptr)))
        return {};
    heif_image_handle *rawHandle = nullptr;
    if (!ok(heif_context_get_primary_image_handle(context.get(), &rawHandle)))
        return {};
    const Handle handle(rawHandle);
    if (!PictureLimits::fits(heif_image_handle_get_width(handle.get()),
                             heif_image_handle_get_height(handle.get())))
        return {};

    const Options options(heif_decoding_options_alloc());
    if (!options)
        return {};
    options->ignore_transformations = 0; // rotation and mirroring as the phone recorded them
    // A damaged stream is an error, not a picture with grey holes.
    options->strict_decoding = 1;
    // HEVC only, as phones write: libheif's AV1 path (dav1d) loses memory on damaged
    // files, and an AVIF inside a .heic is no photo we promised to read.
    options->decoder_id = "libde265";
    heif_image *rawImage = nullptr;
    if (!ok(heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                              options.get())))
        return {};
    const Image image(rawImage);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!plane || !PictureLimits::fits(width, height) || stride < width * 4)
        return {};
    // Wraps libheif's plane; onWhite() copies it before the plane is released.
    const QImage rgba(plane, width, height, stride, QImage::Format_RGBA8888);
    if (!heif_image_handle_has_alpha_channel(handle.get()))
        return rgba.convertToFormat(QImage::Format_RGB32);
    return onWhite(rgba);
}

} // namespace HeifReader
