#pragma once

#include <QString>
#include <variant>

// A value that holds either a number or a text, as the settings file and the card
// record store them: a number is written bare, a text in double quotes, and a value
// read quoted stays a text so that it is written quoted again.
class GeneralValue {
public:
    GeneralValue() : m_value(0.0) {}
    GeneralValue(double number) : m_value(number) {}
    GeneralValue(int number) : m_value(double(number)) {}
    GeneralValue(const QString &text) : m_value(text) {}
    GeneralValue(const char *text) : m_value(QString::fromUtf8(text)) {}

    bool isText() const { return std::holds_alternative<QString>(m_value); }
    bool isNumber() const { return !isText(); }

    // The text as held, or the number in plain decimal.
    QString text() const;

    // The number as held, or the text converted. A comma or a point between digits
    // is the decimal separator whatever the locale, so a file written under one
    // locale reads the same under another. Sets *ok to false when the text is no number.
    double toNumber(bool *ok = nullptr) const;

    bool operator==(const GeneralValue &other) const { return m_value == other.m_value; }

private:
    std::variant<double, QString> m_value;
};

// A number in the plain decimal form the record files use: 15, 12.5, -3.
QString plainDecimal(double number);
