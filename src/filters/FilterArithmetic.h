#pragma once

#include <cstdint>

// The arithmetic every filter shares. C++'s / and % on integers already truncate toward
// zero and give the remainder the sign of the dividend, as the filters require.

// Brings a value into a colour channel's range 0..255.
template <typename Int>
constexpr int ClampToByte(Int v)
{
    return v < 0 ? 0 : v > 255 ? 255 : int(v);
}

// The nearest whole number, exact halves going to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2). Adding 1.5 * 2^52 leaves no room for fraction bits, so the
// addition itself rounds in the processor's default round-half-even mode. Valid for
// |v| < 2^51, far beyond any value a filter rounds. (Needs strict IEEE arithmetic:
// never build the filters with -ffast-math.)
inline double RoundHalfEven(double v)
{
    constexpr double shifter = 6755399441055744.0;
    return (v + shifter) - shifter;
}

// A rounded value kept within [low, high] before it is turned into a whole number,
// so that parameters far outside the menus' values cannot overflow.
inline std::int64_t RoundWithin(double v, double low, double high)
{
    const double rounded = RoundHalfEven(v);
    return std::int64_t(rounded < low ? low : rounded > high ? high : rounded);
}
