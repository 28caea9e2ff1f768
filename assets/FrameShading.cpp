#include "assets/PictureMakers.h"
#include "assets/StampFrameStyles.h"

#include <cstdlib>
#include <vector>

namespace {

// Smoothing leaves a faint trace a pixel beyond a line; such pixels are inside.
bool nearlyInside(QRgb c)
{
    const QRgb inside = PictureMakers::frameInside;
    return std::abs(qRed(c) - qRed(inside)) <= 3 && std::abs(qGreen(c) - qGreen(inside)) <= 3 &&
           std::abs(qBlue(c) - qBlue(inside)) <= 3;
}

} // namespace

namespace StampFrameStyles {

void shadeAlongLine(QImage &image, std::initializer_list<QRgb> bands, int scale)
{
    const int width = image.width();
    const int height = image.height();
    auto *const pixels = reinterpret_cast<QRgb *>(image.bits());
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    const auto pixel = [&](int x, int y) -> QRgb & { return pixels[y * stride + x]; };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (nearlyInside(pixel(x, y)))
                pixel(x, y) = PictureMakers::frameInside;

    const auto isInside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && pixel(x, y) == PictureMakers::frameInside;
    };
    // Decides the whole ring before tinting any of it, so it stays one pixel wide.
    const auto tintRing = [&](QRgb band) {
        std::vector<QPoint> rim;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (!isInside(x, y))
                    continue;
                bool touchesOther = false;
                for (int dy = -1; dy <= 1 && !touchesOther; ++dy)
                    for (int dx = -1; dx <= 1 && !touchesOther; ++dx)
                        touchesOther = !isInside(x + dx, y + dy);
                if (touchesOther)
                    rim.push_back({x, y});
            }
        for (QPoint at : rim)
            pixel(at.x(), at.y()) = band;
    };
    for (QRgb band : bands)
        for (int ring = 0; ring < scale; ++ring)
            tintRing(band);
}

} // namespace StampFrameStyles
