#include "filters/FilterRoutines.h"

#include <cstdlib>
#include <vector>

// Aquarel: a Kuwahara smoothing over the four 3 x 3 windows that have the pixel as a
// corner, spread measured as the sum of absolute deviations from the window's mean.
// Those four windows are the 3 x 3 boxes centred on the pixel's diagonal neighbours,
// so each box's mean and deviation is computed once (per channel byte) and shared by
// the four pixels that use it. Boxes are kept for three centre rows at a time.
namespace {
struct BoxRow {
    std::vector<uchar> mean;        // (sum of the nine values) \ 9
    std::vector<quint16> deviation; // sum of |value - mean|, at most 9 * 255
};

// Boxes centred on row `centre`, for every byte from 4 to the row's last pixel but
// one; the fourth bytes get boxes too, which are never used.
void ComputeBoxes(const FilterPixels &pixels, int centre, BoxRow &boxes)
{
    const uchar *r0 = pixels.sourceRow(centre - 1);
    const uchar *r1 = pixels.sourceRow(centre);
    const uchar *r2 = pixels.sourceRow(centre + 1);
    uchar *mean = boxes.mean.data();
    quint16 *deviation = boxes.deviation.data();
    const int end = 4 * (pixels.width - 1);
    for (int i = 4; i < end; ++i) {
        const int sum = r0[i - 4] + r0[i] + r0[i + 4] + r1[i - 4] + r1[i] + r1[i + 4] + r2[i - 4] + r2[i] + r2[i + 4];
        const int m = sum / 9;
        const int d = std::abs(r0[i - 4] - m) + std::abs(r0[i] - m) + std::abs(r0[i + 4] - m)
            + std::abs(r1[i - 4] - m) + std::abs(r1[i] - m) + std::abs(r1[i + 4] - m)
            + std::abs(r2[i - 4] - m) + std::abs(r2[i] - m) + std::abs(r2[i + 4] - m);
        mean[i] = uchar(m);
        deviation[i] = quint16(d);
    }
}

// Per byte, the mean of the window with the smallest deviation; on equal deviations
// the earlier window (upper left, upper right, lower left, lower right) wins.
void ChooseWindows(const BoxRow &above, const BoxRow &below, int width, uchar *result)
{
    const uchar *meanAbove = above.mean.data();
    const uchar *meanBelow = below.mean.data();
    const quint16 *devAbove = above.deviation.data();
    const quint16 *devBelow = below.deviation.data();
    const int end = 4 * (width - 2);
    // Selections instead of branches, so that the loop runs on vectors: which window
    // wins is unpredictable from byte to byte.
    for (int i = 8; i < end; ++i) {
        const int d1 = devAbove[i - 4], d2 = devAbove[i + 4], d3 = devBelow[i - 4], d4 = devBelow[i + 4];
        const int m1 = meanAbove[i - 4], m2 = meanAbove[i + 4], m3 = meanBelow[i - 4], m4 = meanBelow[i + 4];
        const bool take2 = d2 < d1;
        int best = take2 ? d2 : d1;
        int mean = take2 ? m2 : m1;
        const bool take3 = d3 < best;
        best = take3 ? d3 : best;
        mean = take3 ? m3 : mean;
        mean = d4 < best ? m4 : mean;
        result[i] = uchar(mean);
    }
}
} // namespace

void FilterAquarel(const FilterPixels &pixels)
{
    if (pixels.width < 5 || pixels.height < 5)
        return;
    const std::size_t rowBytes = pixels.rowBytes();
    BoxRow boxes[3];
    for (BoxRow &row : boxes) {
        row.mean.resize(rowBytes);
        row.deviation.resize(rowBytes);
    }
    std::vector<quint32> result(pixels.width);
    uchar *resultBytes = reinterpret_cast<uchar *>(result.data());

    ComputeBoxes(pixels, 1, boxes[1 % 3]);
    ComputeBoxes(pixels, 2, boxes[2 % 3]);
    for (int y = 2; y < pixels.height - 2; ++y) {
        ComputeBoxes(pixels, y + 1, boxes[(y + 1) % 3]);
        ChooseWindows(boxes[(y - 1) % 3], boxes[(y + 1) % 3], pixels.width, resultBytes);
        auto *row = reinterpret_cast<quint32 *>(pixels.pixelRow(y));
        for (int x = 2; x < pixels.width - 2; ++x)
            row[x] = (row[x] & 0xFF000000u) | (result[x] & 0x00FFFFFFu);
        RowDone(pixels);
    }
}
