#include "qr/QrPath.h"

#include <algorithm>
#include <functional>

namespace {

// The dark runs of a width x height grid as rectangles, a run carried down as long as the
// next row has a run with the same ends.
std::vector<QRect> mergedRuns(int width, int height, const std::function<bool(int, int)> &isDark)
{
    struct Open {
        int left;
        int right; // one past the run
        int top;
    };
    std::vector<QRect> rects;
    std::vector<Open> open;
    std::vector<Open> next;
    for (int y = 0; y <= height; ++y) {
        next.clear();
        size_t carried = 0; // open runs before this are closed or carried
        int x = 0;
        while (y < height && x < width) {
            if (!isDark(x, y)) {
                ++x;
                continue;
            }
            const int left = x;
            while (x < width && isDark(x, y))
                ++x;
            // Runs of a row are in order from the left, so one walk matches them.
            while (carried < open.size() && open[carried].left < left) {
                const Open &o = open[carried++];
                rects.emplace_back(o.left, o.top, o.right - o.left, y - o.top);
            }
            if (carried < open.size() && open[carried].left == left && open[carried].right == x)
                next.push_back({left, x, open[carried++].top});
            else
                next.push_back({left, x, y});
        }
        for (; carried < open.size(); ++carried) {
            const Open &o = open[carried];
            rects.emplace_back(o.left, o.top, o.right - o.left, y - o.top);
        }
        open.swap(next);
    }
    return rects;
}

} // namespace

std::vector<QRect> darkRectangles(const QrCode &code)
{
    const int n = code.size();
    return mergedRuns(n, n, [&code](int x, int y) { return code.isDark(x, y); });
}

QPainterPath modulePath(const QrCode &code, const QRectF &target)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (!code.isValid())
        return path;
    const int across = code.size() + 2 * QrQuietZone;
    const double w = target.width() / across;
    const double h = target.height() / across;
    // Each edge from its own grid line, so that no sum of widths drifts off the grid.
    const auto gridX = [&](int k) { return target.left() + (k + QrQuietZone) * w; };
    const auto gridY = [&](int k) { return target.top() + (k + QrQuietZone) * h; };
    for (const QRect &r : darkRectangles(code)) {
        const double left = gridX(r.left());
        const double top = gridY(r.top());
        path.addRect(QRectF(left, top, gridX(r.left() + r.width()) - left, gridY(r.top() + r.height()) - top));
    }
    return path;
}

QrPixelPath modulePixelPath(const QrCode &code, const QRect &deviceRect)
{
    QrPixelPath out;
    out.dark.setFillRule(Qt::WindingFill);
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
        for (const QRect &r : darkRectangles(code))
            out.dark.addRect(QRect(origin + r.topLeft() * m, r.size() * m));
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
    for (const QRect &r : mergedRuns(side, side, [&](int x, int y) {
             const int mx = module[size_t(x)];
             const int my = module[size_t(y)];
             return inCode(mx) && inCode(my) && code.isDark(mx, my);
         }))
        out.dark.addRect(r.translated(origin));
    return out;
}
