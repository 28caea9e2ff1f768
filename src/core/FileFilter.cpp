#include "core/FileFilter.h"

#include <QStringList>

namespace {

QString caseBlind(const QString &pattern)
{
    QString out;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower == upper)
            out += c;
        else
            out += QLatin1Char('[') + lower + upper + QLatin1Char(']');
    }
    return out;
}

} // namespace

namespace FileFilter {

QString toDialogFilter(const QString &filter)
{
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    const QString description = bar < 0 ? QString() : filter.left(bar).trimmed();
    const QStringList patterns = filter.mid(bar + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QStringList converted;
    for (const QString &pattern : patterns)
        converted << caseBlind(pattern.trimmed());
    return (description + QStringLiteral(" (") + converted.join(QLatin1Char(' ')) + QLatin1Char(')')).trimmed();
}

} // namespace FileFilter
