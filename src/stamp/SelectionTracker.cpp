#include "stamp/SelectionTracker.h"

#include <algorithm>
#include <cmath>

void SelectionTracker::press(int button, QPointF pos)
{
    if (button == Left) {
        m_layer = QRectF(pos, QSizeF(0, 0));
        m_layerVisible = true;
    }
    m_start = pos;
}

void SelectionTracker::drag(int buttons, QPointF pos, QSize proportion)
{
    if (buttons != Left)
        return;
    const qreal x = std::max(pos.x(), m_start.x());
    const qreal y = std::max(pos.y(), m_start.y());
    QSizeF size(x - m_start.x() + 1, y - m_start.y() + 1);
    if (!proportion.isEmpty()) {
        // The side the pointer reaches further, measured in the proportion, sets the
        // other: the rectangle always reaches the pointer. Whole pixels, so that the
        // cut has the proportion to the pixel.
        const qint64 across = std::lround(size.width()), down = std::lround(size.height());
        if (across * proportion.height() >= down * proportion.width())
            size = QSizeF(across, std::max<qint64>(1, std::lround(double(across) * proportion.height() / proportion.width())));
        else
            size = QSizeF(std::max<qint64>(1, std::lround(double(down) * proportion.width() / proportion.height())), down);
    }
    m_layer = QRectF(m_start, size);
}

bool SelectionTracker::releaseCuts(int button, QPointF pos, bool photoLoaded) const
{
    return photoLoaded && button == Left && pos.x() > m_start.x() && pos.y() > m_start.y()
        && !cutRect().isEmpty();
}

QRect SelectionTracker::cutRect() const
{
    return QRect(int(std::lround(m_start.x())), int(std::lround(m_start.y())),
                 int(std::lround(m_layer.width())), int(std::lround(m_layer.height())));
}

void SelectionTracker::chooseColorItem(int item)
{
    static const QColor colors[] = {QColor(0, 0, 0), QColor(120, 120, 120), QColor(255, 255, 255)};
    if (item < 1 || item > 3)
        return;
    m_outlineColor = colors[item - 1];
    m_checkedColorItem = item;
}
