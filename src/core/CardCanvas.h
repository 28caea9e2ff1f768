#pragma once

#include "core/PrintCopy.h"

#include <QColor>
#include <QImage>
#include <QMargins>

// The card canvas: a background colour, the canvas's own picture (a template or a
// card's background picture) and everything drawn on it since (photos, gradients,
// frames, filtered pixels). image() is the current result: what filters change and
// what saving and printing read. Beside it lives the print copy, the same card at
// Composition::PrintScale times the pixels, made from the finest source a writer had.
class CardCanvas {
public:
    CardCanvas();

    // Fills with the colour and erases the drawings; the own picture stays on top.
    void setBackColor(const QColor &color);
    QColor backColor() const { return m_backColor; }

    // Replaces the own picture (drawn at its natural size from the top-left corner)
    // and erases the drawings. A null image clears it. printPicture, when given, is the
    // same picture at PrintScale times its size (a card's saved print copy); without it
    // the card has no print copy until a writer draws one.
    void setPicture(const QImage &picture, const QImage &printPicture = QImage());
    const QImage &picture() const { return m_picture; }

    // The current image, 440 x 270, Format_RGB32. Drawing into it is a drawing on the card.
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }

    // Equal colour and pixels, print copies included; a copy shares its pixels until
    // one side draws.
    bool operator==(const CardCanvas &other) const;
    // Packs the print copies (see PrintCopy::pack), sharing what the given canvas
    // packed already from the same pixels.
    void packPrintCopies(const CardCanvas *packedAlready = nullptr);
    // Whether the print copy is in step with image(). It is not for a plain colour (the
    // screen picture enlarges to exactly the same), when the own picture came without a
    // finer copy, or when image() was drawn on by a writer that did not also draw the
    // print copy; paper then shows image() as before print copies.
    bool hasPrintCopy() const { return m_print.matches(m_image); }
    // The print copy, Composition::PrintCanvasSize; when it is not in step, image()
    // enlarged smoothly, the base on which a writer draws its part at print scale.
    QImage printImage() const;
    // A writer that changed image() hands in the print copy that matches it.
    void setPrintImage(const QImage &print) { m_print.set(print.convertToFormat(QImage::Format_RGB32), m_image); }
    // The print copy's surroundings for a press's bleed: the photo's own pixels beyond
    // the card, at print scale, `margins` print pixels on each side (fewer where the
    // photo ends), the card's place in it left out. Like the print copy it counts only
    // beside the screen picture it was made with; null when not in step or never made.
    void setPrintBeyond(const QImage &beyond, const QMargins &margins);
    QImage printBeyond() const { return m_beyond.matches(m_image) ? m_beyond.image() : QImage(); }
    QMargins printBeyondMargins() const { return m_beyondMargins; }
    // What the canvas holds at print scale, in step or not: what an undo step keeps.
    const PrintCopy &storedPrintCopy() const { return m_print; }
    const PrintCopy &storedPrintPicture() const { return m_printPicture; }

private:
    void recompose();

    QColor m_backColor;
    QImage m_picture;
    // The own picture at print scale, tied to m_picture.
    PrintCopy m_printPicture;
    QImage m_image;
    PrintCopy m_print;
    PrintCopy m_beyond;
    QMargins m_beyondMargins;
};
