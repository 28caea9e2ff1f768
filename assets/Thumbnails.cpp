#include "assets/PictureMakers.h"

namespace PictureMakers {

QImage makeThumbnail(const QImage &portraitFrame, int width)
{
    QImage thumbnail = portraitFrame.copy(0, 0, width, 80);
    const QRgb darkerInside = qRgb(200, 200, 200);
    for (int y = 0; y < thumbnail.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(thumbnail.scanLine(y));
        for (int x = 0; x < thumbnail.width(); ++x)
            if (row[x] == frameInside)
                row[x] = darkerInside;
    }
    return thumbnail;
}

} // namespace PictureMakers
