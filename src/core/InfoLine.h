#pragma once

#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <QString>

// The line below the card: every six seconds of the minute its own text, the date
// line from second 12 and seven numbered hints from second 18.
namespace InfoLine {

// The text the line shows at now. In the first twelve seconds of the minute it keeps
// current, the text it shows already. Day and month names come from locale.
QString text(const QDateTime &now, const QString &current, const QLocale &locale);

// What the line shows until the first tick of the clock.
QString designedText();

// A notice as the line, `width` pixels wide, shows it: the text when it fits, else as
// much as fits ending in "…"; and as the tooltip the whole notice (whole, or else the
// text itself) whenever the line shows less than that, so that it can always be read.
struct Shown {
    QString text;
    QString toolTip;
};
Shown fitted(const QString &text, const QString &whole, const QFontMetrics &metrics, int width);

} // namespace InfoLine
