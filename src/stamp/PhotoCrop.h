#pragma once

#include "stamp/CropFrame.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <vector>

// "Bijsnijden…" in the widened photo panel: the whole photo fitted into the view's left
// part with the crop frame over it, and beside it the card as the frame makes it. The
// mouse moves the frame (inside it), resizes it (at a corner, the proportion kept) and
// the wheel zooms it around the pointer. Positions are view pixels; the frame itself is
// kept in photo pixels, so that nothing is lost to the view's scale.
class PhotoCrop {
public:
    static constexpr QSize ViewSize{707, 420};
    static constexpr QRect PhotoArea{0, 0, 477, 420};
    static constexpr QRect PreviewArea{487, 0, 220, 135};
    // How near a corner (view pixels) the mouse takes the corner.
    static constexpr int Grip = 8;

    // Starts on a photo with the largest centred frame.
    void start(const QImage &photo);
    bool isActive() const { return !m_photo.isNull(); }
    void stop() { *this = PhotoCrop(); }

    const CropFrame &frame() const { return m_frame; }
    void setFrame(const CropFrame &frame) { m_frame = frame; }
    // The fitted photo's place in the view.
    QRectF photoInView() const;
    QPointF toPhoto(QPointF view) const;
    QRectF frameInView() const;

    void press(QPointF view);
    // True when the frame changed.
    bool drag(QPointF view);
    void release() { m_hold = Hold::None; }
    // Notches of the wheel (positive away from the user: zoom in) at a view point.
    void wheel(double notches, QPointF view);

    // The view's picture: the fitted photo, dimmed outside the frame, and the frame with
    // its corners, on the view's background colour; PreviewArea is left for the card.
    QImage render(const QColor &background) const;
    // The frame's part of the photo at a size, smoothly, from the finest prepared copy that
    // has enough pixels (the live preview, quick enough for every mouse move).
    QImage preview(QSize size) const;

private:
    enum class Hold { None, Move, Corner };

    QImage m_photo;
    // The photo halved again and again from a copy no wider than a few card widths, for
    // the preview; the first is the finest.
    std::vector<QImage> m_levels;
    QImage m_fitted;
    double m_scale = 1;
    CropFrame m_frame;
    Hold m_hold = Hold::None;
    CropFrame::Corner m_corner = CropFrame::Corner::TopLeft;
    QPointF m_last;
};
