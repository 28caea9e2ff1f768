#include "stamp/PictureCompleteness.h"

#include <cstring>

namespace {

using Bytes = QByteArrayView;

uint8_t byteAt(Bytes b, qsizetype i) { return uint8_t(b[i]); }
quint32 le16(Bytes b, qsizetype i) { return byteAt(b, i) | quint32(byteAt(b, i + 1)) << 8; }
quint32 le32(Bytes b, qsizetype i) { return le16(b, i) | le16(b, i + 2) << 16; }

qsizetype findByte(Bytes b, qsizetype from, uint8_t value)
{
    if (from >= b.size())
        return -1;
    const void *hit = std::memchr(b.data() + from, value, size_t(b.size() - from));
    return hit ? static_cast<const char *>(hit) - b.data() : -1;
}

// Entropy-coded data runs until a 0xFF that is neither stuffing (FF 00), a restart
// marker (FF D0..D7) nor fill (FF FF). Returns the position of that marker's 0xFF.
qsizetype endOfScan(Bytes b, qsizetype i)
{
    for (;;) {
        i = findByte(b, i, 0xFF);
        if (i < 0 || i + 1 >= b.size())
            return -1;
        const uint8_t next = byteAt(b, i + 1);
        if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
            i += 2;
        else if (next == 0xFF)
            i += 1;
        else
            return i;
    }
}

// Skips GIF data sub-blocks (a length byte and its bytes, ended by a zero length).
qsizetype skipSubBlocks(Bytes b, qsizetype i)
{
    for (;;) {
        if (i >= b.size())
            return -1;
        const int length = byteAt(b, i);
        i += 1 + length;
        if (length == 0)
            return i;
    }
}

} // namespace

namespace PictureCompleteness {

bool isComplete(const QByteArray &format, QByteArrayView bytes)
{
    if (format == "jpeg")
        return jpegComplete(bytes);
    if (format == "bmp")
        return bmpComplete(bytes);
    if (format == "gif")
        return gifFirstFrameComplete(bytes);
    return true;
}

bool jpegComplete(QByteArrayView b)
{
    if (b.size() < 4 || byteAt(b, 0) != 0xFF || byteAt(b, 1) != 0xD8)
        return false;
    qsizetype i = 2;
    for (;;) {
        // Decoders skip stray bytes before a marker; so do we.
        i = findByte(b, i, 0xFF);
        if (i < 0)
            return false;
        while (i < b.size() && byteAt(b, i) == 0xFF)
            ++i;
        if (i >= b.size())
            return false;
        const uint8_t marker = byteAt(b, i++);
        if (marker == 0xD9) // end of image
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) // no length field
            continue;
        if (i + 2 > b.size())
            return false;
        const qsizetype length = qsizetype(byteAt(b, i)) << 8 | byteAt(b, i + 1);
        if (length < 2)
            return false;
        i += length;
        if (i > b.size())
            return false;
        if (marker == 0xDA) { // start of scan
            i = endOfScan(b, i);
            if (i < 0)
                return false;
        }
    }
}

bool bmpComplete(QByteArrayView b)
{
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M')
        return false;
    const qint64 pixelOffset = le32(b, 10);
    const quint32 headerSize = le32(b, 14);
    qint64 width, height, bitCount, compression = 0;
    if (headerSize == 12) { // OS/2 core header
        width = le16(b, 18);
        height = le16(b, 20);
        bitCount = le16(b, 24);
    } else {
        if (b.size() < 34)
            return false;
        width = qint32(le32(b, 18));
        height = qint32(le32(b, 22));
        bitCount = le16(b, 28);
        compression = le32(b, 30);
    }
    if (pixelOffset > b.size() || width <= 0 || height == 0)
        return false;
    // Run-length and embedded JPEG/PNG data have no fixed size: their decoders judge them.
    const bool rowsOfFixedSize = compression == 0 || compression == 3 || compression == 6;
    if (!rowsOfFixedSize)
        return true;
    // Header numbers reach 2^31 each: their product is compared by division, since even
    // 64 bits do not hold stride times height for the largest of them.
    const qint64 stride = (width * bitCount + 31) / 32 * 4;
    return stride <= (b.size() - pixelOffset) / qAbs(height);
}

bool gifFirstFrameComplete(QByteArrayView b)
{
    if (b.size() < 13 || !(b.startsWith("GIF87a") || b.startsWith("GIF89a")))
        return false;
    const auto colourTableBytes = [](uint8_t packed) {
        return packed & 0x80 ? 3 * (2 << (packed & 7)) : 0;
    };
    qsizetype i = 13 + colourTableBytes(byteAt(b, 10));
    while (i >= 0 && i < b.size()) {
        const uint8_t block = byteAt(b, i);
        if (block == 0x21) { // extension: label, then sub-blocks
            i = skipSubBlocks(b, i + 2);
        } else if (block == 0x2C) { // image: descriptor, colour table, code size, data
            if (i + 10 > b.size())
                return false;
            i += 10 + colourTableBytes(byteAt(b, i + 9)) + 1;
            return skipSubBlocks(b, i) >= 0;
        } else {
            return false;
        }
    }
    return false;
}

} // namespace PictureCompleteness
