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

void DesignOverlay::setMapping(const QTransform &canvasToView, const QRectF &safetyMargin)
{
    if (canvasToView == m_toView && safetyMargin == m_safetyMargin)
        return;
    m_toView = canvasToView;
    m_safetyMargin = safetyMargin;
    update();
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
    if (m_guides.empty() && m_frame.isEmpty() && m_safetyMargin.isEmpty())
        return;
    QPainter painter(this);
    // Drawn in the view's own pixels, so that a line stays one pixel thin in either view.
    const QRectF card = m_toView.mapRect(QRectF(QPointF(), QSizeF(Composition::CanvasSize)));
    if (!m_safetyMargin.isEmpty()) {
        painter.setPen(QPen(guideColour(Snapping::GuideKind::SafetyMargin), 0, Qt::DashLine));
        painter.drawRect(m_toView.mapRect(m_safetyMargin));
    }
    for (const Snapping::Guide &guide : m_guides) {
        painter.setPen(QPen(guideColour(guide.kind), 0));
        if (guide.axis == Snapping::Axis::X) {
            const double x = m_toView.map(QPointF(guide.at, 0)).x();
            painter.drawLine(QPointF(x, card.top()), QPointF(x, card.bottom()));
        } else {
            const double y = m_toView.map(QPointF(0, guide.at)).y();
            painter.drawLine(QPointF(card.left(), y), QPointF(card.right(), y));
        }
    }
    if (m_frame.isEmpty())
        return;
    const QRectF frame = m_toView.mapRect(m_frame);
    painter.setPen(QPen(QColor(40, 40, 40), 0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(-1, -1, 1, 1));
    if (!m_handles)
        return;
    painter.setPen(QPen(QColor(40, 40, 40), 0));
    painter.setBrush(Qt::white);
    for (const QPointF &corner : corners(frame))
        painter.drawRect(QRectF(corner - QPointF(3, 3), QSizeF(6, 6)));
}
