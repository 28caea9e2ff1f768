#include "merge/VCardReader.h"

#include "merge/MergeText.h"

#include <QList>
#include <algorithm>
#include <array>
#include <optional>

namespace VCardReader {

namespace {

struct Line {
    QByteArray text;
    int number = 0; // the first physical line it holds, from 1
};

QList<Line> physicalLines(QByteArrayView bytes)
{
    QList<Line> lines;
    int number = 1;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.append({bytes.sliced(start, i - start).toByteArray(), number++});
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append({bytes.sliced(start).toByteArray(), number});
    return lines;
}

bool isQuotedPrintable(const QByteArray &line)
{
    const qsizetype colon = line.indexOf(':');
    return (colon < 0 ? line : line.left(colon)).toUpper().contains("QUOTED-PRINTABLE");
}

// The lines unfolded: a line beginning with a space or tab goes on the one before
// without that one character; a quoted-printable value ending in "=" goes on in the
// next line, whatever it begins with. Blank lines are left out.
QList<Line> logicalLines(const QList<Line> &physical)
{
    QList<Line> lines;
    bool quotedPrintable = false;
    for (qsizetype i = 0; i < physical.size(); ++i) {
        const QByteArray &text = physical[i].text;
        if (!lines.isEmpty() && !text.isEmpty() && (text[0] == ' ' || text[0] == '\t')) {
            lines.last().text.append(QByteArrayView(text).sliced(1));
        } else if (text.trimmed().isEmpty()) {
            continue;
        } else {
            lines.append(physical[i]);
            quotedPrintable = isQuotedPrintable(text);
        }
        while (quotedPrintable && lines.last().text.endsWith('=') && i + 1 < physical.size()) {
            lines.last().text.chop(1);
            lines.last().text.append(physical[++i].text);
        }
    }
    return lines;
}

struct Property {
    QByteArray name; // upper case, without its group
    QByteArray encoding;
    QByteArray charset;
    QByteArray value;
};

// Splits at the character where it stands outside double quotes.
QList<QByteArray> splitOutsideQuotes(QByteArrayView text, char at)
{
    QList<QByteArray> parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == at && !quoted) {
            parts.append(text.sliced(start, i - start).toByteArray());
            start = i + 1;
        }
    }
    parts.append(text.sliced(start).toByteArray());
    return parts;
}

std::optional<Property> parseProperty(const QByteArray &line)
{
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            colon = i;
    }
    if (colon < 0)
        return std::nullopt;
    const QList<QByteArray> head = splitOutsideQuotes(QByteArrayView(line).first(colon), ';');
    Property property;
    property.name = head.first().trimmed().toUpper();
    const qsizetype dot = property.name.lastIndexOf('.');
    if (dot >= 0)
        property.name.remove(0, dot + 1);
    for (qsizetype p = 1; p < head.size(); ++p) {
        const QByteArray &parameter = head[p];
        const qsizetype equals = parameter.indexOf('=');
        const QByteArray key = equals < 0 ? QByteArray() : parameter.left(equals).trimmed().toUpper();
        QByteArray value = (equals < 0 ? parameter : parameter.mid(equals + 1)).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        // 2.1 writes a parameter's value alone: TEL;CELL;VOICE, ADR;QUOTED-PRINTABLE.
        const QByteArray upper = value.toUpper();
        if (key == "ENCODING" || (key.isEmpty() && (upper == "QUOTED-PRINTABLE" || upper == "BASE64")))
            property.encoding = upper;
        else if (key == "CHARSET")
            property.charset = value;
    }
    property.value = line.mid(colon + 1);
    return property;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray fromQuotedPrintable(QByteArrayView value)
{
    QByteArray bytes;
    bytes.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size() && hexValue(value[i + 1]) >= 0 && hexValue(value[i + 2]) >= 0) {
            bytes += char(hexValue(value[i + 1]) * 16 + hexValue(value[i + 2]));
            i += 2;
        } else {
            bytes += value[i];
        }
    }
    return bytes;
}

// The value as text, escapes still in: a file's own bytes in its encoding, a
// quoted-printable value's bytes in its CHARSET or else as UTF-8 when they are that.
QString decodedText(const Property &property, bool fileIsUtf8)
{
    if (property.encoding == "QUOTED-PRINTABLE") {
        const QByteArray bytes = fromQuotedPrintable(property.value);
        return property.charset.isEmpty() ? MergeText::decodeValue(bytes)
                                          : MergeText::decodeCharset(bytes, property.charset);
    }
    if (!property.charset.isEmpty())
        return MergeText::decodeCharset(property.value, property.charset);
    return fileIsUtf8 ? QString::fromUtf8(property.value) : MergeText::fromWindows1252(property.value);
}

// The same, a quoted-printable line break (=0D=0A) as the "\n" every other way gives.
QString rawText(const Property &property, bool fileIsUtf8)
{
    QString text = decodedText(property, fileIsUtf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString unescaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        if (next == u'n' || next == u'N')
            out += u'\n';
        else if (next == u',' || next == u';' || next == u'\\' || next == u':')
            out += next;
        else
            out += QStringView(text).sliced(i - 1, 2);
    }
    return out;
}

// A structured value's components (N, ORG, ADR), split at the semicolons that are not
// escaped, each unescaped and trimmed.
QStringList components(QStringView text)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\') {
            ++i;
        } else if (text[i] == u';') {
            parts.append(unescaped(text.sliced(start, i - start)).trimmed());
            start = i + 1;
        }
    }
    parts.append(unescaped(text.sliced(start)).trimmed());
    return parts;
}

QString joined(const QStringList &parts, const QString &separator)
{
    QStringList kept;
    for (const QString &part : parts)
        if (!part.isEmpty())
            kept.append(part);
    return kept.join(separator);
}

// N is family;given;additional;prefix;suffix, each of which may list several words
// apart by commas; spoken, it is prefix given additional family suffix.
QString nameFromN(const QStringList &n)
{
    QStringList spoken;
    for (const int part : {3, 1, 2, 0, 4}) {
        QString words = n.value(part);
        spoken.append(words.replace(u',', u' ').simplified());
    }
    return joined(spoken, QStringLiteral(" "));
}

class Contact {
public:
    explicit Contact(int beginLine) : m_beginLine(beginLine) {}
    int beginLine() const { return m_beginLine; }

    void take(const Property &property, bool fileIsUtf8)
    {
        const QByteArray &name = property.name;
        if (name != "FN" && name != "N" && name != "TITLE" && name != "ORG" && name != "ADR" && name != "TEL"
            && name != "EMAIL")
            return;
        const QString text = rawText(property, fileIsUtf8);
        if (name == "FN")
            setFirst(Naam, unescaped(text));
        else if (name == "N" && m_fromN.isEmpty())
            m_fromN = nameFromN(components(text));
        else if (name == "TITLE")
            setFirst(Functie, unescaped(text));
        else if (name == "ORG")
            setFirst(Organisatie, joined(components(text), QStringLiteral(", ")));
        else if (name == "ADR")
            takeAddress(components(text));
        else if (name == "TEL")
            setFirst(Telefoon, withoutTelScheme(unescaped(text)));
        else
            setFirst(Email, unescaped(text));
    }

    QStringList row() const
    {
        QStringList fields(m_fields.cbegin(), m_fields.cend());
        if (fields[Naam].isEmpty())
            fields[Naam] = m_fromN;
        return fields;
    }

private:
    void setFirst(Column column, const QString &text)
    {
        if (m_fields[column].isEmpty())
            m_fields[column] = text.trimmed();
    }

    // ADR is post office box;extended;street;locality;region;postal code;country.
    void takeAddress(const QStringList &adr)
    {
        if (m_hasAddress)
            return;
        const QString street = adr.value(2).isEmpty() ? adr.value(0) : adr.value(2);
        const QString postcodePlace = joined({adr.value(5), adr.value(3)}, QStringLiteral(" "));
        if (street.isEmpty() && postcodePlace.isEmpty())
            return;
        m_hasAddress = true;
        m_fields[Straat] = street;
        m_fields[PostcodePlaats] = postcodePlace;
    }

    // 4.0 may give a number as a tel: address ("tel:+31-20-1234567;ext=12").
    static QString withoutTelScheme(const QString &text)
    {
        const QString t = text.trimmed();
        if (!t.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive))
            return t;
        return t.mid(4).section(u';', 0, 0);
    }

    int m_beginLine;
    std::array<QString, ColumnCount> m_fields;
    QString m_fromN;
    bool m_hasAddress = false;
};

bool isValue(const Property &property, const char *value)
{
    return property.value.trimmed().toUpper() == value;
}

} // namespace

QStringList columnNames()
{
    return {QStringLiteral("Naam"),   QStringLiteral("Functie"),            QStringLiteral("Organisatie"),
            QStringLiteral("Straat"), QStringLiteral("Postcode en plaats"), QStringLiteral("Telefoon"),
            QStringLiteral("E-mail")};
}

MergeRead read(const QByteArray &bytes, const QString &shownName)
{
    QByteArray converted;
    QByteArrayView body = bytes;
    bool fileIsUtf8 = true;
    switch (MergeText::detect(bytes)) {
    case MergeText::Encoding::Utf16LE:
    case MergeText::Encoding::Utf16BE:
        converted = MergeText::decode(bytes).toUtf8();
        body = converted;
        break;
    case MergeText::Encoding::Utf8:
        if (body.startsWith("\xEF\xBB\xBF"))
            body = body.sliced(3);
        break;
    case MergeText::Encoding::Windows1252:
        fileIsUtf8 = false;
        break;
    }

    const auto fault = [&shownName](int line, const QString &reason) {
        return MergeRead{{}, MergeFaults::atLine(shownName, line, reason)};
    };
    MergeData data;
    data.kind = MergeData::Kind::VCard;
    data.headers = columnNames();
    std::optional<Contact> open;
    for (const Line &line : logicalLines(physicalLines(body))) {
        const std::optional<Property> property = parseProperty(line.text);
        const bool begin = property && property->name == "BEGIN";
        if (begin && open)
            return fault(line.number, QStringLiteral("een nieuw contact begint voordat het vorige met END:VCARD is afgesloten"));
        if (!open && !(begin && isValue(*property, "VCARD"))) {
            if (property && property->name == "END")
                return fault(line.number, QStringLiteral("END:VCARD zonder BEGIN:VCARD ervoor"));
            return fault(line.number, QStringLiteral("hier hoort BEGIN:VCARD te staan"));
        }
        if (!property)
            continue;
        if (begin) {
            open.emplace(line.number);
        } else if (property->name == "END") {
            if (!isValue(*property, "VCARD"))
                return fault(line.number, QStringLiteral("hier hoort END:VCARD te staan"));
            const QStringList row = open->row();
            open.reset();
            if (std::all_of(row.cbegin(), row.cend(), [](const QString &f) { return f.isEmpty(); }))
                continue;
            if (data.rows.size() == MergeLimits::MaxPeople)
                return {{}, MergeFaults::tooManyPeople(shownName)};
            data.rows.append(row);
        } else {
            open->take(*property, fileIsUtf8);
        }
    }
    if (open)
        return fault(open->beginLine(), QStringLiteral("het contact dat hier begint wordt niet met END:VCARD afgesloten"));
    return {data, QString()};
}

bool looksLikeVCard(const QByteArray &bytes)
{
    const QString start = MergeText::decode(QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 256)));
    return start.trimmed().startsWith(QStringLiteral("BEGIN:VCARD"), Qt::CaseInsensitive);
}

} // namespace VCardReader
