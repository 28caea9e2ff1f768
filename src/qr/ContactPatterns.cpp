#include "qr/ContactPatterns.h"

#include <QRegularExpression>

#include <algorithm>

namespace ContactPatterns {

namespace {

bool matchesWhole(const QRegularExpression &pattern, const QString &text)
{
    return pattern.match(text.trimmed()).hasMatch();
}

} // namespace

bool isEmail(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^[^\s@]+@[^\s@.]+(\.[^\s@.]+)*\.[^\s@.\d]{2,}$)"));
    return matchesWhole(pattern, text);
}

bool isWebAddress(const QString &text)
{
    static const QRegularExpression withScheme(QStringLiteral(R"(^https?://\S+$)"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression www(QStringLiteral(R"(^www\.[^\s.]+\.\S+$)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression bare(QStringLiteral(R"(^[a-z0-9-]+(\.[a-z0-9-]+)*\.[a-z]{2,6}(/\S*)?$)"));
    const QString t = text.trimmed();
    if (t.contains(QLatin1Char('@')))
        return false;
    return withScheme.match(t).hasMatch() || www.match(t).hasMatch() || bare.match(t).hasMatch();
}

bool isPhoneNumber(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^\+?[0-9 ()./-]+$)"));
    const QString t = text.trimmed();
    if (!pattern.match(t).hasMatch())
        return false;
    int digits = 0;
    for (const QChar c : t)
        digits += c.isDigit() ? 1 : 0;
    return digits >= 9 && digits <= 15;
}

bool isDutchMobile(const QString &phone)
{
    QString compact = phone.trimmed();
    compact.remove(QStringLiteral("(0)"));
    QString digits;
    for (const QChar c : compact)
        if (c.isDigit() || c == QLatin1Char('+'))
            digits += c;
    return digits.startsWith(QStringLiteral("06")) || digits.startsWith(QStringLiteral("+316"))
        || digits.startsWith(QStringLiteral("00316"));
}

bool splitPostcodePlace(const QString &text, PostcodePlace *out)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^([1-9][0-9]{3} ?[A-Za-z]{2})\s+(\S.*)$)"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    if (out)
        *out = {match.captured(1), match.captured(2).trimmed()};
    return true;
}

bool isOneLineAddress(const QString &text)
{
    const QString t = text.trimmed();
    const qsizetype comma = t.lastIndexOf(u',');
    if (comma < 0 || !splitPostcodePlace(t.mid(comma + 1)))
        return false;
    const QString street = t.left(comma);
    const auto has = [&street](bool (QChar::*kind)() const) {
        return std::any_of(street.begin(), street.end(), [kind](QChar c) { return (c.*kind)(); });
    };
    return has(&QChar::isLetter) && has(&QChar::isDigit);
}

Label takeLabel(QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(tel|telefoon|t|mob|mobiel|gsm|m|e|e-mail|email|mail|w|web|website|internet)\.?\s*:\s*)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return Label::None;
    const QString word = match.captured(1).toLower();
    text = text.mid(match.capturedEnd()).trimmed();
    if (word == u"mob" || word == u"mobiel" || word == u"gsm" || word == u"m")
        return Label::Mobile;
    if (word.startsWith(u't'))
        return Label::Phone;
    if (word.startsWith(u'e') || word == u"mail")
        return Label::Email;
    return Label::Web;
}

} // namespace ContactPatterns
