#include "qr/VCard.h"

#include "qr/ContactPatterns.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

QString ContactFields::value(ContactField field) const
{
    switch (field) {
    case ContactField::Naam:
        return naam;
    case ContactField::Functie:
        return functie;
    case ContactField::Bedrijf:
        return bedrijf;
    case ContactField::Telefoon:
        return telefoon;
    case ContactField::Mobiel:
        return mobiel;
    case ContactField::Email:
        return email;
    case ContactField::Website:
        return website;
    case ContactField::Adres:
        return adres;
    }
    return {};
}

void ContactFields::setValue(ContactField field, const QString &text)
{
    switch (field) {
    case ContactField::Naam:
        naam = text;
        break;
    case ContactField::Functie:
        functie = text;
        break;
    case ContactField::Bedrijf:
        bedrijf = text;
        break;
    case ContactField::Telefoon:
        telefoon = text;
        break;
    case ContactField::Mobiel:
        mobiel = text;
        break;
    case ContactField::Email:
        email = text;
        break;
    case ContactField::Website:
        website = text;
        break;
    case ContactField::Adres:
        adres = text;
        break;
    }
}

QString webAddressWithScheme(const QString &address)
{
    // "voorbeeld.nl:8080" has no scheme; "mailto:" and "tel:" have one without slashes.
    static const QRegularExpression scheme(QStringLiteral(R"(^([a-z][a-z0-9+.-]*://|(mailto|tel|sms|geo):))"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QString t = address.trimmed();
    if (t.isEmpty() || scheme.match(t).hasMatch())
        return t;
    return QStringLiteral("https://") + t;
}

namespace {

// A text value as vCard 3.0 writes it: backslash, comma and semicolon escaped, every
// line break (CRLF, CR or LF) as \n.
QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' || c == u',' || c == u';') {
            out += u'\\';
            out += c;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            out += QStringLiteral("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

// Words that belong to the family name when they stand before its last word.
bool isNamePrefix(const QString &word)
{
    static const QStringList prefixes = {
        QStringLiteral("van"), QStringLiteral("von"), QStringLiteral("de"), QStringLiteral("der"),
        QStringLiteral("den"), QStringLiteral("des"), QStringLiteral("het"), QStringLiteral("'t"),
        QStringLiteral("te"), QStringLiteral("ten"), QStringLiteral("ter"), QStringLiteral("in"),
        QStringLiteral("op"), QStringLiteral("aan"), QStringLiteral("bij"), QStringLiteral("uit"),
        QStringLiteral("la"), QStringLiteral("le"), QStringLiteral("du"), QStringLiteral("da"),
    };
    return prefixes.contains(word.toLower());
}

QString structuredName(const QString &name)
{
    static const QRegularExpression space(QStringLiteral(R"(\s+)"));
    const QStringList words = name.split(space, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QStringLiteral(";;;;");
    qsizetype familyStart = words.size() - 1;
    while (familyStart > 0 && isNamePrefix(words.at(familyStart - 1)))
        --familyStart;
    const QString family = words.mid(familyStart).join(u' ');
    const QString given = words.mid(0, familyStart).join(u' ');
    return escaped(family) + u';' + escaped(given) + QStringLiteral(";;;");
}

// Post box; extended; street; locality; region; postal code; country.
QString structuredAddress(const QString &address)
{
    const QString t = address.trimmed();
    const qsizetype cut = std::max(t.lastIndexOf(u','), std::max(t.lastIndexOf(u'\n'), t.lastIndexOf(u'\r')));
    ContactPatterns::PostcodePlace postcodePlace;
    if (ContactPatterns::splitPostcodePlace(t.mid(cut + 1), &postcodePlace)) {
        const QString street = cut < 0 ? QString() : t.left(cut).trimmed();
        return QStringLiteral(";;") + escaped(street) + u';' + escaped(postcodePlace.place) + u';' + u';'
            + escaped(postcodePlace.postcode) + u';';
    }
    return QStringLiteral(";;") + escaped(t) + QStringLiteral(";;;;");
}

// One content line with its CRLF, folded so that no line is longer than 75 octets
// (a continuation line's leading space included) and no UTF-8 sequence is split.
void appendFolded(QByteArray &out, const QByteArray &line)
{
    constexpr qsizetype FirstLine = 75;
    constexpr qsizetype NextLines = 74;
    qsizetype pos = 0;
    qsizetype room = FirstLine;
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        // Bytes 10xxxxxx continue a sequence: the next line may not begin with one.
        while (cut > pos && (uchar(line.at(cut)) & 0xC0) == 0x80)
            --cut;
        // Only bytes that are no UTF-8 at all can be all continuation; cut them anywhere.
        if (cut == pos)
            cut = pos + room;
        out += line.mid(pos, cut - pos);
        out += "\r\n ";
        pos = cut;
        room = NextLines;
    }
    out += line.mid(pos);
    out += "\r\n";
}

void appendProperty(QByteArray &out, const char *name, const QString &value)
{
    appendFolded(out, QByteArray(name) + ':' + value.toUtf8());
}

void appendText(QByteArray &out, const char *name, const QString &text)
{
    const QString t = text.trimmed();
    if (!t.isEmpty())
        appendProperty(out, name, escaped(t));
}

} // namespace

QByteArray vcardText(const ContactFields &fields)
{
    QByteArray out;
    out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    appendProperty(out, "N", structuredName(fields.naam));
    appendProperty(out, "FN", escaped(fields.naam.trimmed()));
    appendText(out, "ORG", fields.bedrijf);
    appendText(out, "TITLE", fields.functie);
    appendText(out, "TEL;TYPE=WORK,VOICE", fields.telefoon);
    appendText(out, "TEL;TYPE=CELL", fields.mobiel);
    appendText(out, "EMAIL;TYPE=INTERNET", fields.email);
    // A URI, not text: a comma in it stays as it is. A line break cannot be in one.
    const QString url = webAddressWithScheme(fields.website).simplified().remove(u' ');
    if (!url.isEmpty())
        appendProperty(out, "URL", url);
    if (!fields.adres.trimmed().isEmpty())
        appendProperty(out, "ADR;TYPE=WORK", structuredAddress(fields.adres));
    out += "END:VCARD\r\n";
    return out;
}

QString contactFieldCaption(ContactField field)
{
    switch (field) {
    case ContactField::Naam:
        return QStringLiteral("Naam");
    case ContactField::Functie:
        return QStringLiteral("Functie");
    case ContactField::Bedrijf:
        return QStringLiteral("Bedrijf");
    case ContactField::Telefoon:
        return QStringLiteral("Telefoon");
    case ContactField::Mobiel:
        return QStringLiteral("Mobiel");
    case ContactField::Email:
        return QStringLiteral("E-mail");
    case ContactField::Website:
        return QStringLiteral("Website");
    case ContactField::Adres:
        return QStringLiteral("Adres");
    }
    return {};
}
