#pragma once

#include <QImage>
#include <QString>

// The one full-size picture buffer of the photo panel: the last picture loaded by
// "Foto Inladen" or by the background photo command. Both commands load through the
// same object, so that zooming afterwards scales whichever picture came last.
class BackPic {
public:
    // Replaces the picture with the file's; on failure nothing changes.
    bool load(const QString &path);

    // The picture, Format_RGB32; null before anything was loaded.
    const QImage &image() const { return m_image; }
    QSize size() const { return m_image.size(); }

private:
    QImage m_image;
};
