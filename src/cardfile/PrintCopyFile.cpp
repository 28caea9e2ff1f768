#include "cardfile/PrintCopyFile.h"

#include "core/PictureLimits.h"
#include "core/RegularFile.h"
#include "stamp/PngChunks.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QImageWriter>

namespace {

const QString HashKey = QStringLiteral("Lumovander-bitmap-sha256");

QByteArray hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The print copy and its bitmap can be any file a user put there (a pipe, a device, a
// file cut short meanwhile), so both are read as regular files with a cap; a copy of
// 1760 x 1080 is well below it.
constexpr qint64 kLargestFile = qint64(64) << 20;

QByteArray hashOfFile(const QString &path)
{
    const auto bytes = RegularFile::read(path, kLargestFile);
    return bytes ? hashOf(*bytes) : QByteArray();
}

} // namespace

namespace PrintCopyFile {

QByteArray bytes(const QImage &print, const QByteArray &bitmapBytes)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setText(HashKey, QString::fromLatin1(hashOf(bitmapBytes)));
    // A low compression level: the copy is several megapixels and saving should not
    // keep the user waiting; it still stores the picture losslessly.
    writer.setCompression(1);
    return writer.write(print) ? png : QByteArray();
}

QImage read(const QString &path, const QString &bitmapPath, QSize size)
{
    const auto file = RegularFile::read(path, kLargestFile);
    if (!file || !PngChunks::lieInFile(*file, PngChunks::End::Required))
        return {};
    QBuffer buffer;
    buffer.setData(*file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // The header and the text entries come before the pixels, so a copy that claims
    // another size or more than the program holds, or that does not belong, is refused
    // before anything is decoded. A copy of another size is never stretched: the card
    // then prints from its bitmap.
    if (!reader.canRead())
        return {};
    const QSize claimed = reader.size();
    if (claimed != size || !PictureLimits::fits(claimed.width(), claimed.height()))
        return {};
    reader.setAllocationLimit(PictureLimits::allocationLimitMb());
    const QByteArray wanted = reader.text(HashKey).toLatin1();
    if (wanted.isEmpty() || wanted != hashOfFile(bitmapPath))
        return {};
    const QImage image = reader.read();
    return image.size() == size ? image.convertToFormat(QImage::Format_RGB32) : QImage();
}

} // namespace PrintCopyFile
