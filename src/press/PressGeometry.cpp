#include "press/PressGeometry.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

QString millimetres(double mm)
{
    return QLocale(QLocale::Dutch).toString(mm, 'f', 1) + QStringLiteral(" mm");
}

} // namespace

PressGeometry::PressGeometry(const PressOptions &options, QSizeF card)
    : m_trim(options.trim), m_card(card.isEmpty() ? options.trim : card),
      m_bleed(std::clamp(options.bleed, PressOptions::MinBleed, PressOptions::MaxBleed)), m_marks(options.cropMarks),
      m_room(options.cropMarks ? MarkRoom : 0),
      m_media(m_trim.width() + 2 * (m_bleed + m_room), m_trim.height() + 2 * (m_bleed + m_room)),
      m_scale(m_trim.width() / m_card.width())
{
}

QRectF PressGeometry::bleedBox() const
{
    return QRectF(m_room, m_room, m_trim.width() + 2 * m_bleed, m_trim.height() + 2 * m_bleed);
}

QRectF PressGeometry::trimBox() const { return QRectF(QPointF(m_room + m_bleed, m_room + m_bleed), m_trim); }

QRectF PressGeometry::safeArea() const
{
    return trimBox().adjusted(SafetyMargin, SafetyMargin, -SafetyMargin, -SafetyMargin);
}

QList<QLineF> PressGeometry::cropMarks() const
{
    if (!m_marks)
        return {};
    const QRectF trim = trimBox();
    const double from = m_bleed + MarkGap;
    const double to = from + MarkLength;
    QList<QLineF> marks;
    for (const double x : {trim.left(), trim.right()}) {
        marks.append(QLineF(x, trim.top() - from, x, trim.top() - to));
        marks.append(QLineF(x, trim.bottom() + from, x, trim.bottom() + to));
    }
    for (const double y : {trim.top(), trim.bottom()}) {
        marks.append(QLineF(trim.left() - from, y, trim.left() - to, y));
        marks.append(QLineF(trim.right() + from, y, trim.right() + to, y));
    }
    return marks;
}

QRectF PressGeometry::cardRect() const
{
    const QRectF trim = trimBox();
    const double height = m_card.height() * m_scale;
    return QRectF(trim.left(), trim.center().y() - height / 2, trim.width(), height);
}

double PressGeometry::heightCut() const { return m_card.height() * m_scale - m_trim.height(); }

QString PressGeometry::fitMessage() const
{
    const double cut = heightCut();
    if (std::abs(cut) < 0.01 && std::abs(m_scale - 1) < 1e-9)
        return {};
    QString scaled;
    const double widthChange = m_trim.width() - m_card.width();
    if (std::abs(widthChange) >= 0.01)
        scaled = QStringLiteral("Het kaartje wordt %1 %2 geschaald")
                     .arg(millimetres(std::abs(widthChange)),
                          widthChange > 0 ? QStringLiteral("breder") : QStringLiteral("smaller"));
    else
        scaled = QStringLiteral("Het kaartje houdt zijn breedte");
    if (std::abs(cut) < 0.01)
        return scaled + QStringLiteral(".");
    if (cut > 0)
        return scaled + QStringLiteral("; boven en onder valt elk %1 weg.").arg(millimetres(cut / 2));
    return scaled + QStringLiteral("; boven en onder komt elk %1 achtergrond bij.").arg(millimetres(-cut / 2));
}

QRectF PressGeometry::inPoints(const QRectF &mm) const
{
    const double left = mm.left() * PointsPerMm;
    const double right = mm.right() * PointsPerMm;
    const double bottom = (m_media.height() - mm.bottom()) * PointsPerMm;
    const double top = (m_media.height() - mm.top()) * PointsPerMm;
    return QRectF(QPointF(left, bottom), QPointF(right, top));
}
