#include "merge/MergeData.h"

#include <QLocale>

namespace MergeFaults {

QString atLine(const QString &shownName, int line, const QString &reason)
{
    return unreadable(shownName, QStringLiteral("regel %1: %2").arg(line).arg(reason));
}

QString unreadable(const QString &shownName, const QString &reason)
{
    return QStringLiteral("Het bestand %1 kon niet worden gelezen: %2.").arg(shownName, reason);
}

QString tooManyPeople(const QString &shownName)
{
    return QStringLiteral("Het bestand %1 heeft meer dan %2 personen; Lumovander leest er ten hoogste %2.")
        .arg(shownName, QLocale(QLocale::Dutch, QLocale::Netherlands).toString(MergeLimits::MaxPeople));
}

} // namespace MergeFaults
