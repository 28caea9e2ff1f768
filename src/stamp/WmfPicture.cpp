#include "stamp/WmfPicture.h"

#include "stamp/PictureLimits.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <memory>

extern "C" {
#include <libwmf/api.h>
#include <libwmf/gd.h>
}

namespace {

constexpr double ScreenDpi = 96.0;
// libwmf's device coordinates are points.
constexpr double PointsPerInch = 72.0;

quint32 le16(QByteArrayView b, qsizetype i) { return uint8_t(b[i]) | quint32(uint8_t(b[i + 1])) << 8; }
qint16 signed16(QByteArrayView b, qsizetype i) { return qint16(le16(b, i)); }

bool isPlaceable(QByteArrayView b)
{
    return b.size() >= 22 && le16(b, 0) == 0xCDD7 && le16(b, 2) == 0x9AC6;
}

struct ApiDeleter {
    void operator()(wmfAPI *api) const { wmf_api_destroy(api); }
};
using Api = std::unique_ptr<wmfAPI, ApiDeleter>;

Api createApi()
{
    wmfAPI_Options options{};
    options.function = wmf_gd_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR
        | WMF_OPT_NO_DEBUG;
    wmfAPI *api = nullptr;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None)
        return nullptr;
    return Api(api);
}

// The picture's frame in device points and its size in pixels. A placeable file says
// both in its header; libwmf's scan of it does not report a box, so it is worked out here.
bool placeableFrame(QByteArrayView b, wmfD_Rect &box, QSize &pixels)
{
    const double left = signed16(b, 6), top = signed16(b, 8);
    const double right = signed16(b, 10), bottom = signed16(b, 12);
    const double unitsPerInch = le16(b, 14);
    if (unitsPerInch <= 0)
        return false;
    const double toPoints = PointsPerInch / unitsPerInch;
    box.TL.x = float(std::min(left, right) * toPoints);
    box.TL.y = float(std::min(top, bottom) * toPoints);
    box.BR.x = float(std::max(left, right) * toPoints);
    box.BR.y = float(std::max(top, bottom) * toPoints);
    pixels = QSize(int(std::lround(std::abs(right - left) * ScreenDpi / unitsPerInch)),
                   int(std::lround(std::abs(bottom - top) * ScreenDpi / unitsPerInch)));
    return true;
}

// A plain metafile's scan reports the extent of its drawing in its own units, which
// count as screen pixels.
QSize scannedPixels(const wmfD_Rect &box)
{
    return QSize(int(std::lround(box.BR.x - box.TL.x)), int(std::lround(box.BR.y - box.TL.y)));
}

QImage toImage(const int *gdPixels, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int *from = gdPixels + qsizetype(y) * size.width();
        // gd keeps 0x00RRGGBB with a 7-bit transparency on top; the picture is opaque.
        for (int x = 0; x < size.width(); ++x)
            row[x] = 0xFF000000u | (quint32(from[x]) & 0x00FFFFFFu);
    }
    return image;
}

} // namespace

namespace WmfPicture {

bool looksLikeWmf(QByteArrayView b)
{
    if (isPlaceable(b))
        return true;
    // Plain header: type 1 (memory) or 2 (disk), 9 words long, version 1.0 or 3.0.
    return b.size() >= 18 && (le16(b, 0) == 1 || le16(b, 0) == 2) && le16(b, 2) == 9
        && (le16(b, 4) == 0x0100 || le16(b, 4) == 0x0300);
}

QImage render(QByteArrayView bytes)
{
    if (!looksLikeWmf(bytes))
        return {};
    Api api = createApi();
    if (!api)
        return {};
    // libwmf only reads the buffer; it takes it through a non-const pointer.
    QByteArray data = bytes.toByteArray();
    if (wmf_mem_open(api.get(), reinterpret_cast<unsigned char *>(data.data()), long(data.size()))
        != wmf_E_None)
        return {};
    wmfD_Rect box{};
    if (wmf_scan(api.get(), 0, &box) != wmf_E_None)
        return {};
    QSize pixels = scannedPixels(box);
    if (isPlaceable(bytes) && !placeableFrame(bytes, box, pixels))
        return {};
    if (!PictureLimits::fits(pixels.width(), pixels.height()))
        return {};

    wmf_gd_t *device = WMF_GD_GetData(api.get());
    device->type = wmf_gd_image;
    device->bbox = box;
    device->width = unsigned(pixels.width());
    device->height = unsigned(pixels.height());
    if (wmf_play(api.get(), 0, &box) != wmf_E_None || !device->gd_image)
        return {};
    const int *gdPixels = wmf_gd_image_pixels(device->gd_image);
    return gdPixels ? toImage(gdPixels, pixels) : QImage();
}

} // namespace WmfPicture
