#pragma once

#include "filters/Filters.h"

#include <QImage>
#include <initializer_list>
#include <vector>

// Small pictures for the filter tests, written down as grey values or whole pixels.
namespace TestPictures {

// A picture whose blue, green and red all hold the grey values given row by row.
inline QImage Grey(int width, int height, const std::vector<int> &values)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int v = values[std::size_t(y * width + x)];
            picture.setPixel(x, y, qRgb(v, v, v));
        }
    return picture;
}

inline QImage Uniform(int width, int height, QRgb pixel, QImage::Format format = QImage::Format_RGB32)
{
    QImage picture(width, height, format);
    picture.fill(pixel);
    return picture;
}

// The grey value (blue channel) of every pixel, row by row.
inline std::vector<int> GreyValues(const QImage &picture)
{
    std::vector<int> values;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            values.push_back(qBlue(picture.pixel(x, y)));
    return values;
}

// The grey values after filtering a grey picture.
inline std::vector<int> FilteredGreys(int code, int parameter, int width, int height, const std::vector<int> &greys)
{
    QImage picture = Grey(width, height, greys);
    ApplyFilter(code, picture, parameter);
    return GreyValues(picture);
}

// A picture of varied colours whose fourth bytes differ from pixel to pixel.
inline QImage Varied(int width, int height, unsigned seed = 1)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    unsigned state = seed;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<quint32 *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            row[x] = state;
        }
    }
    return picture;
}

inline std::vector<int> FourthBytes(const QImage &picture)
{
    std::vector<int> bytes;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            bytes.push_back(picture.constScanLine(y)[4 * x + 3]);
    return bytes;
}

} // namespace TestPictures
