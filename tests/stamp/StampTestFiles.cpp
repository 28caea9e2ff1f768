#include "StampTestFiles.h"

#include "support/WmfWriter.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageWriter>
#include <QPainter>
#include <cstring>
#include <libheif/heif.h>

namespace {

void put16(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void put32(QByteArray &b, quint32 v)
{
    put16(b, int(v & 0xFFFF));
    put16(b, int(v >> 16));
}

// GIF picture data without compression: 9-bit codes, a clear code before every run of
// 100 pixels so that the code width never grows.
QByteArray gifPixelData(const QImage &frame, const QHash<QRgb, int> &palette)
{
    QByteArray packed;
    quint32 bits = 0;
    int bitCount = 0;
    const auto code = [&](int value) {
        bits |= quint32(value) << bitCount;
        bitCount += 9;
        while (bitCount >= 8) {
            packed.append(char(bits & 0xFF));
            bits >>= 8;
            bitCount -= 8;
        }
    };
    int sinceClear = 0;
    code(256);
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            if (sinceClear == 100) {
                code(256);
                sinceClear = 0;
            }
            code(palette.value(frame.pixel(x, y) | 0xFF000000u));
            ++sinceClear;
        }
    }
    code(257);
    if (bitCount > 0)
        packed.append(char(bits & 0xFF));

    QByteArray blocks;
    blocks.append(char(8)); // minimum code size
    for (qsizetype i = 0; i < packed.size(); i += 255) {
        const QByteArray chunk = packed.mid(i, 255);
        blocks.append(char(chunk.size()));
        blocks.append(chunk);
    }
    blocks.append(char(0));
    return blocks;
}

// A red rectangle without outline, 10,10 to 60,40.
WmfWriter redRectangle()
{
    WmfWriter w;
    w.brush(Qt::red).nullPen().rectangle(10, 10, 60, 40);
    return w;
}

} // namespace

namespace StampTestFiles {

QImage redLeftBlueRight(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, width / 2, height, Qt::red);
    return image;
}

QRgb numberedPixel(int x, int y)
{
    return qRgb(x & 0xFF, y & 0xFF, (x >> 8) << 4 | (y >> 8));
}

QPoint numberedOrigin(QRgb pixel)
{
    return {qRed(pixel) | (qBlue(pixel) >> 4) << 8, qGreen(pixel) | (qBlue(pixel) & 15) << 8};
}

QImage placed(const QImage &whole, const QRect &rect)
{
    QImage out(rect.size(), QImage::Format_RGB32);
    for (int y = 0; y < rect.height(); ++y)
        for (int x = 0; x < rect.width(); ++x) {
            const QPoint p = rect.topLeft() + QPoint(x, y);
            out.setPixel(x, y, whole.rect().contains(p) ? whole.pixel(p) : ViewBackdrop);
        }
    return out;
}

bool frameAround(const QImage &stamp, const QImage &frame, const QRect &window)
{
    if (stamp.size() != frame.size())
        return false;
    for (int y = 0; y < stamp.height(); ++y)
        for (int x = 0; x < stamp.width(); ++x)
            if (!window.contains(x, y) && stamp.pixel(x, y) != frame.pixel(x, y))
                return false;
    return true;
}

QImage numbered(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, numberedPixel(x, y));
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.write(image);
    return bytes;
}

QByteArray withPngSize(QByteArray png, quint32 width, quint32 height)
{
    // IHDR: length at 8, type at 12, width at 16, height at 20, checksum at 29.
    const auto putBigEndian = [&png](int offset, quint32 v) {
        for (int i = 0; i < 4; ++i)
            png[offset + i] = char((v >> (24 - 8 * i)) & 0xFF);
    };
    putBigEndian(16, width);
    putBigEndian(20, height);
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 12; i < 29; ++i) {
        crc ^= uchar(png[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    putBigEndian(29, ~crc);
    return png;
}

QByteArray gif(const QList<QImage> &frames)
{
    QHash<QRgb, int> palette;
    QByteArray table(256 * 3, '\0');
    for (const QImage &frame : frames)
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb c = frame.pixel(x, y) | 0xFF000000u;
                if (!palette.contains(c)) {
                    if (palette.size() == 256)
                        return {};
                    const int index = int(palette.size());
                    palette.insert(c, index);
                    table[index * 3] = char(qRed(c));
                    table[index * 3 + 1] = char(qGreen(c));
                    table[index * 3 + 2] = char(qBlue(c));
                }
            }
    QByteArray out("GIF89a");
    put16(out, frames.first().width());
    put16(out, frames.first().height());
    out.append(char(0xF7)); // global table of 256 colours
    out.append(char(0));
    out.append(char(0));
    out.append(table);
    for (const QImage &frame : frames) {
        out.append(char(0x2C));
        put16(out, 0);
        put16(out, 0);
        put16(out, frame.width());
        put16(out, frame.height());
        out.append(char(0));
        out.append(gifPixelData(frame, palette));
    }
    out.append(char(0x3B));
    return out;
}

QByteArray withExifOrientation(const QByteArray &jpeg, int orientation)
{
    QByteArray tiff("II*\0", 4);
    put32(tiff, 8); // first directory
    put16(tiff, 1); // one entry
    put16(tiff, 0x0112);
    put16(tiff, 3); // SHORT
    put32(tiff, 1);
    put16(tiff, orientation);
    put16(tiff, 0);
    put32(tiff, 0); // no next directory
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    const int length = int(payload.size()) + 2;
    segment.append(char(length >> 8));
    segment.append(char(length & 0xFF));
    segment.append(payload);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QByteArray webp(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "webp");
    writer.setQuality(100); // lossless in Qt's WebP writer
    writer.write(image);
    return bytes;
}

QByteArray tiff(const QImage &image, int turn)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    writer.setTransformation(QImageIOHandler::Transformations(turn));
    writer.write(image);
    return bytes;
}

// x265 keeps a few kilobytes of its own for the whole run after an encoder is released;
// only the tests encode, so only they tell the leak checker to pass over it.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libx265.so\n";
}

QByteArray heic(const QImage &image, int orientation)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    heif_image *picture = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &picture);
    heif_image_add_plane(picture, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t *plane = heif_image_get_plane(picture, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(plane + y * stride, rgb.constScanLine(y), size_t(rgb.width()) * 3);

    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_encoder_set_lossy_quality(encoder, 95);
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(orientation);
    heif_context_encode_image(context, picture, encoder, options, nullptr);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_image_release(picture);

    QByteArray bytes;
    heif_writer writer{};
    writer.writer_api_version = 1;
    writer.write = [](heif_context *, const void *data, size_t size, void *out) {
        static_cast<QByteArray *>(out)->append(static_cast<const char *>(data), qsizetype(size));
        return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
    };
    heif_context_write(context, &writer, &bytes);
    heif_context_free(context);
    return bytes;
}

QByteArray placeableWmf(int unitsPerInch, int width, int height)
{
    return redRectangle().placeable(QRect(0, 0, width, height), unitsPerInch);
}

QByteArray plainWmf()
{
    return redRectangle().plain();
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace StampTestFiles
