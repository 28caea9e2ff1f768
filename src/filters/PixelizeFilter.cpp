#include "filters/FilterRoutines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

// Squares of a x a pixels from the top left corner, each taking its mean colour; the
// squares at the right and bottom edges average only their own pixels. All rows of a
// band of squares get the same means, so they are computed once, at the band's first row.
namespace {
using ChannelSums = std::array<std::int64_t, 3>;

// Means of every square in the band of rows [top, bottom), one per square.
std::vector<quint32> BandMeans(const FilterPixels &pixels, int blockSize, int top, int bottom)
{
    std::vector<ChannelSums> columnSums(pixels.width, ChannelSums{});
    for (int y = top; y < bottom; ++y) {
        const uchar *row = pixels.sourceRow(y);
        for (int x = 0; x < pixels.width; ++x)
            for (int c = 0; c < 3; ++c)
                columnSums[x][c] += row[4 * x + c];
    }
    std::vector<quint32> means;
    for (int left = 0; left < pixels.width; left += blockSize) {
        const int right = std::min(left + blockSize, pixels.width);
        ChannelSums sum{};
        for (int x = left; x < right; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] += columnSums[x][c];
        const std::int64_t count = std::int64_t(right - left) * (bottom - top);
        means.push_back(quint32(sum[2] / count) << 16 | quint32(sum[1] / count) << 8 | quint32(sum[0] / count));
    }
    return means;
}
} // namespace

void FilterPixelize(const FilterPixels &pixels, int blockSize)
{
    if (blockSize < 1)
        return;
    // A square larger than the picture covers it whole, as one of exactly its size does.
    blockSize = std::min(blockSize, std::max(pixels.width, pixels.height));
    std::vector<quint32> means;
    for (int y = 0; y < pixels.height; ++y) {
        if (y % blockSize == 0)
            means = BandMeans(pixels, blockSize, y, std::min(y + blockSize, pixels.height));
        auto *row = reinterpret_cast<quint32 *>(pixels.pixelRow(y));
        for (int x = 0; x < pixels.width; ++x)
            row[x] = (row[x] & 0xFF000000u) | means[x / blockSize];
        RowDone(pixels);
    }
}
