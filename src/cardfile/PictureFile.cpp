#include "PictureFile.h"

#include <QBuffer>
#include <QImageReader>

namespace {

QImage opaque(const QImage &image)
{
    return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

namespace PictureFile {

QImage read(const QString &path, const QRect &keep)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(AllocationLimitMiB);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    const QRect kept = keep.intersected(image.rect());
    if (kept != image.rect())
        image = image.copy(kept);
    return opaque(image);
}

QImage readStretched(const QString &path, const QSize &size)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(AllocationLimitMiB);
    // Readers that can decode straight to a smaller size (JPEG) save most of the work.
    reader.setScaledSize(size);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return opaque(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QByteArray bitmapBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!opaque(image).save(&buffer, "BMP"))
        return {};
    return bytes;
}

} // namespace PictureFile
