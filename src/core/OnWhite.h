#pragma once

#include <QImage>
#include <QPainter>

// A picture as it shows on a blank sheet: transparent parts white, Format_RGB32. A null
// image when there is no memory for it.
inline QImage onWhite(QImage image)
{
    if (!image.hasAlphaChannel()) {
        image.convertTo(QImage::Format_RGB32);
        return image;
    }
    QImage flat(image.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return {};
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}
