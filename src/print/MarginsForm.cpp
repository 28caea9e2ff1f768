#include "print/MarginsForm.h"

#include "core/Questions.h"
#include "print/CardStock.h"

#include <QRegularExpression>
#include <cmath>

namespace {

constexpr int MaxFieldLength = 4;

// A field still being typed must pass too: "12," on the way to "12,5" is a number.
QRegularExpression numberPattern(const QLocale &locale)
{
    const QString point = QRegularExpression::escape(locale.decimalPoint());
    return QRegularExpression(
        QStringLiteral("^[+-]?([0-9]+(%1[0-9]*)?|%1[0-9]+)$").arg(point));
}

} // namespace

MarginsForm::MarginsForm(const PrintSettings &settings, const QLocale &locale)
    : m_locale(locale)
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

QStringList MarginsForm::stockChoices()
{
    QStringList choices{QStringLiteral("Eigen instellingen")};
    for (const CardStock &stock : CardStock::all())
        choices << stock.caption();
    return choices;
}

void MarginsForm::chooseStock(int choice)
{
    if (choice < 1 || choice > CardStock::all().size()) {
        m_stock = 0;
        return;
    }
    fill(CardStock::all().at(choice - 1).settings(m_locale));
    m_stock = choice;
}

int MarginsForm::matchingStock() const
{
    for (int i = 0; i < CardStock::all().size(); ++i) {
        const PrintSettings s = CardStock::all().at(i).settings(m_locale);
        MarginsForm other(*this);
        other.fill(s);
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
