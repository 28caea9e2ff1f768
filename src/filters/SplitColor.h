#pragma once

#include <cstdint>

// Splits a 32-bit colour value whose lowest byte is red, second byte green and third
// byte blue; the highest byte is ignored.
inline void SplitColor(std::int32_t colour, int &red, int &green, int &blue)
{
    const auto bits = std::uint32_t(colour);
    red = int(bits & 0xFF);
    green = int((bits >> 8) & 0xFF);
    blue = int((bits >> 16) & 0xFF);
}
