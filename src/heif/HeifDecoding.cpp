#include "heif/HeifDecoding.h"

#include "core/OnWhite.h"
#include "core/PictureLimits.h"
#include "heif/HeifContainer.h"

#include <libheif/heif.h>
#include <limits>
#include <memory>

namespace {

bool ok(const heif_error &error) { return error.code == heif_error_Ok; }

} // namespace

namespace HeifDecoding {

QImage decode(QByteArrayView bytes)
{
    // Our own reading of the boxes first: libheif allocates what a grid claims as soon as
    // it reads the file.
    if (!HeifContainer::hasHevcBrand(bytes) || !HeifContainer::codedSizesFit(bytes)
        || bytes.size() > std::numeric_limits<int>::max())
        return {};
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.data());
    if (heif_check_filetype(data, int(bytes.size())) != heif_filetype_yes_supported)
        return {};

    const std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(),
                                                                             heif_context_free);
    if (!context)
        return {};
    heif_context_set_maximum_image_size_limit(context.get(), HeifContainer::MaxSide);
    // One photo a process: a pool of tile threads buys nothing and costs address space.
    heif_context_set_max_decoding_threads(context.get(), 0);
    if (!ok(heif_context_read_from_memory_without_copy(context.get(), bytes.data(), size_t(bytes.size()), nullptr)))
        return {};
    heif_image_handle *rawHandle = nullptr;
    if (!ok(heif_context_get_primary_image_handle(context.get(), &rawHandle)))
        return {};
    const std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)> handle(
        rawHandle, heif_image_handle_release);
    if (!PictureLimits::fits(heif_image_handle_get_width(handle.get()), heif_image_handle_get_height(handle.get())))
        return {};

    const std::unique_ptr<heif_decoding_options, decltype(&heif_decoding_options_free)> options(
        heif_decoding_options_alloc(), heif_decoding_options_free);
    if (!options)
        return {};
    options->ignore_transformations = 0; // rotation and mirroring as the phone recorded them
    // A damaged stream is an error, not a picture with grey holes.
    options->strict_decoding = 1;
    // HEVC only, as phones write: libheif's AV1 path (dav1d) loses memory on damaged
    // files, and an AV1 picture inside a .heic is no photo we promised to read.
    options->decoder_id = "libde265";
    heif_image *rawImage = nullptr;
    if (!ok(heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                              options.get())))
        return {};
    const std::unique_ptr<heif_image, decltype(&heif_image_release)> image(rawImage, heif_image_release);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!plane || !PictureLimits::fits(width, height) || stride < width * 4)
        return {};
    // Wraps libheif's plane; both conversions copy it before the plane is released.
    const QImage rgba(plane, width, height, stride, QImage::Format_RGBA8888);
    if (!heif_image_handle_has_alpha_channel(handle.get()))
        return rgba.convertToFormat(QImage::Format_RGB32);
    return onWhite(rgba);
}

} // namespace HeifDecoding
