#include "background/WhiteFrame.h"

#include "core/CardDocument.h"
#include "background/LinePen.h"
#include "core/Composition.h"

#include <QPainter>

void drawWhiteFrame(QImage &target, int scale)
{
    if (target.isNull())
        return;
    if (scale > 1) {
        const int w = target.width();
        const int h = target.height();
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const QColor white(255, 255, 255);
        painter.fillRect(0, 0, w, 12 * scale, white);
        painter.fillRect(0, h - 11 * scale, w, 11 * scale, white);
        painter.fillRect(0, 0, 12 * scale, h, white);
        painter.fillRect(w - 11 * scale, 0, 11 * scale, h, white);
        return;
    }
    ensureLinePenFormat(target);
    LinePen pen(target);
    pen.setColor(qRgb(255, 255, 255));
    const int w = target.width();
    const int h = target.height();
    for (int i = 0; i < 12; ++i)
        pen.rectOutline({i, i}, {w - i, h - i});
}

void addWhiteFrame(CardDocument &document)
{
    document.drawOnCanvas(
        QStringLiteral("Wit Kader"), [](QImage &canvasImage) { drawWhiteFrame(canvasImage); },
        [](QImage &print, const QImage &) { drawWhiteFrame(print, Composition::PrintScale); });
}
