#include "core/CardCanvas.h"

#include "core/Composition.h"

#include <QPainter>

CardCanvas::CardCanvas()
    : m_backColor(200, 230, 200)
{
    recompose();
}

void CardCanvas::setBackColor(const QColor &color)
{
    m_backColor = color;
    recompose();
}

void CardCanvas::setPicture(const QImage &picture, const QImage &printPicture)
{
    m_picture = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    m_printPicture.reset();
    if (!m_picture.isNull() && printPicture.size() == m_picture.size() * Composition::PrintScale)
        m_printPicture.set(printPicture.convertToFormat(QImage::Format_RGB32), m_picture);
    recompose();
}

QImage CardCanvas::printImage() const
{
    if (hasPrintCopy())
        return m_print.image();
    return m_image.scaled(Composition::PrintCanvasSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

void CardCanvas::recompose()
{
    m_image = QImage(Composition::CanvasSize, QImage::Format_RGB32);
    m_image.fill(m_backColor);
    if (!m_picture.isNull()) {
        QPainter painter(&m_image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_picture);
    }
    // Without a finer copy of the own picture paper takes the screen picture: a plain
    // colour enlarges to exactly itself, and an own picture without one (a template, a
    // card saved without print copies) would only be enlarged, which paper does as well.
    if (!m_printPicture.matches(m_picture)) {
        m_print.reset();
        return;
    }
    QImage print(Composition::PrintCanvasSize, QImage::Format_RGB32);
    print.fill(m_backColor);
    {
        QPainter painter(&print);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_printPicture.image());
    }
    m_print.set(print, m_image);
}

bool CardCanvas::operator==(const CardCanvas &other) const
{
    // The link of a print copy to its screen picture is the picture's cacheKey, which
    // differs between equal pixels; what counts is whether each side has a copy in step.
    if (m_backColor != other.m_backColor || m_picture != other.m_picture
        || !m_printPicture.samePixels(other.m_printPicture) || m_image != other.m_image
        || hasPrintCopy() != other.hasPrintCopy())
        return false;
    return !hasPrintCopy() || m_print.samePixels(other.m_print);
}

void CardCanvas::setPrintBeyond(const QImage &beyond, const QMargins &margins)
{
    const QSize whole = Composition::PrintCanvasSize.grownBy(margins);
    if (beyond.size() != whole) {
        m_beyond.reset();
        m_beyondMargins = {};
        return;
    }
    m_beyond.set(beyond.convertToFormat(QImage::Format_RGB32), m_image);
    m_beyondMargins = margins;
}

void CardCanvas::packPrintCopies(const CardCanvas *packedAlready)
{
    m_beyond.pack(packedAlready ? &packedAlready->m_beyond : nullptr);
    m_print.pack(packedAlready ? &packedAlready->m_print : nullptr);
    m_printPicture.pack(packedAlready ? &packedAlready->m_printPicture : nullptr);
}
