#include "filters/EventPacer.h"
#include "filters/FilterRoutines.h"
#include "filters/Filters.h"

#include <cstring>

namespace {
bool filterBusy = false;

class BusyGuard {
public:
    BusyGuard() { filterBusy = true; }
    ~BusyGuard() { filterBusy = false; }
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;
};

void RunFilter(int code, const FilterPixels &pixels, int parameter)
{
    switch (code) {
    case FilterCode::Sharpen: FilterSharpen(pixels, parameter); break;
    case FilterCode::Negative: FilterNegative(pixels); break;
    case FilterCode::Blur: FilterBlur(pixels); break;
    case FilterCode::Defuse: FilterDefuse(pixels, parameter); break;
    case FilterCode::Edge: FilterEdge(pixels, parameter); break;
    case FilterCode::Contour: FilterContour(pixels, parameter); break;
    case FilterCode::Grayscale: FilterGrayscale(pixels); break;
    case FilterCode::Relief: FilterRelief(pixels); break;
    case FilterCode::Brightness: FilterBrightness(pixels, parameter); break;
    case FilterCode::Pixelize: FilterPixelize(pixels, parameter); break;
    case FilterCode::SwapColors: FilterSwapColors(pixels, parameter); break;
    case FilterCode::Contrast: FilterContrast(pixels, parameter); break;
    case FilterCode::Scattered: FilterScattered(pixels, parameter); break;
    case FilterCode::Aquarel: FilterAquarel(pixels); break;
    case FilterCode::AddNoise: FilterAddNoise(pixels, parameter); break;
    }
}

// Fills PixelData from SourcePixels. A large photo's fresh memory can take a while to
// come in, so the window gets its turns here too.
void CopyRows(const FilterPixels &pixels)
{
    for (int y = 0; y < pixels.height; ++y) {
        std::memcpy(pixels.pixelRow(y), pixels.sourceRow(y), pixels.rowBytes());
        RowDone(pixels);
    }
}

// The picture as the filters see it: 32 bits per pixel, blue, green, red and a fourth
// byte that is kept. Shares the picture's pixels when it already is such a picture.
QImage FilterPicture(const QImage &picture)
{
    switch (picture.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return picture;
    default:
        return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    }
}
} // namespace

bool IsFilterCode(int code)
{
    switch (code) {
    case FilterCode::Sharpen:
    case FilterCode::Negative:
    case FilterCode::Blur:
    case FilterCode::Defuse:
    case FilterCode::Edge:
    case FilterCode::Contour:
    case FilterCode::Grayscale:
    case FilterCode::Relief:
    case FilterCode::Brightness:
    case FilterCode::Pixelize:
    case FilterCode::SwapColors:
    case FilterCode::Contrast:
    case FilterCode::Scattered:
    case FilterCode::Aquarel:
    case FilterCode::AddNoise:
        return true;
    default:
        return false;
    }
}

bool FilterBusy()
{
    return filterBusy;
}

void ApplyFilter(int code, QImage &picture, int parameter)
{
    if (filterBusy || !IsFilterCode(code) || picture.isNull())
        return;
    BusyGuard busy;

    // SourcePixels shares the picture's memory: should the picture be changed while
    // events are processed, Qt copies it first, so the filter still reads the pixels
    // as they were. PixelData is a copy of its own.
    const QImage sourcePixels = FilterPicture(picture);
    QImage pixelData(sourcePixels.size(), sourcePixels.format());
    if (sourcePixels.isNull() || pixelData.isNull())
        return; // no memory for the copies: the picture stays as it is
    EventPacer pacer;
    FilterPixels pixels;
    pixels.width = pixelData.width();
    pixels.height = pixelData.height();
    pixels.pixelData = pixelData.bits();
    pixels.sourcePixels = sourcePixels.constBits();
    pixels.pacer = &pacer;
    CopyRows(pixels);

    RunFilter(code, pixels, parameter);
    pacer.finish();

    // The write-back: the result becomes the picture, whatever happened to it meanwhile.
    picture = pixelData;
}
