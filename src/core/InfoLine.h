#pragma once

#include <QDateTime>
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

} // namespace InfoLine
