#pragma once

#include <array>
#include <cstdint>

// The filters' lookup table, indexable by any sum blue + green + red of one pixel.
// It has no fixed contents: each filter fills the entries it reads at its start.
extern std::array<std::int32_t, 766> LevelTable;

// Entry i = i \ 3 for every index: the grey level of a channel sum.
void FillLevelTableWithThirds();
