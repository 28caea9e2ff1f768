#include "filters/FilterArithmetic.h"
#include "filters/FilterRoutines.h"
#include "filters/SplitColor.h"

#include <cstdint>

// Filters over the 3 x 3 window around each pixel, visiting every pixel but the outer
// ring. Byte offsets: a pixel is 4 bytes, so its left neighbour's channel is 4 back.
namespace {
// Sum of one channel over the eight neighbours; i is the channel's byte in the row.
inline int NeighbourSum(const uchar *up, const uchar *row, const uchar *down, int i)
{
    return up[i - 4] + up[i] + up[i + 4] + row[i - 4] + row[i + 4] + down[i - 4] + down[i] + down[i + 4];
}

// Sharpen, blur and edge read their neighbours from PixelData while they write it:
// the row above and the pixel to the left already hold filtered values. The three
// channels of a pixel never mix, so each channel can be written as soon as it is known.
template <typename Compute>
void FilterInPlace(const FilterPixels &pixels, Compute compute)
{
    const int lastByte = 4 * (pixels.width - 1);
    for (int y = 1; y < pixels.height - 1; ++y) {
        const uchar *up = pixels.pixelRow(y - 1);
        uchar *row = pixels.pixelRow(y);
        const uchar *down = pixels.pixelRow(y + 1);
        for (int pixel = 4; pixel < lastByte; pixel += 4) {
            for (int i = pixel; i < pixel + 3; ++i)
                row[i] = uchar(compute(row[i], NeighbourSum(up, row, down, i)));
        }
        RowDone(pixels);
    }
}

// Contour and relief read SourcePixels only; channel (i & 3) is 0 blue, 1 green, 2 red.
template <typename Compute>
void FilterFromSource(const FilterPixels &pixels, Compute compute)
{
    const int lastByte = 4 * (pixels.width - 1);
    for (int y = 1; y < pixels.height - 1; ++y) {
        const uchar *up = pixels.sourceRow(y - 1);
        const uchar *row = pixels.sourceRow(y);
        const uchar *down = pixels.sourceRow(y + 1);
        uchar *target = pixels.pixelRow(y);
        for (int pixel = 4; pixel < lastByte; pixel += 4) {
            for (int i = pixel; i < pixel + 3; ++i)
                target[i] = uchar(compute(up, row, down, i));
        }
        RowDone(pixels);
    }
}

// Sharpen and edge: (centreWeight x C - neighbourWeight x N8) \ divisor, clamped. In
// 64 bits, so that any strength the batch tool is given stays exact; a divisor of 0
// leaves the picture as it is.
void FilterWeightedCentre(const FilterPixels &pixels, std::int64_t centreWeight, int neighbourWeight,
                          std::int64_t divisor)
{
    if (divisor == 0)
        return;
    FilterInPlace(pixels, [=](int centre, int neighbours) {
        return ClampToByte((centreWeight * centre - neighbourWeight * neighbours) / divisor);
    });
}
} // namespace

void FilterSharpen(const FilterPixels &pixels, int strength)
{
    FilterWeightedCentre(pixels, std::int64_t(strength) + 24, 2, std::int64_t(strength) + 8);
}

void FilterBlur(const FilterPixels &pixels)
{
    FilterInPlace(pixels, [](int, int neighbours) { return neighbours / 8; });
}

void FilterEdge(const FilterPixels &pixels, int strength)
{
    FilterWeightedCentre(pixels, std::int64_t(strength) + 9, 1, std::int64_t(strength) + 1);
}

void FilterContour(const FilterPixels &pixels, int baseColour)
{
    int red, green, blue;
    SplitColor(baseColour, red, green, blue);
    const int base[4] = {blue, green, red, 0};
    FilterFromSource(pixels, [&](const uchar *up, const uchar *row, const uchar *down, int i) {
        return ClampToByte(8 * row[i] - NeighbourSum(up, row, down, i) + base[i & 3]);
    });
}

void FilterRelief(const FilterPixels &pixels)
{
    // The light falls from the top left.
    FilterFromSource(pixels, [](const uchar *up, const uchar *row, const uchar *down, int i) {
        const int k = 2 * up[i - 4] + row[i - 4] + up[i] - down[i] - row[i + 4] - 2 * down[i + 4];
        return ClampToByte((k + row[i]) / 2 + 50);
    });
}
