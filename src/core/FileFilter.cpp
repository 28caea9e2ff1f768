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

QString entry(const QString &description, const QString &patternList)
{
    const QStringList patterns = patternList.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QStringList converted;
    for (const QString &pattern : patterns)
        converted << caseBlind(pattern.trimmed());
    return (description.trimmed() + QStringLiteral(" (") + converted.join(QLatin1Char(' ')) + QLatin1Char(')'))
        .trimmed();
}

} // namespace

namespace FileFilter {

QString toDialogFilter(const QString &filter)
{
    // Fields alternate as in the common dialog's filter: description, patterns, …
    const QStringList fields = filter.split(QLatin1Char('|'));
    if (fields.size() < 2)
        return entry(QString(), filter);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
        entries << entry(fields[i], fields[i + 1]);
    return entries.join(QStringLiteral(";;"));
}

} // namespace FileFilter
