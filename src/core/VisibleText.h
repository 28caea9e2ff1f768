#pragma once

#include <QString>

class QFontMetricsF;
class QPainter;

// A text line is drawn from its place to the right and is never wrapped, so of a very
// long line (a pasted page of text) only a prefix can show. Shaping all of it costs
// seconds per card; drawing only a prefix that certainly reaches past the painter's
// device gives the same pixels.
namespace VisibleText {

// The part of text that can show when painter draws it with metrics (the painter's
// font on its device) starting at logical x: the whole text when it is short, or a
// prefix that reaches well past the device's right edge. Lines with right-to-left
// characters in that prefix are not cut by width, since their order on screen is not
// their order in the text. Whatever the width, at most a few hundred characters are kept
// (more than a card line shows), and a line of zero-width characters
// (combining marks) would otherwise be shaped whole at every paint.
QString prefix(const QPainter &painter, const QFontMetricsF &metrics, double x, const QString &text);

// The same for a known visible width from x, in the metrics' units.
QString prefix(const QFontMetricsF &metrics, double visibleWidth, const QString &text);

} // namespace VisibleText
