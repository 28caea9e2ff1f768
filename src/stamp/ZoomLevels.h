#pragma once

#include "stamp/PixelMapping.h"

#include <QSize>
#include <algorithm>
#include <array>

// The levels of the "Zoom" menu. A level's index is the zoom factor in tenths:
// `SizeProcent(15)` is 150 %. "Passend" (`ZoomPassend`) has no factor of its own: it
// takes whatever the photo and the view ask for to show the whole photo.
namespace ZoomLevels {

constexpr std::array<int, 12> Indexes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20};
constexpr int Actual = 10;
constexpr int Fit = 0;

constexpr bool isLevel(int index)
{
    return std::find(Indexes.begin(), Indexes.end(), index) != Indexes.end();
}

// Zoomed pixels per picture pixel, as a fraction of whole numbers so that a zoomed
// pixel's place in the picture never depends on how a fraction rounds.
struct Scale {
    qint64 num = 1;
    qint64 den = 1;
};

inline Scale scale(int index) { return {index, 10}; }

// The largest scale at which the whole picture fits the view: the tighter side sets it,
// and that side then measures exactly the view's.
inline Scale fitScale(QSize picture, QSize view)
{
    if (picture.isEmpty() || view.isEmpty())
        return {};
    if (qint64(view.width()) * picture.height() <= qint64(view.height()) * picture.width())
        return {view.width(), picture.width()};
    return {view.height(), picture.height()};
}

// The zoomed picture measures W * num / den by H * num / den; its whole pixels are
// those the fraction covers, and never fewer than one.
inline QSize zoomedSize(QSize picture, Scale s)
{
    return {int(std::max<qint64>(1, picture.width() * s.num / s.den)),
            int(std::max<qint64>(1, picture.height() * s.num / s.den))};
}
inline QSize zoomedSize(QSize picture, int index) { return zoomedSize(picture, scale(index)); }

// Which picture pixel a zoomed pixel shows.
inline PixelMapping mapping(Scale s) { return PixelMapping(s.den, s.num); }
inline PixelMapping mapping(int index) { return mapping(scale(index)); }

} // namespace ZoomLevels
