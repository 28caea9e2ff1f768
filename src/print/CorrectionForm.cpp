#include "print/CorrectionForm.h"

#include <cmath>

namespace {

const QString FieldNames[] = {QStringLiteral("Linksboven horizontaal"), QStringLiteral("Linksboven verticaal"),
                              QStringLiteral("Rechtsonder horizontaal"), QStringLiteral("Rechtsonder verticaal")};

} // namespace

QString CorrectionForm::fieldName(int field)
{
    return FieldNames[field - 1];
}

std::optional<PrinterCorrection::Readings> CorrectionForm::readings(QString &problem) const
{
    double values[FieldCount] = {};
    for (int field = 1; field <= FieldCount; ++field) {
        QString text = fieldText(field).trimmed();
        // A typographic minus, as the print dialog writes it, reads as a minus too.
        text.replace(QChar(0x2212), QLatin1Char('-'));
        bool ok = text.isEmpty();
        const double value = ok ? 0.0 : m_locale.toDouble(text, &ok);
        if (!ok || !(std::abs(value) <= PrinterCorrection::MaxReadingMm)) { // NaN fails too
            problem = QStringLiteral("Het veld \"%1\" moet een getal van \u221210 tot 10 mm zijn, zoals %2.")
                          .arg(fieldName(field), m_locale.toString(-0.5, 'f', 1));
            return std::nullopt;
        }
        values[field - 1] = value;
    }
    return PrinterCorrection::Readings{QPointF(values[0], values[1]), QPointF(values[2], values[3])};
}
