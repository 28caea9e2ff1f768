#pragma once

#include "core/PrintCopy.h"

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
    // Copies a picture into the box at (0, 0), 1:1. print, when given, is the same
    // stamp at Composition::PrintScale times the box's size, made from the source photo.
    void setPicture(const QImage &picture, const QImage &print = QImage());

    // The current image, the size of the box, Format_RGB32.
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }

    // Print copies count only while in step (see CardCanvas).
    bool operator==(const StampBox &other) const;
    // The print copy while it is in step with image() (see CardCanvas), else null.
    bool hasPrintCopy() const { return m_print.matches(m_image); }
    QImage printImage() const { return hasPrintCopy() ? m_print.image() : QImage(); }
    // A writer that changed image() hands in the print copy that matches it.
    void setPrintImage(const QImage &print) { m_print.set(print.convertToFormat(QImage::Format_RGB32), m_image); }
    // The same, made only when asked for (see PrintCopy::setMadeBy).
    void setPrintImageMadeBy(std::function<QImage()> make) { m_print.setMadeBy(std::move(make), m_image); }
    const PrintCopy &storedPrintCopy() const { return m_print; }

private:
    QRect m_rect;
    bool m_visible = false;
    QImage m_image;
    PrintCopy m_print;
};
