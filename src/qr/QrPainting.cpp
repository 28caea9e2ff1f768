#include "qr/QrPainting.h"

#include "qr/QrPath.h"

#include <QPaintEngine>
#include <QTransform>

#include <cmath>

void paintQrCode(QPainter &painter, const QrCode &code, const QRectF &target, const QColor &dark, const QColor &light)
{
    painter.fillRect(target, light);
    const QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Pdf || !code.isValid()) {
        // One path, so that an antialiased picture shows no seams where modules meet.
        painter.fillPath(modulePath(code, target), dark);
        return;
    }
    // A PDF fills all rectangles of one call as one path: no seams either, in far fewer
    // bytes than the outline's corners, and fewer still in whole modules under one matrix.
    const int across = code.size() + 2 * QrQuietZone;
    const double w = target.width() / across;
    const double h = target.height() / across;
    const std::vector<QRect> modules = moduleRects(code);
    painter.save();
    painter.translate(target.left() + QrQuietZone * w, target.top() + QrQuietZone * h);
    painter.scale(w, h);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dark);
    painter.drawRects(modules.data(), int(modules.size()));
    painter.restore();
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
