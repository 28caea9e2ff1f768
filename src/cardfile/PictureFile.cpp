#include "cardfile/PictureFile.h"

#include "stamp/PhotoLoader.h"

#include <QBuffer>

namespace PictureFile {

QImage read(const QString &path, const QRect &keep)
{
    return kept(PhotoLoader::load(path), keep);
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
