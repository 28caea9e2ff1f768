#include "cardfile/PictureFile.h"

#include "stamp/PhotoLoader.h"

#include <QBuffer>

namespace PictureFile {

QImage read(const QString &path, const QRect &keep)
{
    const QImage image = PhotoLoader::load(path);
    if (image.isNull())
        return image;
    const QRect kept = keep.intersected(image.rect());
    return kept == image.rect() ? image : image.copy(kept);
}

QImage readStretched(const QString &path, const QSize &size)
{
    const QImage image = PhotoLoader::load(path);
    return image.isNull() ? image : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QByteArray bitmapBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace PictureFile
