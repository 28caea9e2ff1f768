#include "stamp/StretchCopy.h"

#include "stamp/PixelMapping.h"

#include <vector>

namespace {

// How one destination pixel along an axis draws on the source: source pixels
// first .. first + weights.size() - 1, each with a whole-number weight; the weights of
// a destination pixel add up to `total`.
struct Footprint {
    int first;
    std::vector<qint64> weights;
};

struct Axis {
    std::vector<Footprint> footprints;
    qint64 total = 1;
};

Axis nearestAxis(int sourceLength, int targetLength)
{
    const PixelMapping mapping(sourceLength, targetLength);
    Axis axis;
    for (int d = 0; d < targetLength; ++d)
        axis.footprints.push_back({mapping.source(d), {1}});
    return axis;
}

// Destination pixel d covers source span [d * s / t, (d + 1) * s / t). Measured in
// units of 1 / t source pixel, it is [d * s, (d + 1) * s) and source pixel i is
// [i * t, (i + 1) * t): the overlaps are whole numbers adding up to s.
Axis averagingAxis(int sourceLength, int targetLength)
{
    const qint64 s = sourceLength, t = targetLength;
    Axis axis;
    axis.total = s;
    for (qint64 d = 0; d < t; ++d) {
        const qint64 begin = d * s, end = (d + 1) * s;
        Footprint footprint{int(begin / t), {}};
        for (qint64 i = begin / t; i * t < end; ++i)
            footprint.weights.push_back(std::min(end, (i + 1) * t) - std::max(begin, i * t));
        axis.footprints.push_back(std::move(footprint));
    }
    return axis;
}

Axis axisFor(int sourceLength, int targetLength)
{
    return targetLength < sourceLength ? averagingAxis(sourceLength, targetLength)
                                       : nearestAxis(sourceLength, targetLength);
}

} // namespace

namespace StretchCopy {

QImage stretched(const QImage &source, QSize target)
{
    if (source.isNull() || target.isEmpty())
        return {};
    const QImage from = source.convertToFormat(QImage::Format_RGB32);
    QImage out(target, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    const Axis xs = axisFor(from.width(), target.width());
    const Axis ys = axisFor(from.height(), target.height());
    const qint64 total = xs.total * ys.total;

    for (int y = 0; y < target.height(); ++y) {
        const Footprint &fy = ys.footprints[size_t(y)];
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < target.width(); ++x) {
            const Footprint &fx = xs.footprints[size_t(x)];
            qint64 r = 0, g = 0, b = 0;
            for (size_t j = 0; j < fy.weights.size(); ++j) {
                const auto *row = reinterpret_cast<const QRgb *>(from.constScanLine(fy.first + int(j)));
                for (size_t i = 0; i < fx.weights.size(); ++i) {
                    const qint64 w = fy.weights[j] * fx.weights[i];
                    const QRgb p = row[fx.first + int(i)];
                    r += w * qRed(p);
                    g += w * qGreen(p);
                    b += w * qBlue(p);
                }
            }
            to[x] = qRgb(int((r + total / 2) / total), int((g + total / 2) / total),
                         int((b + total / 2) / total));
        }
    }
    return out;
}

} // namespace StretchCopy
