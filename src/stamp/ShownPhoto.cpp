#include "stamp/ShownPhoto.h"

#include "assets/BuiltinPictures.h"
#include "core/PictureLimits.h"
#include "stamp/ZoomLevels.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <cstring>

ShownPhoto::ShownPhoto()
    : m_background(QGuiApplication::palette().color(QPalette::Window))
{
    show(BuiltinPictures::startPicture(), ZoomLevels::Actual);
}

void ShownPhoto::show(const QImage &picture, int zoomIndex, const QImage &finer)
{
    m_picture = picture.depth() == 32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
    // Only a drawing of this picture at one whole scale both ways can stand in for it.
    const bool sameAtAScale = !finer.isNull() && !m_picture.isNull() && finer.width() % m_picture.width() == 0
        && finer.width() / m_picture.width() * m_picture.height() == finer.height();
    m_finer = sameAtAScale ? finer.convertToFormat(QImage::Format_RGB32) : QImage();
    m_zoomIndex = zoomIndex;
    m_offset = QPoint(0, 0);
    layOut();
}

void ShownPhoto::setWidth(int width)
{
    m_width = width;
    layOut();
}

void ShownPhoto::setBarExtent(int extent)
{
    m_barExtent = std::max(0, extent);
    layOut();
}

void ShownPhoto::layOut()
{
    // "Passend" fits the whole view: a picture that fits needs no bar.
    m_scale = m_zoomIndex == ZoomLevels::Fit ? ZoomLevels::fitScale(m_picture.size(), size())
                                             : ZoomLevels::scale(m_zoomIndex);
    m_shownSize = m_picture.isNull() ? QSize(0, 0) : ZoomLevels::zoomedSize(m_picture.size(), m_scale);
    Bars bars{m_shownSize.width() > m_width, m_shownSize.height() > Height};
    // A bar takes its width from the other direction; twice settles it.
    for (int round = 0; round < 2; ++round) {
        bars.horizontal = bars.horizontal || (bars.vertical && m_shownSize.width() > m_width - m_barExtent);
        bars.vertical = bars.vertical || (bars.horizontal && m_shownSize.height() > Height - m_barExtent);
    }
    m_bars = bars;
    scrollTo(m_offset);
}

QSize ShownPhoto::viewport() const
{
    return {m_width - (m_bars.vertical ? m_barExtent : 0), Height - (m_bars.horizontal ? m_barExtent : 0)};
}

QPoint ShownPhoto::maxOffset() const
{
    const QSize room = viewport();
    return {std::max(0, m_shownSize.width() - room.width()), std::max(0, m_shownSize.height() - room.height())};
}

void ShownPhoto::scrollTo(QPoint offset)
{
    const QPoint most = maxOffset();
    m_offset = QPoint(std::clamp(offset.x(), 0, most.x()), std::clamp(offset.y(), 0, most.y()));
}

QPointF ShownPhoto::cornerInPicture() const
{
    return QPointF(m_offset) * double(m_scale.den) / double(m_scale.num);
}

void ShownPhoto::scrollToCorner(QPointF picturePoint)
{
    const QPointF zoomed = picturePoint * double(m_scale.num) / double(m_scale.den);
    scrollTo(QPoint(int(std::lround(zoomed.x())), int(std::lround(zoomed.y()))));
}

QImage ShownPhoto::render() const
{
    return crop(QRect(m_offset, size()));
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

    const PixelMapping mapping = ZoomLevels::mapping(m_scale);
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

QImage ShownPhoto::cropFromSource(const QRect &rect, QSize size) const
{
    if (rect.isEmpty() || size.isEmpty() || !PictureLimits::fits(size.width(), size.height()))
        return {};
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(m_background);
    const QRect covered = rect.intersected(QRect(QPoint(0, 0), m_shownSize));
    if (covered.isEmpty() || m_picture.isNull())
        return out;

    // Where the covered part lies in the output.
    const double outPerView = double(size.width()) / rect.width();
    const double outPerViewY = double(size.height()) / rect.height();
    const QRect target(QPoint(int(std::lround((covered.left() - rect.left()) * outPerView)),
                              int(std::lround((covered.top() - rect.top()) * outPerViewY))),
                       QPoint(int(std::lround((covered.right() + 1 - rect.left()) * outPerView)) - 1,
                              int(std::lround((covered.bottom() + 1 - rect.top()) * outPerViewY)) - 1));
    // The covered part in source pixels: a zoomed pixel edge v lies at v * den / num in
    // the picture, and that many times further in its finer drawing.
    const QImage &source = m_finer.isNull() ? m_picture : m_finer;
    const double perView = double(m_scale.den) / double(m_scale.num) * source.width() / m_picture.width();
    const QRectF exact = QRectF(covered.left() * perView, covered.top() * perView, covered.width() * perView,
                                covered.height() * perView)
                             .intersected(QRectF(source.rect()));
    if (target.isEmpty() || exact.isEmpty())
        return out;
    QImage resampled;
    if (exact.width() >= target.width() && exact.height() >= target.height()) {
        // A reduction averages the photo's pixels over each print pixel. Rounding the
        // edges to whole photo pixels moves them by less than half a print pixel.
        const QRect pixels = QRect(QPoint(int(std::lround(exact.left())), int(std::lround(exact.top()))),
                                   QPoint(int(std::lround(exact.right())) - 1, int(std::lround(exact.bottom())) - 1))
                                 .intersected(source.rect());
        if (pixels.isEmpty())
            return out;
        // A view on the picture's pixels: a cut from a large photo copies nothing but the result.
        const QImage region(source.constScanLine(pixels.top()) + pixels.left() * 4, pixels.width(),
                            pixels.height(), source.bytesPerLine(), source.format());
        resampled = region.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_RGB32);
    } else {
        // An enlargement interpolates between the photo's pixels from the exact edges,
        // which at 200 % fall between two photo pixels.
        resampled = QImage(target.size(), QImage::Format_RGB32);
        QPainter painter(&resampled);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(target.size())), source, exact);
    }
    for (int y = 0; y < resampled.height(); ++y)
        std::memcpy(out.scanLine(target.top() + y) + target.left() * 4, resampled.constScanLine(y),
                    size_t(resampled.width()) * 4);
    return out;
}
