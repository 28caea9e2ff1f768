#include "core/GeneralValue.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

QString plainDecimal(double number)
{
    if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) < 1e15)
        return QString::number(static_cast<qlonglong>(number));
    return QString::number(number, 'g', 15);
}

QString GeneralValue::text() const
{
    if (const auto *t = std::get_if<QString>(&m_value))
        return *t;
    return plainDecimal(std::get<double>(m_value));
}

double GeneralValue::toNumber(bool *ok) const
{
    if (const auto *number = std::get_if<double>(&m_value)) {
        if (ok)
            *ok = true;
        return *number;
    }
    QString t = std::get<QString>(m_value).trimmed();
    // Only a separator between digits can be a decimal separator; grouping is never read.
    static const QRegularExpression decimal(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    bool converted = decimal.match(t).hasMatch();
    double value = 0;
    if (converted) {
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        value = QLocale::c().toDouble(t, &converted);
    }
    if (ok)
        *ok = converted;
    return converted ? value : 0.0;
}
