#pragma once

#include "support/WmfWriter.h"

#include <QtMath>

// An ordinary clip-art metafile: 800 x 600 units at 96 units an inch (800 x 600 pixels)
// with about three hundred records of filled shapes and lines.
inline QByteArray benchMetafile()
{
    WmfWriter w;
    for (int i = 0; i < 50; ++i) {
        const QColor colour = QColor::fromHsv((i * 37) % 360, 200, 230);
        const int x = (i * 97) % 700, y = (i * 53) % 500;
        w.brush(colour).pen(colour.darker(), 1 + i % 4);
        QVector<QPoint> star;
        for (int k = 0; k < 10; ++k) {
            const double a = k * M_PI / 5, r = k % 2 ? 20 : 50;
            star << QPoint(x + 50 + int(r * std::cos(a)), y + 50 + int(r * std::sin(a)));
        }
        w.polygon(star).ellipse(x, y, x + 60, y + 40).rectangle(x + 20, y + 30, x + 90, y + 70);
        w.line({x, y + 90}, {x + 100, y + 10});
    }
    return w.placeable(QRect(0, 0, 800, 600));
}
