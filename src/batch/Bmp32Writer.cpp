#include "batch/Bmp32Writer.h"

#include <QByteArray>
#include <QtEndian>
#include <cstdint>

namespace {
constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 108; // BITMAPV4HEADER: room for the four channel masks
constexpr quint32 BitFields = 3;

void Put16(QByteArray &out, int offset, quint16 value) { qToLittleEndian(value, out.data() + offset); }
void Put32(QByteArray &out, int offset, quint32 value) { qToLittleEndian(value, out.data() + offset); }
} // namespace

bool WriteBmp32(const QImage &picture, QIODevice &device)
{
    const bool hasAlpha = picture.format() == QImage::Format_ARGB32;
    if (!hasAlpha && picture.format() != QImage::Format_RGB32)
        return false;
    const quint64 imageBytes = quint64(picture.width()) * quint64(picture.height()) * 4;
    const quint64 fileBytes = FileHeaderSize + InfoHeaderSize + imageBytes;
    if (fileBytes > 0xFFFFFFFFull)
        return false;

    QByteArray header(FileHeaderSize + InfoHeaderSize, '\0');
    header[0] = 'B';
    header[1] = 'M';
    Put32(header, 2, quint32(fileBytes));
    Put32(header, 10, FileHeaderSize + InfoHeaderSize);
    const int info = FileHeaderSize;
    Put32(header, info + 0, InfoHeaderSize);
    Put32(header, info + 4, quint32(picture.width()));
    Put32(header, info + 8, quint32(picture.height())); // positive: rows bottom-up
    Put16(header, info + 12, 1);                        // planes
    Put16(header, info + 14, 32);                       // bits per pixel
    Put32(header, info + 16, BitFields);
    Put32(header, info + 20, quint32(imageBytes));
    Put32(header, info + 24, 3780); // 96 dots per inch, in dots per metre
    Put32(header, info + 28, 3780);
    Put32(header, info + 40, 0x00FF0000u); // red mask
    Put32(header, info + 44, 0x0000FF00u); // green
    Put32(header, info + 48, 0x000000FFu); // blue
    Put32(header, info + 52, hasAlpha ? 0xFF000000u : 0u);
    Put32(header, info + 56, 0x73524742u); // colour space "sRGB"
    if (device.write(header) != header.size())
        return false;

    const qint64 rowBytes = qint64(picture.width()) * 4;
    for (int y = picture.height() - 1; y >= 0; --y) {
        if (device.write(reinterpret_cast<const char *>(picture.constScanLine(y)), rowBytes) != rowBytes)
            return false;
    }
    return true;
}
