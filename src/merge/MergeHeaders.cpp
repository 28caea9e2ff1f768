#include "merge/MergeHeaders.h"

#include "qr/ContactPatterns.h"

#include <QSet>

namespace MergeHeaders {

namespace {

const QSet<QString> &knownHeaders()
{
    static const QSet<QString> names = {
        // Dutch
        QStringLiteral("naam"), QStringLiteral("volledigenaam"), QStringLiteral("weergavenaam"),
        QStringLiteral("voornaam"), QStringLiteral("voornamen"), QStringLiteral("roepnaam"),
        QStringLiteral("voorletters"), QStringLiteral("tussenvoegsel"), QStringLiteral("tussenvoegsels"),
        QStringLiteral("achternaam"), QStringLiteral("aanhef"), QStringLiteral("titel"),
        QStringLiteral("functie"), QStringLiteral("functietitel"), QStringLiteral("bedrijf"),
        QStringLiteral("bedrijfsnaam"), QStringLiteral("organisatie"), QStringLiteral("firma"),
        QStringLiteral("afdeling"), QStringLiteral("adres"), QStringLiteral("straat"),
        QStringLiteral("straatnaam"), QStringLiteral("huisnummer"), QStringLiteral("postcode"),
        QStringLiteral("plaats"), QStringLiteral("woonplaats"), QStringLiteral("postcodeenplaats"),
        QStringLiteral("land"), QStringLiteral("telefoon"), QStringLiteral("telefoonnummer"),
        QStringLiteral("tel"), QStringLiteral("mobiel"), QStringLiteral("mobielnummer"),
        QStringLiteral("gsm"), QStringLiteral("email"), QStringLiteral("emailadres"),
        QStringLiteral("website"), QStringLiteral("opmerkingen"), QStringLiteral("notities"),
        // English, as address books export them
        QStringLiteral("name"), QStringLiteral("fullname"), QStringLiteral("displayname"),
        QStringLiteral("firstname"), QStringLiteral("givenname"), QStringLiteral("middlename"),
        QStringLiteral("additionalname"), QStringLiteral("lastname"), QStringLiteral("familyname"),
        QStringLiteral("surname"), QStringLiteral("nickname"), QStringLiteral("nameprefix"),
        QStringLiteral("namesuffix"), QStringLiteral("title"), QStringLiteral("jobtitle"),
        QStringLiteral("organization"), QStringLiteral("organisation"), QStringLiteral("organizationname"),
        QStringLiteral("organizationtitle"), QStringLiteral("company"), QStringLiteral("department"),
        QStringLiteral("address"), QStringLiteral("street"), QStringLiteral("city"),
        QStringLiteral("postalcode"), QStringLiteral("zip"), QStringLiteral("zipcode"),
        QStringLiteral("country"), QStringLiteral("phone"), QStringLiteral("telephone"),
        QStringLiteral("mobile"), QStringLiteral("mobilephone"), QStringLiteral("businessphone"),
        QStringLiteral("homephone"), QStringLiteral("emailaddress"), QStringLiteral("webpage"),
        QStringLiteral("notes"), QStringLiteral("businessstreet"), QStringLiteral("businesscity"),
        QStringLiteral("businesspostalcode")};
    return names;
}

} // namespace

QString normalized(const QString &header)
{
    // Google's columns come numbered and with their kind: "Phone 2 - Value".
    QString text = header;
    const qsizetype dash = text.indexOf(QStringLiteral(" - "));
    if (dash >= 0)
        text.truncate(dash);
    QString letters;
    for (const QChar c : text)
        if (c.isLetter())
            letters += c.toLower();
    return letters;
}

bool isKnownHeader(const QString &cell)
{
    return knownHeaders().contains(normalized(cell));
}

NamePart namePart(const QString &header)
{
    const QString name = normalized(header);
    if (name == u"naam" || name == u"name" || name == u"volledigenaam" || name == u"fullname"
        || name == u"weergavenaam" || name == u"displayname")
        return NamePart::Full;
    if (name == u"voornaam" || name == u"roepnaam" || name == u"firstname" || name == u"givenname")
        return NamePart::Given;
    if (name == u"tussenvoegsel" || name == u"tussenvoegsels" || name == u"middlename"
        || name == u"additionalname")
        return NamePart::Middle;
    if (name == u"achternaam" || name == u"lastname" || name == u"familyname" || name == u"surname")
        return NamePart::Family;
    return NamePart::None;
}

bool looksLikeValue(const QString &cell)
{
    const QString text = cell.trimmed();
    if (text.isEmpty())
        return false;
    if (ContactPatterns::isEmail(text) || ContactPatterns::isWebAddress(text)
        || ContactPatterns::isPhoneNumber(text) || ContactPatterns::splitPostcodePlace(text))
        return true;
    bool digit = false;
    for (const QChar c : text) {
        if (c.isDigit())
            digit = true;
        else if (!c.isSpace() && c != u'+' && c != u'-' && c != u'.' && c != u',')
            return false;
    }
    return digit;
}

} // namespace MergeHeaders
