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
    m_print.reset();
}

void StampBox::setPicture(const QImage &picture, const QImage &print)
{
    clear();
    {
        QPainter painter(&m_image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture);
    }
    // Only a copy of the whole box counts; a picture smaller than the box leaves the
    // empty colour around it, which the screen picture shows as well.
    if (picture.size() == m_rect.size() && print.size() == m_rect.size() * Composition::PrintScale)
        m_print.set(print.convertToFormat(QImage::Format_RGB32), m_image);
}

bool StampBox::operator==(const StampBox &other) const
{
    if (m_rect != other.m_rect || m_visible != other.m_visible || m_image != other.m_image
        || hasPrintCopy() != other.hasPrintCopy())
        return false;
    return !hasPrintCopy() || m_print.samePixels(other.m_print);
}
