#include "background/LinePen.h"

#include <algorithm>
#include <cstdlib>

void ensureLinePenFormat(QImage &target)
{
    switch (target.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return;
    default:
        target.convertTo(target.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    }
}

LinePen::LinePen(QImage &target)
    : m_bits(target.bits())
    , m_stride(target.bytesPerLine())
    , m_width(target.width())
    , m_height(target.height())
{
}

void LinePen::plot(int x, int y) const
{
    if (x >= 0 && x < m_width && y >= 0 && y < m_height)
        reinterpret_cast<QRgb *>(m_bits + y * m_stride)[x] = m_color;
}

void LinePen::row(int y, int x1, int x2) const
{
    if (y < 0 || y >= m_height)
        return;
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), m_width - 1);
    if (left > right)
        return;
    QRgb *line = reinterpret_cast<QRgb *>(m_bits + y * m_stride);
    std::fill(line + left, line + right + 1, m_color);
}

void LinePen::column(int x, int y1, int y2) const
{
    if (x < 0 || x >= m_width)
        return;
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), m_height - 1);
    for (int y = top; y <= bottom; ++y)
        reinterpret_cast<QRgb *>(m_bits + y * m_stride)[x] = m_color;
}

// Bresenham's walk: the major axis advances every step, the minor axis whenever the
// doubled error reaches 2n. Starting the error at n rounds ties away from `from`.
void LinePen::slanted(QPoint from, QPoint to) const
{
    const qint64 dx = qint64(to.x()) - from.x();
    const qint64 dy = qint64(to.y()) - from.y();
    const qint64 adx = std::llabs(dx);
    const qint64 ady = std::llabs(dy);
    const qint64 n = std::max(adx, ady);
    const int stepX = dx < 0 ? -1 : 1;
    const int stepY = dy < 0 ? -1 : 1;
    qint64 errorX = n;
    qint64 errorY = n;
    int x = from.x();
    int y = from.y();
    for (qint64 t = 0; t <= n; ++t) {
        plot(x, y);
        errorX += 2 * adx;
        if (errorX >= 2 * n) {
            errorX -= 2 * n;
            x += stepX;
        }
        errorY += 2 * ady;
        if (errorY >= 2 * n) {
            errorY -= 2 * n;
            y += stepY;
        }
    }
}

void LinePen::line(QPoint from, QPoint to) const
{
    if (from.y() == to.y())
        row(from.y(), from.x(), to.x());
    else if (from.x() == to.x())
        column(from.x(), from.y(), to.y());
    else
        slanted(from, to);
}

void LinePen::rectOutline(QPoint corner, QPoint opposite) const
{
    row(corner.y(), corner.x(), opposite.x());
    row(opposite.y(), corner.x(), opposite.x());
    column(corner.x(), corner.y(), opposite.y());
    column(opposite.x(), corner.y(), opposite.y());
}
