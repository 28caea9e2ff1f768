#include "assets/PictureMakers.h"
#include "assets/StampFrameStyles.h"

#include <QPainter>

namespace StampFrameStyles {

// White margin of 4 pixels, then a black line 2 pixels wide, inside from the 7th pixel.
void paintSingle(QImage &image, int scale)
{
    QPainter p(&image);
    const QRect all = image.rect();
    const int s = scale;
    p.fillRect(all.adjusted(4 * s, 4 * s, -4 * s, -4 * s), Qt::black);
    p.fillRect(all.adjusted(6 * s, 6 * s, -6 * s, -6 * s), QColor(PictureMakers::frameInside));
}

// Black on the outermost pixels, 3 white, black again on the 5th, inside from the 6th.
void paintDouble(QImage &image, int scale)
{
    QPainter p(&image);
    const QRect all = image.rect();
    const int s = scale;
    p.fillRect(all, Qt::black);
    p.fillRect(all.adjusted(s, s, -s, -s), Qt::white);
    p.fillRect(all.adjusted(4 * s, 4 * s, -4 * s, -4 * s), Qt::black);
    p.fillRect(all.adjusted(5 * s, 5 * s, -5 * s, -5 * s), QColor(PictureMakers::frameInside));
}

} // namespace StampFrameStyles

namespace PictureMakers {

QImage makeFrame(FrameStyle style, bool portrait, int scale)
{
    QImage image = portrait ? QImage(140 * scale, 180 * scale, QImage::Format_RGB32)
                            : QImage(180 * scale, 140 * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    switch (style) {
    case FrameStyle::Single: StampFrameStyles::paintSingle(image, scale); break;
    case FrameStyle::Perforated: StampFrameStyles::paintPerforated(image, scale); break;
    case FrameStyle::Double: StampFrameStyles::paintDouble(image, scale); break;
    case FrameStyle::SquareTeeth: StampFrameStyles::paintSquareTeeth(image, scale); break;
    }
    return image;
}

} // namespace PictureMakers
