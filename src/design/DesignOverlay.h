#pragma once

#include "design/Snapping.h"

#include <QRectF>
#include <QTransform>
#include <QWidget>
#include <vector>

// A transparent layer over the card view that shows the editing: the safety margin, the
// guides a drag snaps to, the dashed frame of the selected item and the corner handles of
// a logo, all given in canvas pixels and drawn through the view's mapping. It takes no
// mouse events; the card stays the card view's own drawing beneath it.
class DesignOverlay : public QWidget {
    Q_OBJECT
public:
    explicit DesignOverlay(QWidget *view);

    // Canvas pixels onto the view, and the safety margin (empty: not shown).
    void setMapping(const QTransform &canvasToView, const QRectF &safetyMargin);
    void setGuides(const std::vector<Snapping::Guide> &guides);
    // An empty rect: nothing selected.
    void setSelection(const QRectF &frame, bool handles);

    // The handles' corners, in the order of QRectF's corners: top-left, top-right,
    // bottom-right, bottom-left; and how far from a corner a press still takes it.
    static constexpr double HandleReach = 4;
    static std::vector<QPointF> corners(const QRectF &rect);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTransform m_toView;
    QRectF m_safetyMargin;
    std::vector<Snapping::Guide> m_guides;
    QRectF m_frame;
    bool m_handles = false;
};
