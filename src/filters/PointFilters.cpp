#include "filters/FilterArithmetic.h"
#include "filters/FilterRoutines.h"
#include "filters/LevelTable.h"

#include <algorithm>
#include <array>
#include <vector>

// The point filters look at whole 32-bit pixels: blue in bits 0..7, green 8..15,
// red 16..23 and the fourth byte, which they keep, in 24..31.
namespace {
constexpr quint32 FourthByte = 0xFF000000u;

inline int Blue(quint32 p) { return int(p & 0xFF); }
inline int Green(quint32 p) { return int((p >> 8) & 0xFF); }
inline int Red(quint32 p) { return int((p >> 16) & 0xFF); }
inline quint32 Pixel(quint32 fourth, int blue, int green, int red)
{
    return (fourth & FourthByte) | quint32(red) << 16 | quint32(green) << 8 | quint32(blue);
}

quint32 *PixelRow(const FilterPixels &pixels, int y) { return reinterpret_cast<quint32 *>(pixels.pixelRow(y)); }
const quint32 *SourceRow(const FilterPixels &pixels, int y)
{
    return reinterpret_cast<const quint32 *>(pixels.sourceRow(y));
}

// Every channel through one curve of 256 entries, from SourcePixels.
void MapChannels(const FilterPixels &pixels, const std::array<quint8, 256> &curve)
{
    for (int y = 0; y < pixels.height; ++y) {
        const quint32 *source = SourceRow(pixels, y);
        quint32 *target = PixelRow(pixels, y);
        for (int x = 0; x < pixels.width; ++x) {
            const quint32 s = source[x];
            target[x] = Pixel(target[x], curve[Blue(s)], curve[Green(s)], curve[Red(s)]);
        }
        RowDone(pixels);
    }
}

// The brightness curve lives in LevelTable; a byte copy of it keeps the lookups in cache.
std::array<quint8, 256> LevelTableAsCurve()
{
    std::array<quint8, 256> curve{};
    for (int i = 0; i < 256; ++i)
        curve[i] = quint8(LevelTable[i]);
    return curve;
}

// (p + 100) / 100 held in single precision; p + 100 cannot overflow in double.
float PercentageFactor(int percentage)
{
    return float((double(percentage) + 100.0) / 100.0);
}

// Brings one channel into range and returns the half of its overshoot that goes to each
// of the other two.
inline std::int64_t Settle(std::int64_t &v)
{
    const std::int64_t half = v < 0 ? v / 2 : v > 255 ? (v - 255) / 2 : 0;
    v = v < 0 ? 0 : v > 255 ? 255 : v;
    return half;
}

// One round of FitToRange for a colour with a channel out of range, written without
// branches (which channels overshoot is unpredictable from pixel to pixel). True when
// the colour is in range afterwards, as it nearly always is.
bool SettleOnce(std::int64_t &b1, std::int64_t &b2, std::int64_t &b3)
{
    const bool allLow = (b1 <= 0) & (b2 <= 0) & (b3 <= 0);
    const bool allHigh = (b1 >= 255) & (b2 >= 255) & (b3 >= 255);
    std::int64_t half = Settle(b1);
    b2 += half;
    b3 += half;
    half = Settle(b2);
    b1 += half;
    b3 += half;
    half = Settle(b3);
    b1 += half;
    b2 += half;
    const std::int64_t whole = allLow ? 0 : 255;
    b1 = (allLow | allHigh) ? whole : b1;
    b2 = (allLow | allHigh) ? whole : b2;
    b3 = (allLow | allHigh) ? whole : b3;
    return quint64(b1 | b2 | b3) <= 255;
}
} // namespace

void FilterNegative(const FilterPixels &pixels)
{
    for (int y = 0; y < pixels.height; ++y) {
        quint32 *row = PixelRow(pixels, y);
        for (int x = 0; x < pixels.width; ++x)
            row[x] ^= 0x00FFFFFFu; // 255 - v for each of blue, green and red
        RowDone(pixels);
    }
}

void FilterGrayscale(const FilterPixels &pixels)
{
    FillLevelTableWithThirds();
    for (int y = 0; y < pixels.height; ++y) {
        quint32 *row = PixelRow(pixels, y);
        for (int x = 0; x < pixels.width; ++x) {
            const quint32 p = row[x];
            const int grey = LevelTable[Blue(p) + Green(p) + Red(p)];
            row[x] = Pixel(p, grey, grey, grey);
        }
        RowDone(pixels);
    }
}

void FilterBrightness(const FilterPixels &pixels, int percentage)
{
    const double factor = PercentageFactor(percentage);
    for (int i = 0; i < 256; ++i)
        LevelTable[i] = ClampToByte(RoundWithin(factor * i, -1.0, 256.0));
    MapChannels(pixels, LevelTableAsCurve());
}

void FilterContrast(const FilterPixels &pixels, int percentage)
{
    // The mean grey: the grey of a pixel is a third of its channel sum, truncated (what
    // LevelTable holds for the other grey filters), here computed so that it vectorises.
    std::int64_t greySum = 0;
    for (int y = 0; y < pixels.height; ++y) {
        const quint32 *row = SourceRow(pixels, y);
        for (int x = 0; x < pixels.width; ++x)
            greySum += quint32(Blue(row[x]) + Green(row[x]) + Red(row[x])) / 3;
        RowDone(pixels);
    }
    const std::int64_t mean = greySum / std::int64_t(pixels.pixelCount());

    // The curve is not clamped: FitToRange balances what falls outside 0..255. Entries
    // are held within +-2^30 so that absurd percentages cannot overflow.
    const double factor = PercentageFactor(percentage);
    for (int k = 0; k < 256; ++k)
        LevelTable[k] = std::int32_t(RoundWithin(factor * double(k - mean) + double(mean), -1073741824.0, 1073741824.0));

    // A colour with one channel out of range ends, in nearly every case, after one round
    // of FitToRange: that channel brought into range, the other two each given half its
    // overshoot. Per curve entry, `fitted` and `half` hold those two parts, so such a
    // colour needs no branch. Colours with two channels out of range, or whose halves push
    // another channel out, go through FitToRange itself once the row is mapped.
    std::array<std::int32_t, 256> curve, fitted, half, outside;
    for (int k = 0; k < 256; ++k) {
        std::int64_t v = curve[k] = LevelTable[k];
        half[k] = std::int32_t(Settle(v));
        fitted[k] = std::int32_t(v);
        outside[k] = curve[k] != fitted[k];
    }
    std::vector<int> unsettled(std::size_t(pixels.width) + 1);
    for (int y = 0; y < pixels.height; ++y) {
        const quint32 *source = SourceRow(pixels, y);
        quint32 *target = PixelRow(pixels, y);
        std::size_t count = 0;
        for (int x = 0; x < pixels.width; ++x) {
            const quint32 s = source[x];
            const int k1 = Blue(s), k2 = Green(s), k3 = Red(s);
            const std::int32_t b1 = fitted[k1] + half[k2] + half[k3];
            const std::int32_t b2 = fitted[k2] + half[k1] + half[k3];
            const std::int32_t b3 = fitted[k3] + half[k1] + half[k2];
            target[x] = Pixel(target[x], b1 & 0xFF, b2 & 0xFF, b3 & 0xFF);
            unsettled[count] = x;
            // (a negative channel sets the high bits of the or)
            count += (outside[k1] + outside[k2] + outside[k3] > 1) | (quint32(b1 | b2 | b3) > 255);
        }
        for (std::size_t i = 0; i < count; ++i) {
            const int x = unsettled[i];
            const quint32 s = source[x];
            std::int64_t b1 = curve[Blue(s)], b2 = curve[Green(s)], b3 = curve[Red(s)];
            if (!SettleOnce(b1, b2, b3)) // rarely: the halves pushed another channel out
                FitToRange(b1, b2, b3);
            target[x] = Pixel(target[x], int(b1), int(b2), int(b3));
        }
        RowDone(pixels);
    }
}

void FitToRange(std::int64_t &b1, std::int64_t &b2, std::int64_t &b3)
{
    while (quint64(b1 | b2 | b3) > 255)
        SettleOnce(b1, b2, b3);
}

void FilterSwapColors(const FilterPixels &pixels, int permutation)
{
    if (permutation < 1 || permutation > 5)
        return;
    for (int y = 0; y < pixels.height; ++y) {
        const quint32 *source = SourceRow(pixels, y);
        quint32 *target = PixelRow(pixels, y);
        for (int x = 0; x < pixels.width; ++x) {
            const quint32 s = source[x];
            const int b = Blue(s), g = Green(s), r = Red(s);
            switch (permutation) { // new blue, green, red
            case 1: target[x] = Pixel(target[x], g, r, b); break;
            case 2: target[x] = Pixel(target[x], r, b, g); break;
            case 3: target[x] = Pixel(target[x], g, b, r); break;
            case 4: target[x] = Pixel(target[x], r, g, b); break;
            case 5: target[x] = Pixel(target[x], b, r, g); break;
            }
        }
        RowDone(pixels);
    }
}
