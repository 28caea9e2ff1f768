#pragma once

#include <QColor>
#include <QImage>

// The card picture the print tests find again on a printed page: a blue canvas with a
// magenta block of 44 x 27 pixels in its top-left corner, so that each card's corner
// can be found even where cards touch; and the colours as they come back rendered.
namespace MarkedCard {

inline QImage canvas()
{
    QImage canvas(440, 270, QImage::Format_RGB32);
    canvas.fill(QColor(0, 0, 200));
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 44; ++x)
            canvas.setPixelColor(x, y, QColor(220, 0, 220));
    return canvas;
}

inline bool isMagenta(QRgb c) { return qRed(c) > 150 && qGreen(c) < 100 && qBlue(c) > 150; }
inline bool isGreen(QRgb c) { return qGreen(c) > 150 && qRed(c) < 100 && qBlue(c) < 100; }
inline bool isRed(QRgb c) { return qRed(c) > 150 && qGreen(c) < 100 && qBlue(c) < 100; }

} // namespace MarkedCard
