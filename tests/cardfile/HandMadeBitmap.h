#pragma once

#include <QByteArray>
#include <QColor>
#include <vector>

// A 24- or 32-bit Windows bitmap built byte by byte, as Windows programs write it:
// blue-green-red(-unused), each row padded to four bytes, rows bottom up or, with a
// negative height in the header, top down. Independent of Qt's bitmap writer.
inline QByteArray handMadeBitmap(int width, int height, const std::vector<QColor> &topDownPixels,
                                 int bitsPerPixel = 24, bool topDown = false)
{
    auto le = [](QByteArray &out, quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += char((value >> (8 * i)) & 0xFF);
    };
    const int rowBytes = (width * bitsPerPixel / 8 + 3) / 4 * 4;
    QByteArray out("BM");
    le(out, 54 + rowBytes * height, 4);
    le(out, 0, 4);
    le(out, 54, 4);
    le(out, 40, 4);
    le(out, width, 4);
    le(out, quint32(topDown ? -height : height), 4);
    le(out, 1, 2);
    le(out, bitsPerPixel, 2);
    le(out, 0, 4);
    le(out, rowBytes * height, 4);
    le(out, 2835, 4);
    le(out, 2835, 4);
    le(out, 0, 4);
    le(out, 0, 4);
    for (int i = 0; i < height; ++i) {
        const int y = topDown ? i : height - 1 - i;
        QByteArray row;
        for (int x = 0; x < width; ++x) {
            const QColor c = topDownPixels[size_t(y * width + x)];
            row += char(c.blue());
            row += char(c.green());
            row += char(c.red());
            if (bitsPerPixel == 32)
                row += char(0);
        }
        row.append(rowBytes - row.size(), '\0');
        out += row;
    }
    return out;
}
