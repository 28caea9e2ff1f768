#pragma once

#include <QColor>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

// The mouse selection over the photo view: the start point `SelStartX`/`SelStartY`,
// the outline rectangle `Layer` and its colour. Positions are pixels of the zoomed
// picture (the view's pixels when it is not scrolled); they may lie outside the view
// while a button is held.
class SelectionTracker {
public:
    // Mouse buttons as the events carry them: a bit set.
    enum Button { Left = 1, Right = 2, Middle = 4 };

    // A press of `button`: the left button starts a new, empty rectangle there; any
    // button moves the start point.
    void press(int button, QPointF pos);
    // A move with `buttons` held: only a drag with exactly the left button sizes the
    // rectangle, which grows only to the right and downwards from the start point. With
    // a proportion (Shift held) the rectangle keeps it, in whole pixels, growing from
    // the start point as far as reaching the pointer takes.
    void drag(int buttons, QPointF pos, QSize proportion = QSize());
    // Whether releasing `button` at pos cuts: a photo is loaded, the button is exactly
    // the left one, the point lies strictly right of and below the start, and a drag
    // has given the rectangle a size.
    bool releaseCuts(int button, QPointF pos, bool photoLoaded) const;
    // The pixels a cut takes: from the start point, the size of the last drag step.
    QRect cutRect() const;

    QPointF start() const { return m_start; }
    // The outline `Layer`: left, top, width and height as last set.
    QRectF layer() const { return m_layer; }
    bool isLayerVisible() const { return m_layerVisible; }
    void setLayerVisible(bool visible) { m_layerVisible = visible; }

    // Tools > "Selectierechthoek": 1 "Zwart", 2 "Grijs", 3 "Wit".
    void chooseColorItem(int item);
    int checkedColorItem() const { return m_checkedColorItem; }
    QColor outlineColor() const { return m_outlineColor; }

private:
    QPointF m_start;
    QRectF m_layer;
    bool m_layerVisible = false;
    // At start "Grijs" is ticked while the outline is still a slightly lighter grey.
    QColor m_outlineColor{128, 128, 128};
    int m_checkedColorItem = 2;
};
