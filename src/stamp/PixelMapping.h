#pragma once

#include <QtGlobal>
#include <vector>

// The nearest-neighbour rule of every plain stretched copy (zoom, and an enlarged
// stamp crop): a destination pixel shows the source pixel under its centre. With
// `sourcePerDestination` = num / den source pixels per destination pixel, destination
// pixel d shows source pixel floor((d + 0.5) * num / den), worked out in whole numbers
// so that no rounding of a fraction such as 10 / 3 can shift a pixel.
class PixelMapping {
public:
    PixelMapping(qint64 num, qint64 den) : m_num(num), m_den(den) {}

    int source(int d) const { return int((2 * qint64(d) + 1) * m_num / (2 * m_den)); }

    // source(d) for d = first .. first + count - 1, kept below `sourceLength`.
    std::vector<int> table(int first, int count, int sourceLength) const;

private:
    qint64 m_num;
    qint64 m_den;
};
