#include "stamp/BackPic.h"

#include "stamp/PhotoLoader.h"

bool BackPic::load(const QString &path)
{
    QImage picture = PhotoLoader::load(path);
    if (picture.isNull())
        return false;
    m_image = std::move(picture);
    return true;
}
