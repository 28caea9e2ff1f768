#pragma once

// Tiny picture files whose headers claim gigantic pictures, made byte by byte (or from a
// small picture Qt writes, its size patched), for the tests and the fuzz corpus: none of
// them may cost more than its header to refuse.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <cstdint>

namespace HostilePictures {

inline void putLe16(QByteArray &b, qsizetype at, uint16_t v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

inline void putLe32(QByteArray &b, qsizetype at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

// 35 bytes: a logical screen of width x height around a one-pixel image.
inline QByteArray gifScreen(uint16_t width = 16000, uint16_t height = 16000)
{
    QByteArray gif("GIF89a");
    gif.append("\0\0\0\0\x80\x00\x00", 7);
    putLe16(gif, 6, width);
    putLe16(gif, 8, height);
    gif.append("\xff\xff\xff\x00\x00\x00", 6);
    gif.append("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
    gif.append("\x02\x02\x44\x01\x00\x3b", 6);
    return gif;
}

// 120 bytes: a 4-bit run-length bitmap of width x height that ends at once.
inline QByteArray rle4Bitmap(int32_t width = 16384, int32_t height = 16384)
{
    QByteArray bmp(118, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    putLe32(bmp, 2, 120);
    putLe32(bmp, 10, 118);
    putLe32(bmp, 14, 40);
    putLe32(bmp, 18, uint32_t(width));
    putLe32(bmp, 22, uint32_t(height));
    putLe16(bmp, 26, 1);
    putLe16(bmp, 28, 4);
    putLe32(bmp, 30, 2); // BI_RLE4
    putLe32(bmp, 34, 2);
    putLe32(bmp, 46, 16);
    for (int i = 0; i < 16; ++i)
        bmp[54 + 4 * i] = bmp[55 + 4 * i] = bmp[56 + 4 * i] = char(i * 17);
    bmp.append("\x00\x01", 2); // end of bitmap
    return bmp;
}

// A small progressive JPEG whose frame header claims width x height.
inline QByteArray progressiveJpeg(uint16_t width = 16000, uint16_t height = 16000)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(10);
    writer.write(image);
    const qsizetype sof = jpeg.indexOf("\xff\xc2");
    if (sof < 0)
        return {};
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

// A real PNG of side x side, one colour, compressed to a small file (783 KB at 16384).
inline QByteArray plainPng(int side = 16384)
{
    QImage image(side, side, QImage::Format_Mono);
    image.fill(1);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", 0);
    return png;
}

} // namespace HostilePictures
