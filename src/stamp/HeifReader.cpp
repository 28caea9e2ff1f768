#include "stamp/HeifReader.h"

#include "stamp/PictureLimits.h"

#include <QLibrary>
#include <QPainter>
#include <QtEndian>
#include <libheif/heif.h>
#include <algorithm>
#include <limits>
#include <memory>

namespace {

// libheif is opened on the first HEIC, not linked: it pulls in four codec libraries
// (x265, aom, dav1d, libde265) whose loading would cost every start of the program.
struct Heif {
#define LUMO_HEIF_FUNCTION(name) decltype(&::name) name = nullptr;
    LUMO_HEIF_FUNCTION(heif_check_filetype)
    LUMO_HEIF_FUNCTION(heif_context_alloc)
    LUMO_HEIF_FUNCTION(heif_context_free)
    LUMO_HEIF_FUNCTION(heif_context_set_maximum_image_size_limit)
    LUMO_HEIF_FUNCTION(heif_context_set_max_decoding_threads)
    LUMO_HEIF_FUNCTION(heif_context_read_from_memory_without_copy)
    LUMO_HEIF_FUNCTION(heif_context_get_primary_image_handle)
    LUMO_HEIF_FUNCTION(heif_image_handle_release)
    LUMO_HEIF_FUNCTION(heif_image_handle_get_width)
    LUMO_HEIF_FUNCTION(heif_image_handle_get_height)
    LUMO_HEIF_FUNCTION(heif_image_handle_has_alpha_channel)
    LUMO_HEIF_FUNCTION(heif_decoding_options_alloc)
    LUMO_HEIF_FUNCTION(heif_decoding_options_free)
    LUMO_HEIF_FUNCTION(heif_decode_image)
    LUMO_HEIF_FUNCTION(heif_image_release)
    LUMO_HEIF_FUNCTION(heif_image_get_width)
    LUMO_HEIF_FUNCTION(heif_image_get_height)
    LUMO_HEIF_FUNCTION(heif_image_get_plane_readonly)
#undef LUMO_HEIF_FUNCTION
    bool complete = false;
};

// Null when libheif is not on this machine: HEIC photos then simply do not load.
const Heif *heif()
{
    static const Heif loaded = [] {
        Heif h;
        static QLibrary library(QStringLiteral("heif"), 1);
        if (!library.load())
            return h;
        bool all = true;
        const auto resolve = [&all](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
            all = all && function;
        };
#define LUMO_HEIF_RESOLVE(name) resolve(h.name, #name);
        LUMO_HEIF_RESOLVE(heif_check_filetype)
        LUMO_HEIF_RESOLVE(heif_context_alloc)
        LUMO_HEIF_RESOLVE(heif_context_free)
        LUMO_HEIF_RESOLVE(heif_context_set_maximum_image_size_limit)
        LUMO_HEIF_RESOLVE(heif_context_set_max_decoding_threads)
        LUMO_HEIF_RESOLVE(heif_context_read_from_memory_without_copy)
        LUMO_HEIF_RESOLVE(heif_context_get_primary_image_handle)
        LUMO_HEIF_RESOLVE(heif_image_handle_release)
        LUMO_HEIF_RESOLVE(heif_image_handle_get_width)
        LUMO_HEIF_RESOLVE(heif_image_handle_get_height)
        LUMO_HEIF_RESOLVE(heif_image_handle_has_alpha_channel)
        LUMO_HEIF_RESOLVE(heif_decoding_options_alloc)
        LUMO_HEIF_RESOLVE(heif_decoding_options_free)
        LUMO_HEIF_RESOLVE(heif_decode_image)
        LUMO_HEIF_RESOLVE(heif_image_release)
        LUMO_HEIF_RESOLVE(heif_image_get_width)
        LUMO_HEIF_RESOLVE(heif_image_get_height)
        LUMO_HEIF_RESOLVE(heif_image_get_plane_readonly)
#undef LUMO_HEIF_RESOLVE
        h.complete = all;
        return h;
    }();
    return loaded.complete ? &loaded : nullptr;
}

// The HEVC brands of a HEIF file's type box, as phones and cameras write them. AVIF
// (AV1) is left out: libheif's AV1 path loses memory on damaged files.
bool hasHevcBrand(QByteArrayView bytes)
{
    if (bytes.size() < 16 || bytes.sliced(4, 4) != QByteArrayView("ftyp"))
        return false;
    const qsizetype boxSize = std::min<qsizetype>(qFromBigEndian<quint32>(bytes.data()), bytes.size());
    static const QByteArrayView hevc[] = {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1"};
    const auto isHevc = [](QByteArrayView brand) {
        return std::find(std::begin(hevc), std::end(hevc), brand) != std::end(hevc);
    };
    const QByteArrayView major = bytes.sliced(8, 4);
    if (major == QByteArrayView("avif") || major == QByteArrayView("avis"))
        return false;
    if (isHevc(major))
        return true;
    for (qsizetype at = 16; at + 4 <= boxSize; at += 4)
        if (isHevc(bytes.sliced(at, 4)))
            return true;
    return false;
}

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
    if (!hasHevcBrand(bytes) || !heif())
        return false;
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.data());
    return heif()->heif_check_filetype(data, int(std::min<qsizetype>(bytes.size(), std::numeric_limits<int>::max())))
           == heif_filetype_yes_supported;
}

QImage read(QByteArrayView bytes)
{
    if (!looksLikeHeif(bytes) || bytes.size() > std::numeric_limits<int>::max())
        return {};
    const Heif &h = *heif();
    const auto ok = [](const heif_error &error) { return error.code == heif_error_Ok; };

    const std::unique_ptr<heif_context, decltype(h.heif_context_free)> context(h.heif_context_alloc(),
                                                                               h.heif_context_free);
    if (!context)
        return {};
    h.heif_context_set_maximum_image_size_limit(context.get(), MaxSide);
    // The window's thread decodes; a pool of tile threads buys nothing for one photo.
    h.heif_context_set_max_decoding_threads(context.get(), 0);
    if (!ok(h.heif_context_read_from_memory_without_copy(context.get(), bytes.data(), size_t(bytes.size()),
                                                         nullptr)))
        return {};
    heif_image_handle *rawHandle = nullptr;
    if (!ok(h.heif_context_get_primary_image_handle(context.get(), &rawHandle)))
        return {};
    const std::unique_ptr<heif_image_handle, decltype(h.heif_image_handle_release)> handle(
        rawHandle, h.heif_image_handle_release);
    if (!PictureLimits::fits(h.heif_image_handle_get_width(handle.get()),
                             h.heif_image_handle_get_height(handle.get())))
        return {};

    const std::unique_ptr<heif_decoding_options, decltype(h.heif_decoding_options_free)> options(
        h.heif_decoding_options_alloc(), h.heif_decoding_options_free);
    if (!options)
        return {};
    options->ignore_transformations = 0; // rotation and mirroring as the phone recorded them
    // A damaged stream is an error, not a picture with grey holes.
    options->strict_decoding = 1;
    // HEVC only, as phones write: libheif's AV1 path (dav1d) loses memory on damaged
    // files, and an AV1 picture inside a .heic is no photo we promised to read.
    options->decoder_id = "libde265";
    heif_image *rawImage = nullptr;
    if (!ok(h.heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
                                options.get())))
        return {};
    const std::unique_ptr<heif_image, decltype(h.heif_image_release)> image(rawImage, h.heif_image_release);
    const int width = h.heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = h.heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t *plane = h.heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!plane || !PictureLimits::fits(width, height) || stride < width * 4)
        return {};
    // Wraps libheif's plane; both conversions copy it before the plane is released.
    const QImage rgba(plane, width, height, stride, QImage::Format_RGBA8888);
    if (!h.heif_image_handle_has_alpha_channel(handle.get()))
        return rgba.convertToFormat(QImage::Format_RGB32);
    return onWhite(rgba);
}

} // namespace HeifReader
