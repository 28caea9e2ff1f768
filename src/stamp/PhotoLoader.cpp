#include "stamp/PhotoLoader.h"

#include "stamp/HeifReader.h"
#include "stamp/PictureCompleteness.h"
#include "stamp/PictureLimits.h"
#include "stamp/WmfPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace {

// Formats of the platform's picture loader (and PNG, which costs nothing to accept),
// and what phones and cameras write today: WebP and TIFF through Qt's image-format
// plugins. HEIC has a reader of its own (HeifReader).
bool isPhotoFormat(const QByteArray &format)
{
    return format == "jpeg" || format == "bmp" || format == "gif" || format == "png"
           || format == "webp" || format == "tiff";
}

// Transparent parts of a GIF or PNG show white, as on a blank sheet.
QImage opaque(QImage image)
{
    if (!image.hasAlphaChannel()) {
        image.convertTo(QImage::Format_RGB32);
        return image;
    }
    QImage flat(image.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return {};
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
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
    const QSize size = reader.size();
    if (!PictureLimits::fits(size.width(), size.height()))
        return {};
    reader.setAllocationLimit(PictureLimits::allocationLimitMb());
    QImage image = reader.read();
    return image.isNull() ? QImage() : opaque(std::move(image));
}

} // namespace

namespace PhotoLoader {

QImage load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return {};
    // A compressed picture is smaller than its pixels; a file beyond the limit is no photo.
    if (file.size() > PictureLimits::MaxDecodedBytes)
        return {};
    // The file is mapped, not copied: the decoder reads it straight from the page cache.
    const uchar *mapped = file.map(0, file.size());
    if (!mapped)
        return {};
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(mapped),
                                                     qsizetype(file.size()));
    if (WmfPicture::looksLikeWmf(bytes))
        return WmfPicture::render(bytes);
    if (HeifReader::looksLikeHeif(bytes))
        return HeifReader::read(bytes);
    return decode(bytes);
}

} // namespace PhotoLoader
