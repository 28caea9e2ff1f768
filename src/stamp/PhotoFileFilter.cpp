#include "stamp/PhotoFileFilter.h"

namespace PhotoFileFilter {

QString filter()
{
    // Every photo the loader reads comes first, so that a phone's HEIC is listed at once;
    // the classic entry stays for those who look for it.
    return QStringLiteral("Foto's ( Jpg, Png, Heic, WebP, Tiff, Bmp, Gif, Wmf )"
                          "|*.jpg;*.jpeg;*.png;*.heic;*.heif;*.webp;*.tif;*.tiff;*.bmp;*.gif;*.wmf"
                          "|Foto ( Jpg, Bmp, Gif, Wmf )|*.jpg;*.jpeg;*.bmp;*.gif;*.wmf");
}

} // namespace PhotoFileFilter
