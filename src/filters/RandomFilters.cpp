#include "filters/FilterArithmetic.h"
#include "filters/FilterRoutines.h"
#include "filters/UniformRandom.h"

#include <cstdint>

// Filters that draw on the program-wide random generator; each run continues its sequence.

void FilterDefuse(const FilterPixels &pixels, int spread)
{
    UniformRandom &random = ProgramRandom();
    const double a = spread;
    const double f = RoundHalfEven(a / 2);
    const std::int64_t width = pixels.width;
    const std::int64_t height = pixels.height;
    for (std::int64_t y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<quint32 *>(pixels.pixelRow(int(y)));
        for (std::int64_t x = 0; x < width; ++x) {
            std::int64_t dx = std::int64_t(RoundHalfEven(a * random.next() - f));
            std::int64_t dy = std::int64_t(RoundHalfEven(a * random.next() - f));
            if (x + dx < 0 || x + dx >= width)
                dx = 0;
            if (y + dy < 0 || y + dy >= height)
                dy = 0;
            // In place: pixels above and to the left may already have been moved.
            const quint32 from = reinterpret_cast<const quint32 *>(pixels.pixelRow(int(y + dy)))[x + dx];
            row[x] = (row[x] & 0xFF000000u) | (from & 0x00FFFFFFu);
        }
        RowDone(pixels);
    }
}

void FilterAddNoise(const FilterPixels &pixels, int amplitude)
{
    UniformRandom &random = ProgramRandom();
    const double a = amplitude;
    const double range = 2 * a + 1;
    const int rowEnd = 4 * pixels.width;
    for (int y = 0; y < pixels.height; ++y) {
        const uchar *source = pixels.sourceRow(y);
        uchar *target = pixels.pixelRow(y);
        for (int pixel = 0; pixel < rowEnd; pixel += 4) {
            for (int i = pixel; i < pixel + 3; ++i) {
                const double v = double(random.next()) * range - a + source[i];
                target[i] = uchar(ClampToByte(RoundWithin(v, -1.0, 256.0)));
            }
        }
        RowDone(pixels);
    }
}
