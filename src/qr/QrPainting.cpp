#include "qr/QrPainting.h"

#include "qr/QrPath.h"

#include <QTransform>

#include <cmath>

void paintQrCode(QPainter &painter, const QrCode &code, const QRectF &target, const QColor &dark, const QColor &light)
{
    painter.fillRect(target, light);
    painter.fillPath(modulePath(code, target), dark);
}

void paintQrCodeOnPixels(QPainter &painter, const QrCode &code, const QRectF &target, const QColor &dark,
                         const QColor &light)
{
    const QTransform toDevice = painter.combinedTransform();
    if (toDevice.type() > QTransform::TxScale || toDevice.m11() <= 0 || toDevice.m22() <= 0) {
        paintQrCode(painter, code, target, dark, light);
        return;
    }
    const QRectF mapped = toDevice.mapRect(target);
    const QPoint topLeft(int(std::lround(mapped.left())), int(std::lround(mapped.top())));
    const QPoint end(int(std::lround(mapped.right())), int(std::lround(mapped.bottom())));
    const QRect device(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
    painter.save();
    painter.setWorldTransform(QTransform());
    painter.setViewTransformEnabled(false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(device, light);
    painter.fillPath(modulePixelPath(code, device).dark, dark);
    painter.restore();
}
