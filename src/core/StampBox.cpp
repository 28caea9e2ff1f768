#include "core/StampBox.h"

#include "core/Composition.h"

#include <QPainter>

StampBox::StampBox()
    : m_rect(QPoint(18, 18), Composition::PortraitStamp)
{
    clear();
}

void StampBox::setGeometry(const QRect &rect)
{
    const bool resized = rect.size() != m_rect.size();
    m_rect = rect;
    if (resized)
        clear();
}

void StampBox::clear()
{
    m_image = QImage(m_rect.size(), QImage::Format_RGB32);
    m_image.fill(emptyColor());
}

void StampBox::setPicture(const QImage &picture)
{
    clear();
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture);
}
