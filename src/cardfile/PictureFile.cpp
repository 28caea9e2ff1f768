#include "cardfile/PictureFile.h"

#include "stamp/PhotoLoader.h"

#include <QBuffer>

namespace PictureFile {

QImage read(const QString &path, const QSize &size)
{
    PhotoLoader::Use use;
    use.exact = size;
    return PhotoLoader::read(path, use).picture;
}

QImage kept(const QImage &image, const QRect &keep)
{
    if (image.isNull())
        return image;
    const QRect part = keep.intersected(image.rect());
    return part == image.rect() ? image : image.copy(part);
}

QImage readStretched(const QString &path, const QSize &size)
{
    PhotoLoader::Use use;
    use.cover = size;
    const QImage image = PhotoLoader::read(path, use).picture;
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
