#include "stamp/ShownPhoto.h"

#include "assets/BuiltinPictures.h"
#include "stamp/PictureLimits.h"
#include "stamp/ZoomLevels.h"

#include <QGuiApplication>
#include <QPalette>

ShownPhoto::ShownPhoto()
    : m_background(QGuiApplication::palette().color(QPalette::Window))
{
    show(BuiltinPictures::startPicture(), ZoomLevels::Actual);
}

void ShownPhoto::show(const QImage &picture, int zoomIndex)
{
    m_picture = picture.depth() == 32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    m_zoomIndex = zoomIndex;
    m_shownSize = m_picture.isNull() ? QSize(0, 0) : ZoomLevels::zoomedSize(m_picture.size(), zoomIndex);
}

QImage ShownPhoto::render() const
{
    return crop(QRect(QPoint(0, 0), size()));
}

QImage ShownPhoto::crop(const QRect &rect) const
{
    if (!PictureLimits::fits(rect.width(), rect.height()))
        return {};
    QImage out(rect.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(m_background);
    const QRect covered = rect.intersected(QRect(QPoint(0, 0), m_shownSize));
    if (covered.isEmpty())
        return out;

    const PixelMapping mapping = ZoomLevels::mapping(m_zoomIndex);
    const std::vector<int> columns = mapping.table(covered.left(), covered.width(), m_picture.width());
    const int outLeft = covered.left() - rect.left();
    for (int y = covered.top(); y <= covered.bottom(); ++y) {
        const int sourceRow = std::min(mapping.source(y), m_picture.height() - 1);
        const auto *from = reinterpret_cast<const QRgb *>(m_picture.constScanLine(sourceRow));
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y - rect.top())) + outLeft;
        for (size_t i = 0; i < columns.size(); ++i)
            to[i] = from[columns[i]] | 0xFF000000u;
    }
    return out;
}
