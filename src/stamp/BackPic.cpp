#include "stamp/BackPic.h"

#include "stamp/PhotoLoader.h"

bool BackPic::load(const QString &path, QSize printSize)
{
    PhotoLoader::WithFinerCopy loaded = printSize.isEmpty() ? PhotoLoader::WithFinerCopy{PhotoLoader::load(path), {}}
                                                            : PhotoLoader::loadWithFinerCopyCovering(path, printSize);
    if (loaded.picture.isNull())
        return false;
    m_image = std::move(loaded.picture);
    m_finer = std::move(loaded.finer);
    return true;
}
