#pragma once

#include "core/GeneralValue.h"

#include <array>
#include <cstdint>

// One number of the sheet's layout, in millimetres: its default and the range it must
// lie in. A value outside its range (a hand-edited settings file, a mistyped margin)
// counts as damaged and takes the default, so no card lies far off the page and every
// number stays printable.
struct SheetSetting {
    double byDefault;
    double low;
    double high;

    // False for NaN too.
    constexpr bool accepts(double value) const { return value >= low && value <= high; }
};

// Each print setting's default and valid range, named once: the settings file, the
// margins dialog and the sheet printing works with all take them from here.
namespace SheetSettings {
constexpr double MinMarginOrGap = -50;
constexpr double MaxMarginOrGap = 300;
// A strip of a few millimetres is an odd card but a printable one; below a millimetre
// nothing on the card can be told apart.
constexpr double MinCardSize = 1;
constexpr double MaxCardSize = 300;

constexpr SheetSetting MarginA{15, MinMarginOrGap, MaxMarginOrGap};
constexpr SheetSetting MarginB{23, MinMarginOrGap, MaxMarginOrGap};
constexpr SheetSetting CardWidth{90, MinCardSize, MaxCardSize};
constexpr SheetSetting CardHeight{50, MinCardSize, MaxCardSize};
constexpr SheetSetting OffsetH{0, MinMarginOrGap, MaxMarginOrGap};
constexpr SheetSetting OffsetV{0, MinMarginOrGap, MaxMarginOrGap};

// The card counts a sheet is laid out for, in the order the margins dialog offers
// them; the first is the default.
constexpr std::array<int, 2> CardCounts{10, 8};

constexpr bool acceptsCardCount(int cards)
{
    for (int count : CardCounts)
        if (cards == count)
            return true;
    return false;
}
} // namespace SheetSettings

// Where the cards lie on the A4 sheet, in millimetres. The first five hold numbers at
// their defaults and the texts typed in the margins dialog once it was confirmed.
struct PrintSettings {
    GeneralValue PrintMarginA = SheetSettings::MarginA.byDefault;
    GeneralValue PrintMarginB = SheetSettings::MarginB.byDefault;
    GeneralValue CardWidthMm = SheetSettings::CardWidth.byDefault;
    GeneralValue CardHeightMm = SheetSettings::CardHeight.byDefault;
    GeneralValue PrintOffsetH = SheetSettings::OffsetH.byDefault;
    int32_t PrintOffsetV = int32_t(SheetSettings::OffsetV.byDefault);
    uint8_t CardsPerSheet = uint8_t(SheetSettings::CardCounts.front());

    bool operator==(const PrintSettings &) const = default;
};
