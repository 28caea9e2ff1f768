#pragma once

#include "core/GeneralValue.h"

#include <cstdint>

// Where the cards lie on the A4 sheet, in millimetres. The first five hold numbers at
// their defaults and the texts typed in the margins dialog once it was confirmed.
struct PrintSettings {
    GeneralValue PrintMarginA = 15;
    GeneralValue PrintMarginB = 23;
    GeneralValue CardWidthMm = 90;
    GeneralValue CardHeightMm = 50;
    GeneralValue PrintOffsetH = 0;
    int32_t PrintOffsetV = 0;
    uint8_t CardsPerSheet = 10;

    bool operator==(const PrintSettings &) const = default;
};

// The values a sheet can be laid out with, in millimetres; a value outside its range
// (a hand-edited settings file, a mistyped margin) counts as damaged and takes its
// default, so no card lies far off the page and every number stays printable.
namespace PrintSettingsRange {
constexpr double MinMarginOrGap = -50;
constexpr double MaxMarginOrGap = 300;
constexpr double MinCardSize = 10;
constexpr double MaxCardSize = 300;

// False for NaN too.
constexpr bool within(double value, double low, double high) { return value >= low && value <= high; }
} // namespace PrintSettingsRange
