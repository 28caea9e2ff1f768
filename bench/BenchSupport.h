#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

// What the benchmarks share: test pictures that compress and decode about as a camera
// photo does, and timings reduced to their median, so that every benchmark measures
// with the same pictures and reads its figures the same way.
namespace Bench {

// Smooth shapes with grain. `shapeSize` stretches the shapes: 1 suits a card-sized
// picture, 10 a camera photo of thousands of pixels. The same seed gives the same picture.
inline QImage photo(int width, int height, quint32 seed = 7, double shapeSize = 1)
{
    const double fx = 0.031 / shapeSize, fy = 0.017 / shapeSize, fxy = 0.023 / shapeSize;
    const double gx = 0.011 / shapeSize, gy = 0.029 / shapeSize;
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = int(random.bounded(40)) - 20;
            const int r = int(128 + 90 * std::sin(x * fx) * std::cos(y * fy)) + grain;
            const int g = int(128 + 80 * std::sin((x + y) * fxy)) + grain;
            const int b = int(128 + 70 * std::cos(x * gx - y * gy)) + grain;
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

// A picture whose pixels `colour(x, y, noise)` gives, `noise` being the next number of
// a fixed pseudo-random sequence taken row by row: every run draws the same picture.
template <typename Colour>
QImage noisyPicture(int width, int height, Colour colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 noise = 12345;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            row[x] = colour(x, y, noise);
        }
    }
    return image;
}

// Writes the picture into the folder as a JPEG of quality 90, as a camera stores a
// photo; a benchmark without its photo cannot go on.
inline QString writeJpeg(const QTemporaryDir &dir, const QString &name, const QImage &image)
{
    const QString path = dir.filePath(name);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image))
        qFatal("cannot write the test photo");
    return path;
}

inline double elapsedMs(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timings {
    double median;
    double worst;
};

// `runs` timings of `work` in milliseconds; `prepare` runs untimed before each run and
// `settle` untimed after it, so that neither counts.
inline Timings timeMs(int runs, const std::function<void()> &work, const std::function<void()> &prepare = {},
                      const std::function<void()> &settle = {})
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        timer.start();
        work();
        times.push_back(elapsedMs(timer));
        if (settle)
            settle();
    }
    return {median(times), *std::max_element(times.begin(), times.end())};
}

} // namespace Bench
