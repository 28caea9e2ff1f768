#include "cardfile/DesignFile.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <map>
#include <optional>

namespace {

// The shortest text that reads back as exactly the same value: a place dragged to
// 12.5 pixels stays "12.5", and one snapped to a third of a pixel comes back the same.
QByteArray number(double value) { return QByteArray::number(value, 'g', QLocale::FloatingPointShortest); }

QByteArray numbers(std::initializer_list<double> values)
{
    QByteArrayList texts;
    for (const double value : values)
        texts << number(value);
    return texts.join(';');
}

QByteArray colourText(const QColor &colour)
{
    return colour.name(colour.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb).toLatin1();
}

const char *alignText(LineAlign align)
{
    switch (align) {
    case LineAlign::Centre:
        return "midden";
    case LineAlign::Right:
        return "rechts";
    case LineAlign::Left:
        break;
    }
    return "links";
}

// A font name is one line of the file, whatever the system calls the font.
QByteArray oneLine(const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line.toUtf8();
}

class Writer {
public:
    void put(const QByteArray &key, const QByteArray &value) { m_bytes += key + '=' + value + '\n'; }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes = QByteArray(DesignFile::VersionLine) + '\n';
};

void writeLine(Writer &out, int line, const LineDesign &design)
{
    const QByteArray key = "regel." + QByteArray::number(line) + '.';
    if (design.font) {
        const LineFont &font = *design.font;
        out.put(key + "lettertype", oneLine(font.name));
        out.put(key + "grootte", QByteArray::number(font.size));
        out.put(key + "vet", font.bold ? "1" : "0");
        out.put(key + "cursief", font.italic ? "1" : "0");
        out.put(key + "onderstreept", font.underline ? "1" : "0");
        if (font.colour.isValid())
            out.put(key + "kleur", colourText(font.colour));
    }
    if (design.align != LineAlign::Left)
        out.put(key + "uitlijning", alignText(design.align));
    if (!design.offset.isNull())
        out.put(key + "plaats", numbers({design.offset.x(), design.offset.y()}));
}

constexpr const char *kFieldKeys[] = {"naam", "functie", "bedrijf", "telefoon", "mobiel", "email", "website", "adres"};
constexpr const char *kKindKeys[] = {"vcard", "web", "tekst"};
constexpr const char *kLevelKeys[] = {"L", "M", "Q", "H"};

// A QR text may hold line breaks and backslashes; the file keeps each value on one line.
QByteArray escaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out.toUtf8();
}

QByteArray lineList(const QList<int> &lines)
{
    QByteArrayList texts;
    for (const int line : lines)
        texts << QByteArray::number(line);
    return texts.join(',');
}

void writeQr(Writer &out, const QByteArray &key, const QrObject &qr)
{
    out.put(key + "soort", kKindKeys[int(qr.content.kind)]);
    out.put(key + "niveau", kLevelKeys[int(qr.level)]);
    if (qr.inTextColour)
        out.put(key + "kleur", "tekst");
    for (size_t i = 0; i < std::size(AllContactFields); ++i) {
        const QString value = qr.content.contact.value(AllContactFields[i]);
        if (!value.isEmpty())
            out.put(key + kFieldKeys[i], escaped(value));
        if (!qr.follows[size_t(AllContactFields[i])].isEmpty())
            out.put(key + kFieldKeys[i] + ".regels", lineList(qr.follows[size_t(AllContactFields[i])]));
    }
    if (!qr.content.webAddress.isEmpty())
        out.put(key + "web", escaped(qr.content.webAddress));
    if (!qr.content.text.isEmpty())
        out.put(key + "tekst", escaped(qr.content.text));
}

// --- reading -----------------------------------------------------------------------

// A font or file name longer than any is damage; this many characters, written back,
// stay within a line of the file whatever they are.
constexpr qsizetype kMaxName = 255;

std::optional<double> readNumber(QStringView text, double limit)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok); // always with a point, whatever the locale
    if (!ok || !(std::abs(value) <= limit)) // NaN and the infinities fail this too
        return std::nullopt;
    return value;
}

// count numbers separated by ';', each within limit; nullopt unless all of them read.
std::optional<std::vector<double>> readNumbers(QStringView text, qsizetype count, double limit)
{
    const QList<QStringView> parts = text.split(u';');
    if (parts.size() != count)
        return std::nullopt;
    std::vector<double> values;
    for (const QStringView part : parts) {
        const auto value = readNumber(part, limit);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

std::optional<QPointF> readOffset(QStringView text)
{
    const auto values = readNumbers(text, 2, DesignFile::MaxOffset);
    return values ? std::optional<QPointF>(QPointF((*values)[0], (*values)[1])) : std::nullopt;
}

std::optional<QRectF> readRect(QStringView text)
{
    const auto values = readNumbers(text, 4, DesignFile::MaxLogoSide);
    if (!values)
        return std::nullopt;
    const auto &v = *values;
    if (!(std::abs(v[0]) <= DesignFile::MaxOffset && std::abs(v[1]) <= DesignFile::MaxOffset && v[2] > 0 && v[3] > 0))
        return std::nullopt;
    return QRectF(v[0], v[1], v[2], v[3]);
}

// 0, the logo's own, for what does not read.
double readAspect(QStringView text)
{
    const auto value = readNumber(text, DesignFile::MaxLogoAspect);
    return value && *value >= 1 / DesignFile::MaxLogoAspect ? *value : 0;
}

std::optional<bool> readFlag(QStringView text)
{
    const QStringView flag = text.trimmed();
    if (flag == u"1")
        return true;
    if (flag == u"0")
        return false;
    return std::nullopt;
}

std::optional<int> readSize(QStringView text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    if (!ok || size < DesignFile::MinFontSize || size > DesignFile::MaxFontSize)
        return std::nullopt;
    return size;
}

std::optional<QColor> readColour(QStringView text)
{
    static const QRegularExpression hex(
        QRegularExpression::anchoredPattern(QStringLiteral("#([0-9a-fA-F]{2})?[0-9a-fA-F]{6}")));
    const QStringView colour = text.trimmed();
    if (!hex.match(colour.toString()).hasMatch())
        return std::nullopt;
    return QColor::fromString(colour);
}

std::optional<LineAlign> readAlign(QStringView text)
{
    const QStringView align = text.trimmed();
    if (align == u"links")
        return LineAlign::Left;
    if (align == u"midden")
        return LineAlign::Centre;
    if (align == u"rechts")
        return LineAlign::Right;
    return std::nullopt;
}

// A line's own font as far as the file gives it: it has one when any value of it reads.
struct FontValues {
    std::optional<QString> name;
    std::optional<int> size;
    std::optional<bool> bold, italic, underline;
    std::optional<QColor> colour;

    bool any() const { return name || size || bold || italic || underline || colour; }
    LineFont over(const LineFont &card) const
    {
        return {name.value_or(card.name), size.value_or(card.size), bold.value_or(card.bold),
                italic.value_or(card.italic), underline.value_or(card.underline), colour.value_or(card.colour)};
    }
};

struct LogoValues {
    std::optional<QRectF> rect;
    QString file;
    double aspect = 0;
};

struct QrValues {
    std::optional<QRectF> rect;
    QrObject qr;
};

struct Parsed {
    std::array<FontValues, 8> fonts;
    std::array<LineDesign, 8> lines;
    QPointF stampOffset;
    // By their place in the card's list of objects, logos and codes alike.
    std::map<int, LogoValues> logos;
    std::map<int, QrValues> qrs;
};

QString unescaped(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        out += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next;
    }
    return out;
}

// "4,5": card lines 1..7, each once; nullopt for anything else.
std::optional<QList<int>> readLineList(QStringView text)
{
    QList<int> lines;
    for (const QStringView part : text.trimmed().split(u',')) {
        bool ok = false;
        const int line = part.trimmed().toInt(&ok);
        if (!ok || line < 1 || line > 7 || lines.contains(line))
            return std::nullopt;
        lines.append(line);
    }
    return lines;
}

template <size_t N>
std::optional<int> readChoice(QStringView text, const char *const (&choices)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (text.trimmed() == QLatin1String(choices[i]))
            return int(i);
    return std::nullopt;
}

void readQrValue(QrValues &values, const QList<QStringView> &parts, QStringView value)
{
    QrObject &qr = values.qr;
    const QStringView field = parts[2];
    if (parts.size() == 4) {
        if (parts[3] != u"regels")
            return;
        for (size_t i = 0; i < std::size(AllContactFields); ++i)
            if (field == QLatin1String(kFieldKeys[i]))
                qr.follows[size_t(AllContactFields[i])] = readLineList(value).value_or(QList<int>());
        return;
    }
    if (field == u"plaats") {
        values.rect = readRect(value);
    } else if (field == u"soort") {
        qr.content.kind = QrKind(readChoice(value, kKindKeys).value_or(0));
    } else if (field == u"niveau") {
        qr.level = QrLevel(readChoice(value, kLevelKeys).value_or(int(QrLevel::M)));
    } else if (field == u"kleur") {
        qr.inTextColour = value.trimmed() == u"tekst";
    } else if (field == u"web") {
        qr.content.webAddress = unescaped(value);
    } else if (field == u"tekst") {
        qr.content.text = unescaped(value);
    } else {
        for (size_t i = 0; i < std::size(AllContactFields); ++i)
            if (field == QLatin1String(kFieldKeys[i]))
                qr.content.contact.setValue(AllContactFields[i], unescaped(value));
    }
}

// The number after a key's first word, when it lies in 1..last.
std::optional<int> readIndex(QStringView text, int last)
{
    bool ok = false;
    const int index = text.toInt(&ok);
    return ok && index >= 1 && index <= last ? std::optional<int>(index) : std::nullopt;
}

void readLineValue(Parsed &parsed, int line, QStringView field, QStringView value)
{
    FontValues &font = parsed.fonts[size_t(line)];
    LineDesign &design = parsed.lines[size_t(line)];
    if (field == u"lettertype") {
        // Judged after the conversion, which drops a leading byte order mark: a name of
        // nothing else is no name.
        const QString name = QString::fromUtf8(oneLine(value.toString()));
        if (!name.trimmed().isEmpty() && value.size() <= kMaxName)
            font.name = name;
    } else if (field == u"grootte") {
        font.size = readSize(value);
    } else if (field == u"vet") {
        font.bold = readFlag(value);
    } else if (field == u"cursief") {
        font.italic = readFlag(value);
    } else if (field == u"onderstreept") {
        font.underline = readFlag(value);
    } else if (field == u"kleur") {
        font.colour = readColour(value);
    } else if (field == u"uitlijning") {
        design.align = readAlign(value).value_or(LineAlign::Left);
    } else if (field == u"plaats") {
        design.offset = readOffset(value).value_or(QPointF());
    }
}

void readValue(Parsed &parsed, QStringView key, QStringView value)
{
    if (key == u"zegel.plaats") {
        parsed.stampOffset = readOffset(value).value_or(QPointF());
        return;
    }
    const QList<QStringView> parts = key.split(u'.');
    if (parts.size() == 4 && parts[0] == u"qr") {
        if (const auto index = readIndex(parts[1], DesignFile::MaxLogos))
            readQrValue(parsed.qrs[*index], parts, value);
        return;
    }
    if (parts.size() != 3)
        return;
    if (parts[0] == u"qr") {
        if (const auto index = readIndex(parts[1], DesignFile::MaxLogos))
            readQrValue(parsed.qrs[*index], parts, value);
        return;
    }
    if (parts[0] == u"regel") {
        if (const auto line = readIndex(parts[1], 7))
            readLineValue(parsed, *line, parts[2], value);
    } else if (parts[0] == u"logo") {
        const auto index = readIndex(parts[1], DesignFile::MaxLogos);
        if (!index)
            return;
        if (parts[2] == u"bestand" && value.trimmed().size() <= kMaxName)
            parsed.logos[*index].file = QString::fromUtf8(oneLine(value.trimmed().toString()));
        else if (parts[2] == u"plaats")
            parsed.logos[*index].rect = readRect(value);
        else if (parts[2] == u"verhouding")
            parsed.logos[*index].aspect = readAspect(value);
    }
}

bool isVersionLine(const QByteArray &line)
{
    static const QRegularExpression version(
        QRegularExpression::anchoredPattern(QStringLiteral("Lumovander opmaak [1-9][0-9]{0,5}")));
    return version.match(QString::fromLatin1(line.trimmed())).hasMatch();
}

} // namespace

namespace DesignFile {

QByteArray write(const CardDesign &design, const QStringList &logoFiles)
{
    if (design.isPlain())
        return QByteArray();
    Writer out;
    for (int line = 1; line <= 7; ++line)
        writeLine(out, line, design.lines[size_t(line)]);
    if (!design.stampOffset.isNull())
        out.put("zegel.plaats", numbers({design.stampOffset.x(), design.stampOffset.y()}));
    const qsizetype objects = std::min<qsizetype>({qsizetype(design.objects.size()), logoFiles.size(), MaxLogos});
    for (qsizetype i = 0; i < objects; ++i) {
        const PlacedObject &object = design.objects[size_t(i)];
        const QRectF &rect = object.rect;
        const bool qr = object.kind == PlacedObject::Kind::Qr;
        const QByteArray key = (qr ? "qr." : "logo.") + QByteArray::number(i + 1) + '.';
        if (qr)
            writeQr(out, key, object.qr);
        else
            out.put(key + "bestand", oneLine(logoFiles[i]));
        out.put(key + "plaats", numbers({rect.x(), rect.y(), rect.width(), rect.height()}));
        if (!qr && object.aspect > 0)
            out.put(key + "verhouding", numbers({object.aspect}));
    }
    return out.bytes();
}

Read read(const QByteArray &bytes, const LineFont &cardFont)
{
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    // A later version adds keys; what this one knows it reads, the rest it passes over.
    if (lines.isEmpty() || !isVersionLine(lines.first()))
        return {};
    Parsed parsed;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].size() > MaxLineBytes)
            continue;
        QString line = QString::fromUtf8(lines[i]);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        readValue(parsed, QStringView(line).left(equals).trimmed(), QStringView(line).mid(equals + 1));
    }

    Read read;
    for (int line = 1; line <= 7; ++line) {
        LineDesign &design = read.design.lines[size_t(line)];
        design = parsed.lines[size_t(line)];
        const FontValues &font = parsed.fonts[size_t(line)];
        if (font.any())
            design.font = font.over(cardFont);
    }
    read.design.stampOffset = parsed.stampOffset;
    // A logo without its place or its file is left out: there is no telling where it
    // went or what it showed.
    std::map<int, std::pair<PlacedObject, QString>> objects;
    for (const auto &[index, logo] : parsed.logos) {
        if (!logo.rect || logo.file.isEmpty())
            continue;
        PlacedObject object;
        object.rect = *logo.rect;
        object.aspect = logo.aspect;
        objects[index] = {object, logo.file};
    }
    // A code is what its values make; one without its place is left out.
    for (const auto &[index, values] : parsed.qrs) {
        if (!values.rect || objects.count(index))
            continue;
        PlacedObject object;
        object.kind = PlacedObject::Kind::Qr;
        object.rect = *values.rect;
        object.qr = values.qr;
        objects[index] = {object, QString()};
    }
    for (const auto &[index, object] : objects) {
        if (read.design.objects.size() == size_t(CardDesign::MaxObjects)) {
            ++read.leftOut;
            continue;
        }
        read.design.objects.push_back(object.first);
        // Only a code that is kept is made: a file may list 999.
        if (object.first.kind == PlacedObject::Kind::Qr)
            read.design.objects.back().qr.encode();
        read.logoFiles << object.second;
    }
    return read;
}

} // namespace DesignFile
