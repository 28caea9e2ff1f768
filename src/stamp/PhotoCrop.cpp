#include "stamp/PhotoCrop.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// The preview reads from copies no wider than this: a quarter of a 24-megapixel photo's
// width still gives the preview several photo pixels per card pixel.
constexpr int FinestLevelWidth = 3520;
constexpr int CoarsestLevelWidth = 440;

QImage smoothlyScaled(const QImage &image, QSize size)
{
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

} // namespace

void PhotoCrop::start(const QImage &photo)
{
    *this = PhotoCrop();
    if (photo.isNull())
        return;
    m_photo = photo;
    m_frame = CropFrame::largestCentred(photo.size());
    QImage level = photo.width() > FinestLevelWidth
        ? smoothlyScaled(photo, QSize(FinestLevelWidth, std::max(1, int(qint64(photo.height()) * FinestLevelWidth / photo.width()))))
        : photo.convertToFormat(QImage::Format_RGB32);
    m_levels.push_back(level);
    while (level.width() / 2 >= CoarsestLevelWidth && level.height() >= 2) {
        level = smoothlyScaled(level, level.size() / 2);
        m_levels.push_back(level);
    }
    m_scale = std::min(double(PhotoArea.width()) / photo.width(), double(PhotoArea.height()) / photo.height());
    const QSize fitted(std::max(1, int(std::lround(photo.width() * m_scale))),
                       std::max(1, int(std::lround(photo.height() * m_scale))));
    // From the smallest copy still larger than the view's photo.
    auto source = std::find_if(m_levels.rbegin(), m_levels.rend(),
                               [fitted](const QImage &l) { return l.width() >= fitted.width(); });
    m_fitted = smoothlyScaled(source == m_levels.rend() ? m_levels.front() : *source, fitted);
}

QRectF PhotoCrop::photoInView() const
{
    const QSizeF size(m_fitted.size());
    return QRectF(QPointF(PhotoArea.left() + (PhotoArea.width() - size.width()) / 2,
                          PhotoArea.top() + (PhotoArea.height() - size.height()) / 2),
                  size);
}

QPointF PhotoCrop::toPhoto(QPointF view) const
{
    return (view - photoInView().topLeft()) / m_scale;
}

QRectF PhotoCrop::frameInView() const
{
    const QRectF r = m_frame.rect();
    return QRectF(photoInView().topLeft() + r.topLeft() * m_scale, r.size() * m_scale);
}

void PhotoCrop::press(QPointF view)
{
    if (!isActive())
        return;
    m_last = view;
    const QRectF f = frameInView();
    const std::pair<QPointF, CropFrame::Corner> corners[] = {{f.topLeft(), CropFrame::Corner::TopLeft},
                                                             {f.topRight(), CropFrame::Corner::TopRight},
                                                             {f.bottomLeft(), CropFrame::Corner::BottomLeft},
                                                             {f.bottomRight(), CropFrame::Corner::BottomRight}};
    for (const auto &[point, corner] : corners)
        if (std::abs(view.x() - point.x()) <= Grip && std::abs(view.y() - point.y()) <= Grip) {
            m_hold = Hold::Corner;
            m_corner = corner;
            return;
        }
    m_hold = f.contains(view) ? Hold::Move : Hold::None;
}

bool PhotoCrop::drag(QPointF view)
{
    const CropFrame before = m_frame;
    if (m_hold == Hold::Move)
        m_frame = m_frame.moved((view - m_last) / m_scale);
    else if (m_hold == Hold::Corner)
        m_frame = m_frame.resized(m_corner, toPhoto(view));
    m_last = view;
    return m_frame.rect() != before.rect();
}

void PhotoCrop::wheel(double notches, QPointF view)
{
    if (!isActive())
        return;
    m_frame = m_frame.zoomed(std::pow(1.1, notches), toPhoto(view));
}

QImage PhotoCrop::preview(QSize size) const
{
    if (!isActive() || size.isEmpty())
        return {};
    // The coarsest copy that still has a pixel for every preview pixel across the frame.
    const QRectF frame = m_frame.rect();
    const QImage *from = &m_levels.front();
    for (const QImage &level : m_levels)
        if (frame.width() * level.width() / m_photo.width() >= size.width())
            from = &level;
    const double per = double(from->width()) / m_photo.width();
    const QRectF part(frame.topLeft() * per, frame.size() * per);
    QImage out(size, QImage::Format_RGB32);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), *from, part);
    return out;
}

QImage PhotoCrop::render(const QColor &background) const
{
    QImage view(ViewSize, QImage::Format_RGB32);
    view.fill(background);
    if (!isActive())
        return view;
    QPainter painter(&view);
    const QRectF photo = photoInView();
    painter.drawImage(photo.topLeft(), m_fitted);
    // Outside the frame the photo is dimmed: what the card leaves out.
    const QRectF f = frameInView();
    QPainterPath outside;
    outside.addRect(photo);
    outside.addRect(f);
    painter.fillPath(outside, QColor(0, 0, 0, 120));
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(f.adjusted(0, 0, -1, -1));
    painter.setBrush(Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    for (const QPointF corner : {f.topLeft(), f.topRight() - QPointF(1, 0), f.bottomLeft() - QPointF(0, 1),
                                 f.bottomRight() - QPointF(1, 1)})
        painter.drawRect(QRectF(corner - QPointF(3, 3), QSizeF(6, 6)));
    return view;
}
