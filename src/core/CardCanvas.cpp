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

void CardCanvas::setPicture(const QImage &picture)
{
    m_picture = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    recompose();
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
}
