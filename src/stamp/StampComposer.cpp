#include "stamp/StampComposer.h"

#include "assets/BuiltinPictures.h"
#include "core/Composition.h"
#include "stamp/StretchCopy.h"

#include <QPainter>

namespace StampComposer {

QImage compose(int layoutKind, int stampBorderStyle, const QImage &crop)
{
    if (!Composition::hasStamp(layoutKind))
        return {};
    QImage stamp = BuiltinPictures::frame(Composition::framePictureIndex(layoutKind, stampBorderStyle))
                       .convertToFormat(QImage::Format_RGB32);
    const QRect window = layoutKind == 3 ? LandscapeWindow : PortraitWindow;
    QPainter painter(&stamp);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(window.topLeft(), StretchCopy::stretched(crop, window.size()));
    return stamp;
}

QSize printWindowSize(int layoutKind)
{
    return (layoutKind == 3 ? LandscapeWindow : PortraitWindow).size() * Composition::PrintScale;
}

QImage composePrint(int layoutKind, int stampBorderStyle, const QImage &printCrop)
{
    if (!Composition::hasStamp(layoutKind))
        return {};
    const int scale = Composition::PrintScale;
    QImage stamp = BuiltinPictures::frame(Composition::framePictureIndex(layoutKind, stampBorderStyle), scale)
                       .convertToFormat(QImage::Format_RGB32);
    const QRect window = layoutKind == 3 ? LandscapeWindow : PortraitWindow;
    if (printCrop.size() != window.size() * scale)
        return {};
    QPainter painter(&stamp);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(window.topLeft() * scale, printCrop);
    return stamp;
}

} // namespace StampComposer
