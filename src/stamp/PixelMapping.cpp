#include "stamp/PixelMapping.h"

#include <algorithm>

std::vector<int> PixelMapping::table(int first, int count, int sourceLength) const
{
    std::vector<int> sources(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        sources[size_t(i)] = std::min(source(first + i), sourceLength - 1);
    return sources;
}
