#include "stamp/CropFrame.h"

#include <algorithm>

CropFrame CropFrame::largestCentred(QSize photo)
{
    if (photo.isEmpty())
        return {};
    const CropFrame probe(photo, {});
    const double width = probe.largestWidth();
    const QSizeF size(width, width / Proportion);
    return CropFrame(photo, QRectF(QPointF((photo.width() - size.width()) / 2, (photo.height() - size.height()) / 2),
                                   size));
}

double CropFrame::largestWidth() const
{
    return std::min(double(m_photo.width()), m_photo.height() * Proportion);
}

double CropFrame::smallestWidth() const
{
    return std::min(MinWidth, largestWidth());
}

QRectF CropFrame::inside(QRectF rect) const
{
    rect.moveLeft(std::clamp(rect.left(), 0.0, m_photo.width() - rect.width()));
    rect.moveTop(std::clamp(rect.top(), 0.0, m_photo.height() - rect.height()));
    return rect;
}

CropFrame CropFrame::moved(QPointF by) const
{
    return CropFrame(m_photo, inside(m_rect.translated(by)));
}

CropFrame CropFrame::resized(Corner corner, QPointF to) const
{
    const bool left = corner == Corner::TopLeft || corner == Corner::BottomLeft;
    const bool top = corner == Corner::TopLeft || corner == Corner::TopRight;
    // The opposite corner stays.
    const QPointF anchor(left ? m_rect.right() : m_rect.left(), top ? m_rect.bottom() : m_rect.top());
    const double reachX = left ? anchor.x() - to.x() : to.x() - anchor.x();
    const double reachY = top ? anchor.y() - to.y() : to.y() - anchor.y();
    const double roomX = left ? anchor.x() : m_photo.width() - anchor.x();
    const double roomY = top ? anchor.y() : m_photo.height() - anchor.y();
    const double most = std::min(roomX, roomY * Proportion);
    const double width = std::clamp(std::max(reachX, reachY * Proportion), std::min(smallestWidth(), most), most);
    const QSizeF size(width, width / Proportion);
    const QPointF topLeft(left ? anchor.x() - size.width() : anchor.x(), top ? anchor.y() - size.height() : anchor.y());
    return CropFrame(m_photo, QRectF(topLeft, size));
}

CropFrame CropFrame::zoomed(double factor, QPointF around) const
{
    if (factor <= 0 || m_rect.isEmpty())
        return *this;
    const double width = std::clamp(m_rect.width() / factor, smallestWidth(), largestWidth());
    const double ratio = width / m_rect.width();
    const QPointF topLeft = around - (around - m_rect.topLeft()) * ratio;
    return CropFrame(m_photo, inside(QRectF(topLeft, QSizeF(width, width / Proportion))));
}
