#pragma once

#include <QRectF>
#include <QSize>

// The part of a photo chosen for the card: a rectangle in photo pixels in the card's
// proportion (440 : 270), always inside the photo. Every change gives a new frame
// that keeps both rules; a photo too small for the smallest frame keeps its largest.
class CropFrame {
public:
    static constexpr double Proportion = 440.0 / 270.0;
    // The smallest frame is this many photo pixels wide (or the largest, if smaller).
    static constexpr double MinWidth = 44;

    enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

    CropFrame() = default;
    // The largest frame the photo holds, centred.
    static CropFrame largestCentred(QSize photo);

    QRectF rect() const { return m_rect; }
    QSize photo() const { return m_photo; }

    // Moved by a distance, stopped at the photo's edges.
    CropFrame moved(QPointF by) const;
    // The corner dragged to a point while the opposite corner stays: as large as reaches
    // the point in the proportion, no larger than the photo's room on that side.
    CropFrame resized(Corner corner, QPointF to) const;
    // Smaller by a factor (> 1 zooms in) with the photo's point `around` keeping its
    // place in the frame, then kept inside the photo.
    CropFrame zoomed(double factor, QPointF around) const;

private:
    CropFrame(QSize photo, QRectF rect) : m_photo(photo), m_rect(rect) {}
    double largestWidth() const;
    double smallestWidth() const;
    QRectF inside(QRectF rect) const;

    QSize m_photo;
    QRectF m_rect;
};
