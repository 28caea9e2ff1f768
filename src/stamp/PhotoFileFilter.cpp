#include "stamp/PhotoFileFilter.h"

namespace PhotoFileFilter {

QString filter()
{
    return QStringLiteral("Foto ( Jpg, Bmp, Gif, Wmf )|*.jpg;*.jpeg;*.bmp;*.gif;*.wmf");
}

} // namespace PhotoFileFilter
