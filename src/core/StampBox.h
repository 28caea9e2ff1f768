#pragma once

#include <QImage>
#include <QRect>

// The stamp box on the card: an opaque picture box whose image is the composed stamp
// (frame picture with the cut photo). Where it stands follows the layout.
class StampBox {
public:
    static QColor emptyColor() { return QColor(224, 224, 224); }

    StampBox();

    // Moves and sizes the box; a new size starts from an empty picture.
    void setGeometry(const QRect &rect);
    QRect geometry() const { return m_rect; }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    // Removes the picture: the box shows only its background colour.
    void clear();
    // Copies a picture into the box at (0, 0), 1:1.
    void setPicture(const QImage &picture);

    // The current image, the size of the box, Format_RGB32.
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }

    bool operator==(const StampBox &) const = default;

private:
    QRect m_rect;
    bool m_visible = false;
    QImage m_image;
};
