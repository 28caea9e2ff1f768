#include "filters/LevelTable.h"

std::array<std::int32_t, 766> LevelTable{};

void FillLevelTableWithThirds()
{
    for (int i = 0; i < int(LevelTable.size()); ++i)
        LevelTable[i] = i / 3;
}
