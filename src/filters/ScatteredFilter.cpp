#include "filters/FilterArithmetic.h"
#include "filters/FilterRoutines.h"
#include "filters/LevelTable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

// A black-and-white halftone by error diffusion with the Stucki weights, the threshold
// being the picture's mean grey and the diffused error damped by the parameter.
namespace {
constexpr int SlotCount = 12;
using Shares = std::array<std::int32_t, SlotCount>;

// Slot order: this row x+1, x+2; next row x-2..x+2; the row after x-2..x+2.
constexpr std::array<int, SlotCount> StuckiWeight = {8, 4, 2, 4, 8, 4, 2, 1, 2, 4, 2, 1};

// The shares of every error -255..255, each truncated toward zero so that a negative
// error gives shares as large as the positive one.
std::vector<Shares> StuckiWeights()
{
    std::vector<Shares> weights(511);
    for (int e = -255; e <= 255; ++e)
        for (int slot = 0; slot < SlotCount; ++slot)
            weights[e + 255][slot] = StuckiWeight[slot] * e / 42;
    return weights;
}

inline int Grey(const uchar *pixel) { return LevelTable[pixel[0] + pixel[1] + pixel[2]]; }
} // namespace

void FilterScattered(const FilterPixels &pixels, int damping)
{
    if (damping == 0)
        return;
    FillLevelTableWithThirds();
    const std::vector<Shares> weights = StuckiWeights();

    std::int64_t greySum = 0;
    for (int y = 0; y < pixels.height; ++y) {
        const uchar *row = pixels.sourceRow(y);
        for (int x = 0; x < pixels.width; ++x)
            greySum += Grey(row + 4 * x);
        RowDone(pixels);
    }
    const std::int64_t mean = greySum / std::int64_t(pixels.pixelCount());

    // ErrorRows: this picture row, the next and the one after. The shares that reach one
    // accumulator have weights adding up to 42 / 42 of an error, so it stays within
    // -255..255 and its damped value can be looked up. Two spare columns on
    // either side take the shares that fall outside the picture, and the rows below
    // the last picture row are never read, so shares can be added without conditions.
    std::array<int, 511> damped;
    for (int e = -255; e <= 255; ++e)
        damped[e + 255] = e * 10 / damping;
    constexpr int Pad = 2;
    std::array<std::vector<std::int32_t>, 3> errorRows;
    for (auto &row : errorRows)
        row.assign(std::size_t(pixels.width) + 2 * Pad, 0);

    for (int y = 0; y < pixels.height; ++y) {
        const uchar *source = pixels.sourceRow(y);
        auto *target = reinterpret_cast<quint32 *>(pixels.pixelRow(y));
        std::int32_t *thisRow = errorRows[0].data() + Pad;
        std::int32_t *nextRow = errorRows[1].data() + Pad;
        std::int32_t *afterRow = errorRows[2].data() + Pad;
        for (int x = 0; x < pixels.width; ++x) {
            Q_ASSERT(thisRow[x] >= -255 && thisRow[x] <= 255);
            const int d = ClampToByte(Grey(source + 4 * x) + damped[thisRow[x] + 255]);
            const int o = d < mean ? 0 : 255;
            target[x] = (target[x] & 0xFF000000u) | (o ? 0x00FFFFFFu : 0u);
            const Shares &share = weights[d - o + 255];
            thisRow[x + 1] += share[0];
            thisRow[x + 2] += share[1];
            nextRow[x - 2] += share[2];
            nextRow[x - 1] += share[3];
            nextRow[x] += share[4];
            nextRow[x + 1] += share[5];
            nextRow[x + 2] += share[6];
            afterRow[x - 2] += share[7];
            afterRow[x - 1] += share[8];
            afterRow[x] += share[9];
            afterRow[x + 1] += share[10];
            afterRow[x + 2] += share[11];
        }
        std::rotate(errorRows.begin(), errorRows.begin() + 1, errorRows.end());
        std::fill(errorRows[2].begin(), errorRows[2].end(), 0);
        RowDone(pixels);
    }
}
