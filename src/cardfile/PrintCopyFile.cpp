#include "cardfile/PrintCopyFile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>

namespace {

const QString HashKey = QStringLiteral("Lumovander-bitmap-sha256");

QByteArray hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Read in pieces: the bitmap beside a print copy can be any file a user put there.
QByteArray hashOfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return hash.addData(&file) ? hash.result().toHex() : QByteArray();
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
    QImageReader reader(path, "png");
    // The text entries come before the pixels, so a copy that does not belong is
    // refused before anything is decoded.
    if (!reader.canRead() || reader.size() != size)
        return {};
    const QByteArray wanted = reader.text(HashKey).toLatin1();
    if (wanted.isEmpty() || wanted != hashOfFile(bitmapPath))
        return {};
    const QImage image = reader.read();
    return image.size() == size ? image.convertToFormat(QImage::Format_RGB32) : QImage();
}

} // namespace PrintCopyFile
