#pragma once

#include <QImage>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

// Picture comparisons for the print copies, independent of Qt's own scaling: a plain
// resample written out here, and the peak signal-to-noise ratio between two pictures.
namespace ImageCompare {

// Peak signal-to-noise ratio in dB over the three colour channels; infinity when equal,
// 0 when the sizes differ.
inline double psnr(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const double dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q), db = qBlue(p) - qBlue(q);
            sum += dr * dr + dg * dg + db * db;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse == 0 ? std::numeric_limits<double>::infinity() : 10 * std::log10(255.0 * 255.0 / mse);
}

// The extent of the dark pixels (grey below 128) inside a rectangle of a picture.
inline QRect darkExtent(const QImage &image, const QRect &within)
{
    QRect extent;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                extent |= QRect(x, y, 1, 1);
    return extent;
}

namespace detail {
// Weights of source pixels for each destination pixel along one axis: the area each
// source pixel covers of the destination's footprint when reducing, linear
// interpolation between the two nearest centres when enlarging.
struct Tap {
    int index;
    double weight;
};
inline std::vector<std::vector<Tap>> taps(double start, double length, int count, int sourceLength)
{
    std::vector<std::vector<Tap>> all(static_cast<size_t>(count));
    const double step = length / count;
    for (int i = 0; i < count; ++i) {
        const double a = start + i * step, b = a + step;
        auto &row = all[size_t(i)];
        if (step >= 1) {
            for (int k = int(std::floor(a)); k < int(std::ceil(b)); ++k) {
                const double w = std::min(b, k + 1.0) - std::max(a, double(k));
                if (w > 0)
                    row.push_back({std::clamp(k, 0, sourceLength - 1), w / step});
            }
        } else {
            const double c = (a + b) / 2 - 0.5;
            const int k = int(std::floor(c));
            const double f = c - k;
            row.push_back({std::clamp(k, 0, sourceLength - 1), 1 - f});
            row.push_back({std::clamp(k + 1, 0, sourceLength - 1), f});
        }
    }
    return all;
}
} // namespace detail

// The region of the source resampled to size, straight from the source's pixels.
inline QImage resample(const QImage &source, const QRectF &region, QSize size)
{
    const auto across = detail::taps(region.x(), region.width(), size.width(), source.width());
    const auto down = detail::taps(region.y(), region.height(), size.height(), source.height());
    QImage out(size, QImage::Format_RGB32);
    std::vector<double> rows(size_t(size.width()) * 3);
    for (int y = 0; y < size.height(); ++y) {
        std::fill(rows.begin(), rows.end(), 0.0);
        for (const auto &v : down[size_t(y)]) {
            const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(v.index));
            for (int x = 0; x < size.width(); ++x)
                for (const auto &h : across[size_t(x)]) {
                    const QRgb p = line[h.index];
                    const double w = v.weight * h.weight;
                    rows[size_t(x) * 3] += w * qRed(p);
                    rows[size_t(x) * 3 + 1] += w * qGreen(p);
                    rows[size_t(x) * 3 + 2] += w * qBlue(p);
                }
        }
        for (int x = 0; x < size.width(); ++x)
            out.setPixel(x, y, qRgb(int(std::lround(rows[size_t(x) * 3])), int(std::lround(rows[size_t(x) * 3 + 1])),
                                    int(std::lround(rows[size_t(x) * 3 + 2]))));
    }
    return out;
}

// How many pixels of row y are solid black (grey below 16): a line drawn sharp at print
// scale is that many pixels wide; enlarged from the screen it turns grey at its edges.
inline int solidBlackInRow(const QImage &image, int y)
{
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += qGray(image.pixel(x, y)) < 16;
    return n;
}

// A photo-like test picture with detail finer than the screen card can show: slow
// colour ramps with ripples a few print pixels long, so that a picture made from the
// screen copy loses them and one made from the source keeps them.
inline QImage detailedPhoto(int width, int height, double ripple = 14.0)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double r = 128 + 60 * std::sin(x / ripple) + 40.0 * x / width;
            const double g = 128 + 60 * std::sin(y / (ripple * 1.3)) - 40.0 * y / height;
            const double b = 128 + 50 * std::sin((x + y) / (ripple * 1.7));
            line[x] = qRgb(int(r), int(g), int(b));
        }
    }
    return image;
}

} // namespace ImageCompare
