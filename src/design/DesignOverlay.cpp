#include "design/DesignOverlay.h"

#include "core/Composition.h"

#include <QPainter>

namespace {

QColor guideColour(Snapping::GuideKind kind)
{
    switch (kind) {
    case Snapping::GuideKind::Middle:
        return QColor(230, 0, 160);
    case Snapping::GuideKind::SafetyMargin:
        return QColor(230, 80, 0);
    case Snapping::GuideKind::LineLeft:
    case Snapping::GuideKind::Baseline:
        break;
    }
    return QColor(0, 150, 230);
}

} // namespace

DesignOverlay::DesignOverlay(QWidget *view)
    : QWidget(view)
{
    setObjectName(QStringLiteral("Ontwerplaag"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(view->rect());
    raise();
}

std::vector<QPointF> DesignOverlay::corners(const QRectF &rect)
{
    return {rect.topLeft(), rect.topRight(), rect.bottomRight(), rect.bottomLeft()};
}

void DesignOverlay::setGuides(const std::vector<Snapping::Guide> &guides)
{
    if (guides == m_guides)
        return;
    m_guides = guides;
    update();
}

void DesignOverlay::setSelection(const QRectF &frame, bool handles)
{
    if (frame == m_frame && handles == m_handles)
        return;
    m_frame = frame;
    m_handles = handles;
    update();
}

void DesignOverlay::paintEvent(QPaintEvent *)
{
    if (m_guides.empty() && m_frame.isEmpty())
        return;
    QPainter painter(this);
    // Canvas pixels onto the view, should it ever be shown at another size.
    painter.scale(double(width()) / Composition::CanvasWidth, double(height()) / Composition::CanvasHeight);
    for (const Snapping::Guide &guide : m_guides) {
        QPen pen(guideColour(guide.kind), 0);
        painter.setPen(pen);
        if (guide.axis == Snapping::Axis::X)
            painter.drawLine(QPointF(guide.at, 0), QPointF(guide.at, Composition::CanvasHeight));
        else
            painter.drawLine(QPointF(0, guide.at), QPointF(Composition::CanvasWidth, guide.at));
    }
    if (m_frame.isEmpty())
        return;
    QPen dashed(QColor(40, 40, 40), 0, Qt::DashLine);
    painter.setPen(dashed);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_frame.adjusted(-1, -1, 1, 1));
    if (!m_handles)
        return;
    painter.setPen(QPen(QColor(40, 40, 40), 0));
    painter.setBrush(Qt::white);
    for (const QPointF &corner : corners(m_frame))
        painter.drawRect(QRectF(corner - QPointF(3, 3), QSizeF(6, 6)));
}
