#include "stamp/BackPic.h"

#include "stamp/PhotoLoader.h"

PhotoLoader::Outcome BackPic::load(const QString &path, QSize printSize, QSize decodeCover)
{
    PhotoLoader::WithFinerCopy loaded;
    if (printSize.isEmpty()) {
        PhotoLoader::Use use;
        use.cover = decodeCover;
        PhotoLoader::Loaded plain = PhotoLoader::read(path, use);
        loaded = {std::move(plain.picture), QImage(), plain.fault, plain.claimed};
    } else {
        loaded = PhotoLoader::loadWithFinerCopyCovering(path, printSize, decodeCover);
    }
    if (loaded.picture.isNull())
        return loaded.outcome();
    m_image = std::move(loaded.picture);
    m_finer = std::move(loaded.finer);
    return loaded.outcome();
}
