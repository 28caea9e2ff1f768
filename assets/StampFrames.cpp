#include "assets/PictureMakers.h"
#include "assets/StampFrameStyles.h"

#include <QPainter>

namespace StampFrameStyles {

// White margin of 4 pixels, then a black line 2 pixels wide, inside from the 7th pixel.
void paintSingle(QImage &image)
{
    QPainter p(&image);
    const QRect all = image.rect();
    p.fillRect(all.adjusted(4, 4, -4, -4), Qt::black);
    p.fillRect(all.adjusted(6, 6, -6, -6), QColor(PictureMakers::frameInside));
}

// Black on the outermost pixels, 3 white, black again on the 5th, inside from the 6th.
void paintDouble(QImage &image)
{
    QPainter p(&image);
    const QRect all = image.rect();
    p.fillRect(all, Qt::black);
    p.fillRect(all.adjusted(1, 1, -1, -1), Qt::white);
    p.fillRect(all.adjusted(4, 4, -4, -4), Qt::black);
    p.fillRect(all.adjusted(5, 5, -5, -5), QColor(PictureMakers::frameInside));
}

} // namespace StampFrameStyles

namespace PictureMakers {

QImage makeFrame(FrameStyle style, bool portrait)
{
    QImage image = portrait ? QImage(140, 180, QImage::Format_RGB32)
                            : QImage(180, 140, QImage::Format_RGB32);
    image.fill(Qt::white);
    switch (style) {
    case FrameStyle::Single: StampFrameStyles::paintSingle(image); break;
    case FrameStyle::Perforated: StampFrameStyles::paintPerforated(image); break;
    case FrameStyle::Double: StampFrameStyles::paintDouble(image); break;
    case FrameStyle::SquareTeeth: StampFrameStyles::paintSquareTeeth(image); break;
    }
    return image;
}

} // namespace PictureMakers
