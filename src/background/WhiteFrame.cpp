#include "background/WhiteFrame.h"

#include "core/CardDocument.h"
#include "background/LinePen.h"

void drawWhiteFrame(QImage &target)
{
    if (target.isNull())
        return;
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
    document.drawOnCanvas(QStringLiteral("Wit Kader"), drawWhiteFrame);
}
