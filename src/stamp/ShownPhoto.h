#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include "stamp/ZoomLevels.h"

// What the photo view `Pic` shows: one picture at one zoom level, drawn from the
// view's top-left corner scrolled by an offset, with the view's background colour
// wherever the picture does not reach. The zoomed picture is never built whole (a 24-megapixel photo at 200 %
// would take 384 MB): every pixel that is shown or cut is sampled from the picture
// when asked for, by the zoom's nearest-neighbour rule, so it equals the pixel of the
// whole zoomed picture at that place.
class ShownPhoto {
public:
    static constexpr int NormalWidth = 230;
    static constexpr int EnlargedWidth = 707;
    static constexpr int Height = 420;

    // Starts with the start picture at 100 % in the normal width.
    ShownPhoto();

    // Shows a picture from the top-left corner at a zoom level (index in tenths, or
    // ZoomLevels::Fit for the whole picture in the view at its width). The
    // view shares the picture's pixels; it keeps showing them if the caller's buffer
    // gets another picture later. `finer`, when given, is the same picture drawn again at a
    // whole multiple of its size (a metafile has no pixels of its own): cuts for paper
    // come from it.
    void show(const QImage &picture, int zoomIndex, const QImage &finer = QImage());
    const QImage &picture() const { return m_picture; }
    int zoomIndex() const { return m_zoomIndex; }
    ZoomLevels::Scale scale() const { return m_scale; }
    // The size of the (zoomed) picture as drawn in the view.
    QSize shownSize() const { return m_shownSize; }

    // A fitted picture is fitted again to the new width.
    void setWidth(int width);
    int width() const { return m_width; }
    QSize size() const { return {m_width, Height}; }

    // The colour of the view where no picture is: the system's window colour.
    QColor background() const { return m_background; }
    void setBackground(const QColor &color) { m_background = color; }

    // Scrolling. A zoomed picture larger than the view gets a scroll bar along the side it
    // overflows, which covers that much of the view's other edge (`extent` pixels, the
    // style's bar width; none at first), so a picture that then overflows that way too
    // gets the other bar. The offset is the zoomed pixel at the view's top-left corner,
    // kept between (0, 0) and the picture's far edges at the covered view's far edges.
    void setBarExtent(int extent);
    bool hasHorizontalBar() const { return m_bars.horizontal; }
    bool hasVerticalBar() const { return m_bars.vertical; }
    // The part of the view that no bar covers.
    QSize viewport() const;
    QPoint maxOffset() const;
    QPoint offset() const { return m_offset; }
    void scrollTo(QPoint offset);
    // The picture's point at the view's top-left corner, in picture pixels; scrolling to
    // it brings that point back to the corner at another zoom.
    QPointF cornerInPicture() const;
    void scrollToCorner(QPointF picturePoint);

    // The view's image as the user sees it, view-sized, at the offset.
    QImage render() const;
    // The pixels of a rectangle of the zoomed picture, 1:1 (view pixels when not
    // scrolled). The rectangle may reach past the view's edges (a drag goes on outside
    // the view): where the drawn picture extends, its pixels are given there too; beyond
    // the picture, the background colour.
    QImage crop(const QRect &rect) const;
    // What crop(rect) shows, resampled smoothly from the picture's own pixels (or its
    // finer drawing) to size (area averaging where it reduces), whatever the zoom: the
    // print copy of a cut.
    // The part of the rectangle beyond the drawn picture shows the background colour.
    QImage cropFromSource(const QRect &rect, QSize size) const;

private:
    struct Bars {
        bool horizontal = false;
        bool vertical = false;
    };
    void layOut();

    QImage m_picture;
    QImage m_finer;
    int m_zoomIndex;
    ZoomLevels::Scale m_scale;
    QSize m_shownSize;
    QPoint m_offset;
    int m_barExtent = 0;
    Bars m_bars;
    int m_width = NormalWidth;
    QColor m_background;
};
