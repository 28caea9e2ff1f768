#include "qr/QrPath.h"

#include <algorithm>
#include <functional>

namespace {

// The outlines of the dark areas of a width x height grid: every side between a dark
// cell and a light one (or the grid's edge), directed so that the dark cell lies on its
// right, linked end to start into closed loops, with a corner only where a loop turns.
// An outer outline then runs clockwise on the screen, the outline of a light hole the
// other way, so under Qt::WindingFill (and OddEvenFill) the loops fill exactly the dark
// cells, whichever way loops that touch at a corner were linked.
class OutlineTracer {
public:
    OutlineTracer(int width, int height, const std::function<bool(int, int)> &isDark)
        : m_width(width), m_out(size_t(width + 1) * size_t(height + 1))
    {
        const auto dark = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height && isDark(x, y); };
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (!dark(x, y))
                    continue;
                if (!dark(x, y - 1))
                    add(x, y, Right);
                if (!dark(x + 1, y))
                    add(x + 1, y, Down);
                if (!dark(x, y + 1))
                    add(x + 1, y + 1, Left);
                if (!dark(x - 1, y))
                    add(x, y + 1, Up);
            }
    }

    // Calls corner(x, y) for each corner of a loop in order, then closed() per loop.
    template <typename Corner, typename Closed>
    void trace(const Corner &corner, const Closed &closed)
    {
        std::vector<QPoint> corners;
        for (size_t start = 0; start < m_out.size(); ++start) {
            while (m_out[start].count > 0) {
                corners.clear();
                QPoint at(int(start % size_t(m_width + 1)), int(start / size_t(m_width + 1)));
                const QPoint first = at;
                int firstDirection = -1;
                int direction = -1;
                do {
                    const int next = take(at);
                    if (next != direction)
                        corners.push_back(at);
                    if (firstDirection < 0)
                        firstDirection = next;
                    direction = next;
                    at += Steps[direction];
                } while (at != first);
                // The start is no corner when the loop comes back to it going straight on.
                const size_t from = direction == firstDirection ? 1 : 0;
                for (size_t i = from; i < corners.size(); ++i)
                    corner(corners[i].x(), corners[i].y());
                closed();
            }
        }
    }

private:
    enum Direction { Right, Down, Left, Up };
    static constexpr QPoint Steps[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};

    // At most two sides leave a grid point: two dark cells that touch only at a corner.
    struct Leaving {
        int count = 0;
        int direction[2] = {0, 0};
    };

    size_t index(int x, int y) const { return size_t(y) * size_t(m_width + 1) + size_t(x); }

    void add(int x, int y, int direction)
    {
        Leaving &l = m_out[index(x, y)];
        l.direction[l.count++] = direction;
    }

    int take(QPoint at)
    {
        Leaving &l = m_out[index(at.x(), at.y())];
        return l.direction[--l.count];
    }

    int m_width;
    std::vector<Leaving> m_out;
};

QPainterPath outlinePath(int width, int height, const std::function<bool(int, int)> &isDark,
                         const std::function<QPointF(int, int)> &place)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    bool open = false;
    OutlineTracer(width, height, isDark)
        .trace(
            [&](int x, int y) {
                if (open) {
                    path.lineTo(place(x, y));
                } else {
                    path.moveTo(place(x, y));
                    open = true;
                }
            },
            [&] {
                path.closeSubpath();
                open = false;
            });
    return path;
}

} // namespace

QPainterPath modulePath(const QrCode &code, const QRectF &target)
{
    if (!code.isValid()) {
        QPainterPath none;
        none.setFillRule(Qt::WindingFill);
        return none;
    }
    const int across = code.size() + 2 * QrQuietZone;
    const double w = target.width() / across;
    const double h = target.height() / across;
    // Each corner from its own grid line, so that no sum of widths drifts off the grid.
    return outlinePath(
        code.size(), code.size(), [&code](int x, int y) { return code.isDark(x, y); },
        [&](int x, int y) {
            return QPointF(target.left() + (x + QrQuietZone) * w, target.top() + (y + QrQuietZone) * h);
        });
}

std::vector<QRect> moduleRects(const QrCode &code)
{
    std::vector<QRect> rects;
    if (!code.isValid())
        return rects;
    const int n = code.size();
    // The rectangle still growing downwards for each run that starts at a column (a run
    // starting there in the row above), as an index into rects.
    std::vector<int> open(size_t(n), -1);
    std::vector<int> nowOpen(size_t(n), -1);
    for (int y = 0; y < n; ++y) {
        std::fill(nowOpen.begin(), nowOpen.end(), -1);
        for (int x = 0; x < n;) {
            if (!code.isDark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < n && code.isDark(x, y))
                ++x;
            const int above = open[size_t(start)];
            if (above >= 0 && rects[size_t(above)].width() == x - start) {
                rects[size_t(above)].setBottom(y);
                nowOpen[size_t(start)] = above;
            } else {
                rects.emplace_back(start, y, x - start, 1);
                nowOpen[size_t(start)] = int(rects.size() - 1);
            }
        }
        open.swap(nowOpen);
    }
    return rects;
}

QrPixelPath modulePixelPath(const QrCode &code, const QRect &deviceRect)
{
    QrPixelPath out;
    const int side = std::min(deviceRect.width(), deviceRect.height());
    if (!code.isValid() || side <= 0)
        return out;
    const int n = code.size();
    const int across = n + 2 * QrQuietZone;
    const auto placeSquare = [&](int squareSide) {
        out.square = QRect(deviceRect.left() + (deviceRect.width() - squareSide) / 2,
                           deviceRect.top() + (deviceRect.height() - squareSide) / 2, squareSide, squareSide);
    };
    if (side >= across) {
        const int m = side / across;
        out.modulePixels = m;
        placeSquare(m * across);
        const QPoint origin = out.square.topLeft() + QPoint(QrQuietZone * m, QrQuietZone * m);
        out.dark = outlinePath(
            n, n, [&code](int x, int y) { return code.isDark(x, y); },
            [&](int x, int y) { return QPointF(origin + QPoint(x, y) * m); });
        return out;
    }
    // Fewer pixels than modules: pixel p shows module floor((p + 0.5) * across / side),
    // counted from the quiet zone's edge.
    placeSquare(side);
    std::vector<int> module(static_cast<size_t>(side));
    for (int p = 0; p < side; ++p)
        module[size_t(p)] = int((2 * qint64(p) + 1) * across / (2 * qint64(side))) - QrQuietZone;
    const auto inCode = [n](int k) { return k >= 0 && k < n; };
    const QPoint origin = out.square.topLeft();
    out.dark = outlinePath(
        side, side,
        [&](int x, int y) {
            const int mx = module[size_t(x)];
            const int my = module[size_t(y)];
            return inCode(mx) && inCode(my) && code.isDark(mx, my);
        },
        [&](int x, int y) { return QPointF(origin + QPoint(x, y)); });
    return out;
}
