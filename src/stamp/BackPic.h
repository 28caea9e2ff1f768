#pragma once

#include "stamp/PhotoLoader.h"

#include <QImage>
#include <QString>

// The one full-size picture buffer of the photo panel: the last picture loaded by
// "Foto Inladen" or by the background photo command. Both commands load through the
// same object, so that zooming afterwards scales whichever picture came last.
class BackPic {
public:
    // Replaces the picture with the file's; on failure nothing changes. With a print
    // size, a metafile is also drawn again finer, to cover that size on paper. With a
    // decode cover, a larger picture is held only as large as covering it needs
    // (PhotoLoader::Use::cover).
    PhotoLoader::Outcome load(const QString &path, QSize printSize = QSize(), QSize decodeCover = QSize());

    // The picture, Format_RGB32; null before anything was loaded.
    const QImage &image() const { return m_image; }
    QSize size() const { return m_image.size(); }
    // The picture drawn again at a whole multiple of its size, for paper; null unless a
    // metafile was loaded with a print size.
    const QImage &finer() const { return m_finer; }
    // The source for paper: the finer drawing when there is one, else the picture.
    const QImage &printSource() const { return m_finer.isNull() ? m_image : m_finer; }

private:
    QImage m_image;
    QImage m_finer;
};
