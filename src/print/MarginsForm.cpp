#include "print/MarginsForm.h"

#include "core/Questions.h"
#include "print/TemplateLibrary.h"

#include <QRegularExpression>
#include <cmath>

namespace {

constexpr int MaxFieldLength = 4;

// What each field holds, for the message that names it, and the range printing takes.
struct FieldMeaning {
    const char *letter;
    const char *name;
    SheetSetting range;
};
constexpr FieldMeaning Meanings[MarginsForm::FieldCount] = {
    {"A", "de linkermarge", SheetSettings::MarginA},
    {"B", "de bovenmarge", SheetSettings::MarginB},
    {"C", "de breedte van de kaartjes", SheetSettings::CardWidth},
    {"D", "de hoogte van de kaartjes", SheetSettings::CardHeight},
    {"H", "de afstand tussen twee rijen", SheetSettings::OffsetH},
    {"V", "de afstand tussen twee kolommen", SheetSettings::OffsetV},
};

// A field still being typed must pass too: "12," on the way to "12,5" is a number.
// Made once per decimal point: every stock of the library passes through it.
const QRegularExpression &numberPattern(const QLocale &locale)
{
    thread_local QString point;
    thread_local QRegularExpression pattern;
    if (point != locale.decimalPoint() || pattern.pattern().isEmpty()) {
        point = locale.decimalPoint();
        pattern = QRegularExpression(
            QStringLiteral("^[+-]?([0-9]+(%1[0-9]*)?|%1[0-9]+)$").arg(QRegularExpression::escape(point)));
    }
    return pattern;
}

} // namespace

MarginsForm::MarginsForm(const PrintSettings &settings, const QLocale &locale)
    : MarginsForm(settings, locale, TemplateLibrary::offered())
{
}

MarginsForm::MarginsForm(const PrintSettings &settings, const QLocale &locale, const QList<CardStock> &stocks)
    : m_locale(locale)
    , m_stocks(stocks)
{
    fill(settings);
    m_stock = matchingStock();
}

bool MarginsForm::acceptsFieldText(const QString &text, const QLocale &locale)
{
    return text.size() <= MaxFieldLength && numberPattern(locale).match(text).hasMatch();
}

void MarginsForm::setFieldText(int field, const QString &text)
{
    const QString kept = acceptsFieldText(text, m_locale) ? text : QString();
    if (kept != m_fields.at(field - 1))
        m_stock = 0;
    m_fields.at(field - 1) = kept;
}

void MarginsForm::setCardCountText(const QString &text)
{
    if (text != m_cardCount)
        m_stock = 0;
    m_cardCount = text;
}

QStringList MarginsForm::cardCountChoices()
{
    QStringList choices;
    for (int count : SheetSettings::CardCounts)
        choices << QString::number(count);
    return choices;
}

QStringList MarginsForm::stockChoices() const
{
    QStringList choices{QStringLiteral("Eigen instellingen")};
    for (const CardStock &stock : m_stocks)
        choices << stock.caption();
    return choices;
}

QString MarginsForm::stockTip(int choice) const
{
    return choice >= 1 && choice <= m_stocks.size() ? m_stocks.at(choice - 1).toolTip() : QString();
}

void MarginsForm::chooseStock(int choice)
{
    if (choice < 1 || choice > m_stocks.size()) {
        m_stock = 0;
        return;
    }
    fill(m_stocks.at(choice - 1).settings(m_locale));
    m_stock = choice;
}

// The first stock whose settings the fields hold: a sheet of the library that prints
// exactly as an earlier one shows as that one.
int MarginsForm::matchingStock() const
{
    for (int i = 0; i < m_stocks.size(); ++i) {
        MarginsForm other(*this);
        other.fill(m_stocks.at(i).settings(m_locale));
        if (other.m_fields == m_fields && other.m_cardCount == m_cardCount)
            return i + 1;
    }
    return 0;
}

QString MarginsForm::displayText(const GeneralValue &value) const
{
    if (value.isText())
        return value.text();
    // A number shows as the user's locale writes it, so that the check accepts it.
    QString text = value.text();
    text.replace(QLatin1Char('.'), m_locale.decimalPoint());
    return text;
}

void MarginsForm::fill(const PrintSettings &settings)
{
    setFieldText(1, displayText(settings.PrintMarginA));
    setFieldText(2, displayText(settings.PrintMarginB));
    setFieldText(3, displayText(settings.CardWidthMm));
    setFieldText(4, displayText(settings.CardHeightMm));
    setFieldText(5, displayText(settings.PrintOffsetH));
    setFieldText(6, QString::number(settings.PrintOffsetV));
    m_cardCount = QString::number(settings.CardsPerSheet);
}

QList<MarginsForm::FieldProblem> MarginsForm::problems() const
{
    QList<FieldProblem> found;
    for (int field = 1; field <= FieldCount; ++field) {
        const QString text = fieldText(field);
        if (text.isEmpty())
            continue; // keeps the value in force, which is printable
        bool ok = false;
        double number = GeneralValue(text).toNumber(&ok);
        if (field == 6)
            number = std::nearbyint(number); // V is stored whole, see confirm()
        const FieldMeaning &meaning = Meanings[field - 1];
        if (ok && meaning.range.accepts(number))
            continue;
        found.append({field, QStringLiteral("%1 = %2 kan niet worden afgedrukt: %3 (%1) moet van %4 tot %5 mm zijn.")
                                 .arg(QLatin1String(meaning.letter), text, QLatin1String(meaning.name),
                                      m_locale.toString(meaning.range.low), m_locale.toString(meaning.range.high))});
    }
    return found;
}

QString MarginsForm::problemText(const QList<FieldProblem> &problems)
{
    QStringList lines;
    for (const FieldProblem &problem : problems)
        lines << problem.message;
    lines << QStringLiteral("Verbeter dit en klik opnieuw op Ok; er is nog niets opgeslagen.");
    return lines.join(QStringLiteral("\r\n"));
}

void MarginsForm::confirm(PrintSettings &settings) const
{
    GeneralValue *texts[] = {&settings.PrintMarginA, &settings.PrintMarginB, &settings.CardWidthMm,
                             &settings.CardHeightMm, &settings.PrintOffsetH};
    for (int field = 1; field <= 5; ++field) {
        if (!fieldText(field).isEmpty())
            *texts[field - 1] = GeneralValue(fieldText(field));
    }
    if (!fieldText(6).isEmpty()) {
        bool ok = false;
        const double v = GeneralValue(fieldText(6)).toNumber(&ok);
        if (ok)
            settings.PrintOffsetV = int32_t(std::nearbyint(v)); // the default mode rounds halves to even
    }
    if (cardCountChoices().contains(m_cardCount))
        settings.CardsPerSheet = uint8_t(m_cardCount.toInt());
}

bool MarginsForm::reset(Questions &questions, PrintSettings &settings)
{
    if (!questions.yesNo(QStringLiteral(" Reset"), QStringLiteral("Wilt u de begin marges resetten?")))
        return false;
    settings = PrintSettings();
    fill(settings);
    return true;
}
