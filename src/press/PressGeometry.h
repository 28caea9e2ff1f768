#pragma once

#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The page of a press-ready PDF, in millimetres from the page's top-left corner: the
// trim (the card as cut), the bleed around it that the background fills, and room for
// crop marks outside the bleed. One card per page.
//
// Crop marks: on each corner two 0.25 pt lines that continue the trim's edges, starting
// MarkGap beyond the bleed edge (so no cut that strays into the bleed shows a mark) and
// MarkLength long; the page leaves MarkRoom on every side for them. Without marks the
// page is the bleed box itself.
struct PressOptions {
    QSizeF trim{90, 50};
    double bleed = 3;
    bool cropMarks = true;

    static constexpr double MinBleed = 0;
    static constexpr double MaxBleed = 5;
    static constexpr double DefaultBleed = 3;
};

class PressGeometry {
public:
    static constexpr double MarkGap = 2;
    static constexpr double MarkLength = 5;
    static constexpr double MarkRoom = 8; // MarkGap + MarkLength and a millimetre to spare
    // Nothing that matters should stand closer to the cut than this.
    static constexpr double SafetyMargin = 3;

    // card: the designed card's own size (C x D mm). The bleed is clamped to 0..5 mm.
    PressGeometry(const PressOptions &options, QSizeF card);

    QSizeF mediaSize() const { return m_media; }
    QRectF mediaBox() const { return {QPointF(), m_media}; }
    QRectF bleedBox() const;
    QRectF trimBox() const;
    // The trim less the safety margin.
    QRectF safeArea() const;
    double bleed() const { return m_bleed; }
    bool hasCropMarks() const { return m_marks; }
    QList<QLineF> cropMarks() const;

    // The card as it stands on the page: scaled to the trim's width and centred on the
    // trim, so a card of another shape is cut above and below (taller than the trim) or
    // padded there with its background (lower than the trim).
    QRectF cardRect() const;
    double cardScale() const { return m_scale; }
    // How much of the card's height the trim cuts off (positive) or adds (negative) in
    // all, in millimetres of the page; 0 for a trim of the card's own shape.
    double heightCut() const;
    // The dialog's line about it: empty when the shapes agree to 0.01 mm, else e.g.
    // "Het kaartje wordt 1,9 mm breder geschaald; boven en onder valt elk 2,1 mm weg."
    QString fitMessage() const;

    // A box in PDF points from the page's bottom-left corner, as the page's dictionary
    // gives it: [left bottom right top].
    static constexpr double PointsPerMm = 72.0 / 25.4;
    QRectF inPoints(const QRectF &mm) const;

private:
    QSizeF m_trim;
    QSizeF m_card;
    double m_bleed;
    bool m_marks;
    double m_room;
    QSizeF m_media;
    double m_scale;
};
