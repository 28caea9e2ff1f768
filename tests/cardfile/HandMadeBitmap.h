#pragma once

#include <QByteArray>
#include <QColor>
#include <vector>

// A 24-bit Windows bitmap built byte by byte, as Windows programs write it: rows bottom
// up, blue-green-red, each row padded to four bytes. Independent of Qt's bitmap writer.
inline QByteArray handMadeBitmap(int width, int height, const std::vector<QColor> &topDownPixels)
{
    auto le = [](QByteArray &out, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += char((value >> (8 * i)) & 0xFF);
    };
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    QByteArray out("BM");
    le(out, 54 + rowBytes * height, 4);
    le(out, 0, 4);
    le(out, 54, 4);
    le(out, 40, 4);
    le(out, width, 4);
    le(out, height, 4);
    le(out, 1, 2);
    le(out, 24, 2);
    le(out, 0, 4);
    le(out, rowBytes * height, 4);
    le(out, 2835, 4);
    le(out, 2835, 4);
    le(out, 0, 4);
    le(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < width; ++x) {
            const QColor c = topDownPixels[size_t(y * width + x)];
            row += char(c.blue());
            row += char(c.green());
            row += char(c.red());
        }
        row.append(rowBytes - row.size(), '\0');
        out += row;
    }
    return out;
}
