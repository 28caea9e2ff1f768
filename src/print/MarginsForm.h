#pragma once

#include "core/PrintSettings.h"
#include "print/CardStock.h"

#include <QLocale>
#include <QString>
#include <QList>
#include <QStringList>
#include <array>

class Questions;

// The margins dialog " Afdruk Marges" without its window: the texts of the six fields
// A, B, C, D, H, V and of the card count box, the check every field text passes, and
// what "Ok" and "Reset" store. Closing without "Ok" is "Cancel": the form is dropped.
class MarginsForm {
public:
    static constexpr int FieldCount = 6;

    // Fills the fields from the settings, each through the field check, so that a
    // stored text the check refuses shows as an empty field. "Kaartpapier" offers the
    // stocks given, or those of TemplateLibrary::offered().
    MarginsForm(const PrintSettings &settings, const QLocale &locale);
    MarginsForm(const PrintSettings &settings, const QLocale &locale, const QList<CardStock> &stocks);

    // Fields are numbered 1..6.
    QString fieldText(int field) const { return m_fields.at(field - 1); }
    // A field's text changed (typed, pasted or set): it keeps it only when it passes the check.
    void setFieldText(int field, const QString &text);

    static QStringList cardCountChoices();
    QString cardCountText() const { return m_cardCount; }
    // A card count the user chose; a change makes the stock "Eigen instellingen".
    void setCardCountText(const QString &text);

    // "Kaartpapier": "Eigen instellingen" (0), then the stocks, each with its tooltip.
    QStringList stockChoices() const;
    QString stockTip(int choice) const;
    const QList<CardStock> &stocks() const { return m_stocks; }
    int stockChoice() const { return m_stock; }
    // Choosing a sheet fills the six fields and the card count with its settings;
    // "Eigen instellingen" leaves them as they are. Editing a field afterwards
    // switches back to "Eigen instellingen".
    void chooseStock(int choice);

    // A field whose number the sheet would not print as typed (a card of no height, a
    // margin far off the page): its number 1..6 and a Dutch sentence naming it and what
    // it can hold. "Ok" stores nothing while there is one.
    struct FieldProblem {
        int field;
        QString message;
    };
    // In field order; empty when every filled field prints as it stands.
    QList<FieldProblem> problems() const;
    // The message "Ok" shows for them, one line each.
    static QString problemText(const QList<FieldProblem> &problems);

    // "Ok": A..D and H take their field texts as typed, V its field rounded to a whole
    // number (halves to the even neighbour), the card count 10 or 8. An empty field or
    // another card count keeps the setting's previous value, so that printing always
    // finds a number.
    void confirm(PrintSettings &settings) const;

    // "Reset": after a Yes to its question the settings take their defaults at once,
    // without waiting for "Ok", and the fields show them. Returns whether it reset.
    bool reset(Questions &questions, PrintSettings &settings);

    // The field check: at most 4 characters forming a number as the locale writes it.
    static bool acceptsFieldText(const QString &text, const QLocale &locale);

private:
    void fill(const PrintSettings &settings);
    // The sheet whose settings the fields hold, or 0.
    int matchingStock() const;
    QString displayText(const GeneralValue &value) const;

    QLocale m_locale;
    QList<CardStock> m_stocks;
    std::array<QString, FieldCount> m_fields;
    QString m_cardCount;
    int m_stock = 0;
};
