#include "PhotoFileFilter.h"

namespace PhotoFileFilter {

QString filter()
{
    return QStringLiteral("Foto ( Jpg, Bmp, Gif, Wmf )|*.jpg;*.bmp;*.gif;*.wmf");
}

QString description()
{
    return filter().section(QLatin1Char('|'), 0, 0);
}

QStringList patterns()
{
    QStringList list = filter().section(QLatin1Char('|'), 1).split(QLatin1Char(';'));
    list.insert(1, QStringLiteral("*.jpeg"));
    return list;
}

QStringList caseInsensitivePatterns()
{
    QStringList list;
    for (const QString &pattern : patterns()) {
        QString spelled;
        for (const QChar c : pattern) {
            if (c.isLetter())
                spelled += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
            else
                spelled += c;
        }
        list << spelled;
    }
    return list;
}

bool matches(const QString &fileName)
{
    for (const QString &pattern : patterns()) {
        // Every pattern is "*.ext".
        if (fileName.endsWith(pattern.mid(1), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace PhotoFileFilter
