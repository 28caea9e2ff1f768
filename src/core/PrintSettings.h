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
