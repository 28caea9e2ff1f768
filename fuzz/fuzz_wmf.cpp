// libFuzzer target: the metafile drawing layer on a data buffer, in process (libwmf's
// player with our QPainter layer), as the helper lumovander-wmf runs it. A small pixel
// budget keeps each run quick; the helper's own limits are tested in tests/stamp.
// Hangs inside libwmf's own reader show up as libFuzzer timeouts: in the program such
// a file ends at the helper's CPU limit as a bad picture.
#include "wmf/WmfDrawing.h"

#include <QByteArrayView>
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Text records need Qt's fonts, which need an application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    constexpr qint64 budget = qint64(1) << 22;
    const QImage image = WmfDrawing::draw(bytes, budget);
    if (!image.isNull() && (image.format() != QImage::Format_RGB32 || image.width() * qint64(image.height()) > budget))
        __builtin_trap();
    if (image.isNull())
        return 0;
    // Drawn again finer, as for paper: the scale and the crop come from the input's length,
    // so the bytes stay a metafile as they are.
    const int scale = 2 + int(size % 3);
    const QSize crop = size % 2 ? QSize() : QSize(image.width() / 2 + 1, image.height() / 2 + 1);
    const QImage finer = WmfDrawing::draw(bytes, scale, crop, budget);
    const QSize kept = crop.isEmpty() ? image.size() : crop.boundedTo(image.size());
    if (!finer.isNull() && (finer.format() != QImage::Format_RGB32 || finer.size() != kept * scale))
        __builtin_trap();
    return 0;
}
