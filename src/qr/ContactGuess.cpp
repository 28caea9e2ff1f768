#include "qr/ContactGuess.h"

#include "qr/ContactPatterns.h"

namespace {

using namespace ContactPatterns;

// An address is a postcode and place that may take the line before it as its street, or
// a street, postcode and place on one line that needs none.
enum class Look { Other, Email, Web, Phone, Mobile, Address, WholeAddress };

// What a line looks like, and the line without its label.
Look lookOf(QString &text)
{
    const QString written = text;
    const Label label = takeLabel(text);
    switch (label) {
    case Label::Phone:
    case Label::Mobile:
        if (isPhoneNumber(text))
            return label == Label::Mobile ? Look::Mobile : Look::Phone;
        break;
    case Label::Email:
        if (isEmail(text))
            return Look::Email;
        break;
    case Label::Web:
        if (isWebAddress(text))
            return Look::Web;
        break;
    case Label::None:
        break;
    }
    // A label that does not fit what follows is part of the line ("W: Bakkerij").
    text = written;
    if (isEmail(text))
        return Look::Email;
    if (isWebAddress(text))
        return Look::Web;
    if (isPhoneNumber(text))
        return isDutchMobile(text) ? Look::Mobile : Look::Phone;
    if (splitPostcodePlace(text))
        return Look::Address;
    if (isOneLineAddress(text))
        return Look::WholeAddress;
    return Look::Other;
}

bool hasDigit(const QString &text)
{
    for (const QChar c : text)
        if (c.isDigit())
            return true;
    return false;
}

class Guesser {
public:
    explicit Guesser(ContactGuess &guess) : m_guess(guess) {}

    // Sets the field from this line unless an earlier line gave it already.
    bool take(ContactField field, int line, const QString &text)
    {
        QList<int> &from = m_guess.lines[size_t(field)];
        if (!from.isEmpty())
            return false;
        m_guess.fields.setValue(field, text);
        from = {line};
        return true;
    }

    void takePhone(ContactField preferred, ContactField other, int line, const QString &text)
    {
        if (!take(preferred, line, text))
            take(other, line, text);
    }

private:
    ContactGuess &m_guess;
};

} // namespace

ContactGuess guessContactFields(const std::array<QString, 8> &lines)
{
    ContactGuess guess;
    Guesser guesser(guess);
    std::array<QString, 8> text;
    std::array<Look, 8> look{};
    for (int i = 1; i <= 7; ++i) {
        text[i] = lines[i].trimmed();
        look[i] = lookOf(text[i]);
    }
    // Lines that a postcode line takes in front of it as its street.
    std::array<bool, 8> street{};
    for (int i = 1; i <= 7; ++i) {
        if (text[i].isEmpty())
            continue;
        if (i == 1) {
            guesser.take(ContactField::Naam, i, text[i]);
            continue;
        }
        switch (look[i]) {
        case Look::Email:
            guesser.take(ContactField::Email, i, text[i]);
            break;
        case Look::Web:
            guesser.take(ContactField::Website, i, text[i]);
            break;
        case Look::Phone:
            guesser.takePhone(ContactField::Telefoon, ContactField::Mobiel, i, text[i]);
            break;
        case Look::Mobile:
            guesser.takePhone(ContactField::Mobiel, ContactField::Telefoon, i, text[i]);
            break;
        case Look::Address: {
            const int before = i - 1;
            // The name and the function's line are never a street; a street has a house
            // number, which tells it from a company's name before the postcode.
            const bool withStreet = before >= 3 && look[before] == Look::Other && hasDigit(text[before]);
            if (withStreet && guesser.take(ContactField::Adres, before, text[before] + QStringLiteral(", ") + text[i])) {
                guess.lines[size_t(ContactField::Adres)].append(i);
                street[before] = true;
            } else {
                guesser.take(ContactField::Adres, i, text[i]);
            }
            break;
        }
        case Look::WholeAddress:
            guesser.take(ContactField::Adres, i, text[i]);
            break;
        case Look::Other:
            break;
        }
    }
    // Function and company after the looks, so that a street line before a postcode is
    // not taken as the company.
    if (!text[2].isEmpty() && look[2] == Look::Other)
        guesser.take(ContactField::Functie, 2, text[2]);
    for (int i = 3; i <= 7; ++i)
        if (!text[i].isEmpty() && look[i] == Look::Other && !street[i])
            guesser.take(ContactField::Bedrijf, i, text[i]);
    return guess;
}
