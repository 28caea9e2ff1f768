#pragma once

#include "core/Composition.h"
#include "core/DesignPainter.h"
#include "print/CardPrintLayout.h"
#include "print/PrintedCard.h"
#include "print/SheetGeometry.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>

// How paper maps millimetres and the card's canvas pixels onto a device: shared by the
// sheet's drawing and whatever measures where a card's parts land on paper.
class MillimetreScale {
public:
    explicit MillimetreScale(const QPaintDevice &device)
        : m_x(device.logicalDpiX() / 25.4), m_y(device.logicalDpiY() / 25.4)
    {
    }
    QPointF point(QPointF mm) const { return {mm.x() * m_x, mm.y() * m_y}; }
    QRectF rect(const QRectF &mm) const { return {point(mm.topLeft()), point(mm.bottomRight())}; }

private:
    double m_x;
    double m_y;
};

// Paper's mapping: each line's layout place on paper, the printed font sizes, and
// the canvas's 440 x 270 pixels onto the card's C x D millimetres for what was moved
// and placed, the same mapping the background takes.
class PaperMapping : public FaceMapping {
public:
    PaperMapping(const MillimetreScale &mm, const PrintedCard &card, const SheetGeometry &sheet, QPointF corner)
        : m_mm(mm), m_card(card), m_corner(corner), m_cardSize(sheet.cardWidth, sheet.cardHeight),
          m_perPixel(sheet.cardWidth / Composition::CanvasWidth, sheet.cardHeight / Composition::CanvasHeight)
    {
    }
    QPointF linePlace(int line) const override
    {
        return m_mm.point(CardPrintLayout::textLinePlace(m_card.layoutKind, line) + m_corner);
    }
    double columnWidth(int line) const override
    {
        const int left = Composition::textLinePosition(m_card.layoutKind, line).x();
        return distance(QPointF(Composition::textColumnRight(m_card.layoutKind, line) - left, 0)).x();
    }
    QFont font(const LineFont &look) const override
    {
        return look == m_card.cardFont ? m_card.font : PrintedCard::printedFont(look);
    }
    QPointF distance(QPointF canvas) const override
    {
        return m_mm.point(QPointF(canvas.x() * m_perPixel.width(), canvas.y() * m_perPixel.height()));
    }
    QRectF rect(const QRectF &canvas) const override
    {
        const QPointF size = distance(QPointF(canvas.width(), canvas.height()));
        return QRectF(m_mm.point(m_corner) + distance(canvas.topLeft()), QSizeF(size.x(), size.y()));
    }
    double unitAspect() const override
    {
        const QPointF perMm = m_mm.point(QPointF(1, 1));
        return perMm.y() / perMm.x();
    }
    // The print copies carry the detail paper can show, so a PDF stores them without
    // JPEG's loss (which would cost fine detail what the copy gained); a card without
    // them prints its screen pictures as it always did.
    void drawCanvas(QPainter &painter, const QImage &canvas, bool printCopy) const override
    {
        painter.setRenderHint(QPainter::LosslessImageRendering, printCopy);
        painter.drawImage(m_mm.rect(QRectF(m_corner, m_cardSize)), canvas);
    }
    void drawOutline(QPainter &painter, const QColor &colour) const override
    {
        for (const QRectF &bar : CardPrintLayout::borderBars(m_cardSize.width(), m_cardSize.height()))
            painter.fillRect(m_mm.rect(bar.translated(m_corner)), colour);
    }
    void drawStamp(QPainter &painter, const QImage &stamp, bool printCopy, QPointF offset) const override
    {
        painter.setRenderHint(QPainter::LosslessImageRendering, printCopy);
        painter.drawImage(
            m_mm.rect(CardPrintLayout::stampRect(m_card.layoutKind).translated(m_corner)).translated(distance(offset)),
            stamp);
    }
    void prepareObjects(QPainter &painter) const override { painter.setRenderHint(QPainter::LosslessImageRendering, true); }
    StampPlace stampPlace() const override { return StampPlace::UnderText; }
    bool exactShapes() const override { return true; }

private:
    const MillimetreScale &m_mm;
    const PrintedCard &m_card;
    QPointF m_corner;
    QSizeF m_cardSize;
    QSizeF m_perPixel;
};

