#pragma once

#include "print/PrinterCorrection.h"

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

// The four readings of the calibration sheet as the margins dialog holds them, without
// its window: texts as typed, turned into readings and a correction only when all four
// read well.
class CorrectionForm {
public:
    static constexpr int FieldCount = 4;
    // Fields 1..4: top-left horizontal and vertical, bottom-right horizontal and vertical.
    static QString fieldName(int field);

    explicit CorrectionForm(const QLocale &locale) : m_locale(locale) {}

    QString fieldText(int field) const { return m_fields.at(field - 1); }
    void setFieldText(int field, const QString &text) { m_fields.at(field - 1) = text; }

    // The readings, when every field holds a number of millimetres within ±10 written
    // as the locale writes it (an empty field reads 0); otherwise nothing, and problem
    // holds a Dutch message naming the first field that does not.
    std::optional<PrinterCorrection::Readings> readings(QString &problem) const;

private:
    QLocale m_locale;
    std::array<QString, FieldCount> m_fields;
};
