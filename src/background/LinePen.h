#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

// Draws one-pixel lines straight into a 32-bit picture, both end points included and
// clipped to the picture. Every gradient and the white frame are drawn with it, so the
// pixels a line sets are fixed here once:
//   n = max(|dx|, |dy|); for t = 0..n the pixel is
//   from + sign(d) * floor((2 * t * |d| + n) / (2 * n)) on each axis,
// i.e. the exact line rounded to the nearest pixel, a tie going away from `from`.
// Drawing from a to b and from b to a may therefore differ where the line has ties.
class LinePen {
public:
    // The picture must be Format_RGB32, ARGB32 or ARGB32_Premultiplied (see
    // ensureLinePenFormat); the pen writes opaque pixels.
    explicit LinePen(QImage &target);

    void setColor(QRgb color) { m_color = color | 0xff000000u; }

    void line(QPoint from, QPoint to) const;
    // The four sides of the rectangle with these opposite corners.
    void rectOutline(QPoint corner, QPoint opposite) const;

private:
    void row(int y, int x1, int x2) const;
    void column(int x, int y1, int y2) const;
    void slanted(QPoint from, QPoint to) const;
    void plot(int x, int y) const;

    uchar *m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
    QRgb m_color = 0xff000000u;
};

// Converts the picture to a format the pen can draw into, keeping its pixels.
void ensureLinePenFormat(QImage &target);
