#include "assets/BuiltinPictures.h"

#include "assets/PictureMakers.h"
#include "assets/StartPicturePixels.h"

#include <array>

// Every family is drawn the first time it is asked for and kept for the run, except the
// start picture, which the build draws. A QImage handed out shares the stored pixels
// until the caller draws on it; drawing then makes the caller's own copy, so the stored
// picture stays as drawn.
namespace {

using PictureMakers::FrameStyle;

// Frames are drawn one at a time: start-up needs only the first, and the rest
// would cost a visible part of the time to the first painted window.
const QImage &storedFrame(int n)
{
    static std::array<QImage, 8> stored;
    QImage &picture = stored[size_t(n - 1)];
    if (picture.isNull())
        picture = PictureMakers::makeFrame(FrameStyle((n + 1) / 2), n % 2 == 1);
    return picture;
}

// The frames drawn at the print scale, for the stamp's print copy; made on the first cut.
const QImage &storedPrintFrame(int n)
{
    static std::array<QImage, 8> stored;
    QImage &picture = stored[size_t(n - 1)];
    if (picture.isNull())
        picture = PictureMakers::makeFrame(FrameStyle((n + 1) / 2), n % 2 == 1, BuiltinPictures::PrintScale);
    return picture;
}

const QImage &storedThumbnail(int k)
{
    static std::array<QImage, 4> stored;
    QImage &picture = stored[size_t(k - 1)];
    if (picture.isNull())
        picture = PictureMakers::makeThumbnail(storedFrame(2 * k - 1), k == 4 ? 60 : 62);
    return picture;
}

} // namespace

namespace BuiltinPictures {

QImage frame(int n)
{
    return n >= 1 && n <= 8 ? storedFrame(n) : QImage();
}

QImage frame(int n, int scale)
{
    if (n < 1 || n > 8 || scale < 1)
        return {};
    if (scale == 1)
        return storedFrame(n);
    if (scale == PrintScale)
        return storedPrintFrame(n);
    return PictureMakers::makeFrame(FrameStyle((n + 1) / 2), n % 2 == 1, scale);
}

QImage thumbnail(int k)
{
    return k >= 1 && k <= 4 ? storedThumbnail(k) : QImage();
}

QImage startPicture()
{
    // The build's pixels, wrapped without a copy; a change to the picture copies it first.
    static const QImage stored(reinterpret_cast<const uchar *>(StartPicturePixels::pixels), StartPicturePixels::width,
                               StartPicturePixels::height, StartPicturePixels::width * 4, QImage::Format_RGB32);
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
