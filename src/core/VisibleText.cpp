#include "core/VisibleText.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {

// Lines up to this length are drawn as they are: measuring them costs nothing.
constexpr qsizetype ShortLine = 256;
// Characters kept past the point found beyond the edge, so that kerning, ligatures and
// combining marks at the edge shape exactly as in the whole line.
constexpr qsizetype SpareCharacters = 16;
// However little the characters advance, no line draws more than this many. A card line
// is 440 pixels wide: from 3 points up not even a line of i's holds
// that many, and below that the text is a smudge. Zero-width characters (tens of
// thousands of combining marks on one letter) would otherwise have every paint shape the
// whole line, seconds each; shaping this many marks takes a few milliseconds.
constexpr qsizetype MostCharacters = 512;

// The first `length` code units of text, a surrogate pair never split.
QString cut(const QString &text, qsizetype length)
{
    if (length >= text.size())
        return text;
    if (text[length - 1].isHighSurrogate())
        ++length;
    return text.left(length);
}

bool turnsRightToLeft(QStringView text)
{
    for (const char32_t c : text.toUcs4()) {
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
        case QChar::DirFSI:
        case QChar::DirPDF:
        case QChar::DirPDI:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirLRI:
            return true;
        default:
            break;
        }
    }
    return false;
}

} // namespace

namespace VisibleText {

QString prefix(const QFontMetricsF &metrics, double visibleWidth, const QString &whole)
{
    if (whole.size() <= ShortLine)
        return whole;
    const QString text = cut(whole, MostCharacters);
    // Past this advance nothing drawn after it reaches back into view, even a glyph
    // with the font's widest overhang.
    const double enough = std::max(visibleWidth, 0.0) + 2 * metrics.maxWidth();
    qsizetype length = ShortLine;
    for (;;) {
        if (length >= text.size())
            return text;
        const QStringView part = QStringView(text).left(length);
        if (turnsRightToLeft(part))
            return text;
        if (metrics.horizontalAdvance(part.toString()) > enough)
            break;
        length *= 2;
    }
    return cut(text, length + SpareCharacters);
}

QString prefix(const QPainter &painter, const QFontMetricsF &metrics, double x, const QString &text)
{
    if (text.size() <= ShortLine)
        return text;
    const QPaintDevice *device = painter.device();
    bool invertible = false;
    const QTransform toLogical = painter.combinedTransform().inverted(&invertible);
    if (!device || !invertible)
        return cut(text, MostCharacters);
    const QRectF shown = toLogical.mapRect(QRectF(0, 0, device->width(), device->height()));
    return prefix(metrics, shown.right() - x, text);
}

} // namespace VisibleText
