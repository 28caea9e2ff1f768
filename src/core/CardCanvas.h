#pragma once

#include <QColor>
#include <QImage>

// The card canvas: a background colour, the canvas's own picture (a template or a
// card's background picture) and everything drawn on it since (photos, gradients,
// frames, filtered pixels). image() is the current result: what filters change and
// what saving and printing read.
class CardCanvas {
public:
    CardCanvas();

    // Fills with the colour and erases the drawings; the own picture stays on top.
    void setBackColor(const QColor &color);
    QColor backColor() const { return m_backColor; }

    // Replaces the own picture (drawn at its natural size from the top-left corner)
    // and erases the drawings. A null image clears it.
    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }

    // The current image, 440 x 270, Format_RGB32. Drawing into it is a drawing on the card.
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }

    // Equal colour and pixels; a copy shares its pixels until one side draws.
    bool operator==(const CardCanvas &) const = default;

private:
    void recompose();

    QColor m_backColor;
    QImage m_picture;
    QImage m_image;
};
