#include "stamp/PhotoLoader.h"

#include "core/OnWhite.h"
#include "core/PictureLimits.h"
#include "core/RegularFile.h"
#include "stamp/HeifPicture.h"
#include "stamp/PictureCompleteness.h"
#include "stamp/WmfPicture.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

namespace {

// Formats of the platform's picture loader (and PNG, which costs nothing to accept),
// and what phones and cameras write today: WebP and TIFF through Qt's image-format
// plugins. HEIC goes to a helper process of its own (HeifPicture).
bool isPhotoFormat(const QByteArray &format)
{
    return format == "jpeg" || format == "bmp" || format == "gif" || format == "png"
           || format == "webp" || format == "tiff";
}

QImage decode(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (!isPhotoFormat(format) || !PictureCompleteness::isComplete(format, bytes))
        return {};
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(true);
    // A bitmap stored top down reports its height negative, as its header holds it.
    const QSize size = reader.size();
    if (!PictureLimits::fits(size.width(), qAbs(qint64(size.height()))))
        return {};
    reader.setAllocationLimit(PictureLimits::allocationLimitMb());
    QImage image = reader.read();
    return image.isNull() ? QImage() : onWhite(std::move(image));
}

QImage picture(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    if (WmfPicture::looksLikeWmf(bytes))
        return WmfPicture::render(bytes);
    if (HeifPicture::looksLikeHeif(bytes))
        return HeifPicture::read(bytes);
    return decode(bytes);
}

// The file read once: its picture and, for a metafile, the finer drawing drawFiner(bytes,
// the picture's size) makes of the same bytes.
template <typename DrawFiner>
PhotoLoader::WithFinerCopy readWithFinerCopy(const QString &path, const DrawFiner &drawFiner)
{
    const auto bytes = RegularFile::read(path, PictureLimits::MaxDecodedBytes);
    if (!bytes)
        return {};
    PhotoLoader::WithFinerCopy loaded{picture(*bytes), QImage()};
    if (!loaded.picture.isNull() && WmfPicture::looksLikeWmf(*bytes))
        loaded.finer = drawFiner(*bytes, loaded.picture.size());
    return loaded;
}

} // namespace

namespace PhotoLoader {

QImage load(const QString &path)
{
    // A compressed picture is smaller than its pixels; a file beyond the limit is no photo.
    const auto bytes = RegularFile::read(path, PictureLimits::MaxDecodedBytes);
    return bytes ? picture(*bytes) : QImage();
}

WithFinerCopy loadWithFinerCopy(const QString &path, int scale, QSize crop)
{
    return readWithFinerCopy(path, [scale, crop](const QByteArray &bytes, QSize) {
        return WmfPicture::renderScaled(bytes, scale, crop);
    });
}

WithFinerCopy loadWithFinerCopyCovering(const QString &path, QSize cover)
{
    return readWithFinerCopy(path, [cover](const QByteArray &bytes, QSize size) {
        const auto covering = [](int want, int have) { return (want + have - 1) / have; };
        const int scale = std::min(
            std::max(covering(cover.width(), size.width()), covering(cover.height(), size.height())), MaxFinerScale);
        return scale > 1 ? WmfPicture::renderScaled(bytes, scale, size) : QImage();
    });
}

} // namespace PhotoLoader
