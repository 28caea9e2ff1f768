#pragma once

#include "stamp/PixelMapping.h"

#include <QSize>
#include <algorithm>
#include <array>

// The twelve levels of the "Zoom" menu. A level's index is the zoom factor in tenths:
// `SizeProcent(15)` is 150 %.
namespace ZoomLevels {

constexpr std::array<int, 12> Indexes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20};
constexpr int Actual = 10;

constexpr bool isLevel(int index)
{
    return std::find(Indexes.begin(), Indexes.end(), index) != Indexes.end();
}

// The zoomed picture measures W * index / 10 by H * index / 10; its whole pixels are
// those the fraction covers, and never fewer than one.
inline QSize zoomedSize(QSize picture, int index)
{
    return {std::max(1, int(qint64(picture.width()) * index / 10)),
            std::max(1, int(qint64(picture.height()) * index / 10))};
}

// Which picture pixel a zoomed pixel shows.
inline PixelMapping mapping(int index) { return PixelMapping(10, index); }

} // namespace ZoomLevels
