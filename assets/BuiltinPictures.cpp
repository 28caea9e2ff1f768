#include "BuiltinPictures.h"

#include "PictureMakers.h"

#include <array>

// Every family is drawn the first time it is asked for and kept for the run. A QImage
// handed out shares the stored pixels until the caller draws on it; drawing then makes
// the caller's own copy, so the stored picture stays as drawn.
namespace {

using PictureMakers::FrameStyle;

const std::array<QImage, 8> &frames()
{
    static const std::array<QImage, 8> stored = [] {
        std::array<QImage, 8> made;
        for (int style = 1; style <= 4; ++style) {
            made[size_t(2 * style - 2)] = PictureMakers::makeFrame(FrameStyle(style), true);
            made[size_t(2 * style - 1)] = PictureMakers::makeFrame(FrameStyle(style), false);
        }
        return made;
    }();
    return stored;
}

const std::array<QImage, 4> &thumbnails()
{
    static const std::array<QImage, 4> stored = [] {
        std::array<QImage, 4> made;
        for (int k = 1; k <= 4; ++k)
            made[size_t(k - 1)] =
                PictureMakers::makeThumbnail(frames()[size_t(2 * k - 2)], k == 4 ? 60 : 62);
        return made;
    }();
    return stored;
}

} // namespace

namespace BuiltinPictures {

QImage frame(int n)
{
    return n >= 1 && n <= 8 ? frames()[size_t(n - 1)] : QImage();
}

QImage thumbnail(int k)
{
    return k >= 1 && k <= 4 ? thumbnails()[size_t(k - 1)] : QImage();
}

QImage startPicture()
{
    static const QImage stored = PictureMakers::makeStartPicture();
    return stored;
}

QImage marginsDiagram()
{
    static const QImage stored = PictureMakers::makeMarginsDiagram();
    return stored;
}

QImage printerPicture()
{
    static const QImage stored = PictureMakers::makePrinterPicture();
    return stored;
}

} // namespace BuiltinPictures
