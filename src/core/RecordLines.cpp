#include "core/RecordLines.h"

#include <QLocale>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

std::optional<char> toCp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] == c && c != 0)
            return char(0x80 + i);
    return std::nullopt;
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

} // namespace

void RecordWriter::separate()
{
    if (m_lineOpen)
        m_out += QLatin1Char(',');
    m_lineOpen = true;
}

RecordWriter &RecordWriter::text(const QString &value)
{
    separate();
    m_out += QLatin1Char('"') + value + QLatin1Char('"');
    return *this;
}

RecordWriter &RecordWriter::number(double value)
{
    separate();
    m_out += plainDecimal(value);
    return *this;
}

RecordWriter &RecordWriter::boolean(bool value)
{
    separate();
    m_out += value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    return *this;
}

RecordWriter &RecordWriter::general(const GeneralValue &value)
{
    return value.isText() ? text(value.text()) : number(value.toNumber());
}

RecordWriter &RecordWriter::endLine()
{
    m_out += QStringLiteral("\r\n");
    m_lineOpen = false;
    return *this;
}

bool RecordReader::atEnd() const
{
    qsizetype p = m_pos;
    while (p < m_text.size() && (isBlank(m_text[p]) || isLineEnd(m_text[p])))
        ++p;
    return p >= m_text.size();
}

std::optional<RecordReader::Field> RecordReader::next()
{
    // Blank lines between fields carry nothing.
    while (m_pos < m_text.size() && (isBlank(m_text[m_pos]) || isLineEnd(m_text[m_pos])))
        ++m_pos;
    if (m_pos >= m_text.size())
        return std::nullopt;

    Field field;
    if (m_text[m_pos] == QLatin1Char('"')) {
        field.quoted = true;
        // A quote left open ends with its line, so that one damaged line does not
        // swallow the fields after it.
        qsizetype end = m_pos + 1;
        while (end < m_text.size() && m_text[end] != QLatin1Char('"') && !isLineEnd(m_text[end]))
            ++end;
        field.value = m_text.mid(m_pos + 1, end - m_pos - 1);
        m_pos = end < m_text.size() && m_text[end] == QLatin1Char('"') ? end + 1 : end;
        // Anything after the closing quote up to the separator is not part of the text.
        while (m_pos < m_text.size() && m_text[m_pos] != QLatin1Char(',') && !isLineEnd(m_text[m_pos]))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != QLatin1Char(',') && !isLineEnd(m_text[m_pos]))
            ++m_pos;
        field.value = m_text.mid(start, m_pos - start).trimmed();
    }
    if (m_pos < m_text.size()) {
        if (m_text[m_pos] == QLatin1Char(','))
            ++m_pos;
        else if (m_text[m_pos] == QLatin1Char('\r')) {
            ++m_pos;
            if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\n'))
                ++m_pos;
        } else {
            ++m_pos;
        }
    }
    return field;
}

std::optional<QString> RecordReader::text()
{
    auto field = next();
    if (!field)
        return std::nullopt;
    return field->value;
}

std::optional<double> RecordReader::number()
{
    auto field = next();
    if (!field || field->quoted)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(field->value, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> RecordReader::integer()
{
    auto value = number();
    if (!value || std::fabs(*value) > 2147483647.0)
        return std::nullopt;
    return int(std::nearbyint(*value));
}

std::optional<bool> RecordReader::boolean()
{
    auto field = next();
    if (!field || field->quoted)
        return std::nullopt;
    if (field->value.compare(QStringLiteral("#TRUE#"), Qt::CaseInsensitive) == 0)
        return true;
    if (field->value.compare(QStringLiteral("#FALSE#"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

std::optional<GeneralValue> RecordReader::general()
{
    auto field = next();
    if (!field)
        return std::nullopt;
    if (field->quoted)
        return GeneralValue(field->value);
    bool ok = false;
    const double value = QLocale::c().toDouble(field->value, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return GeneralValue(value);
}

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool isUndefinedInCp1252(unsigned char b)
{
    return b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] == 0;
}

QString fromCp1252(QByteArrayView bytes)
{
    QString result;
    result.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0)
            result += QChar(kCp1252High[b - 0x80]);
        else
            result += QChar(char16_t(b));
    }
    return result;
}

std::optional<QString> fromUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return decoded;
}

// The text of an unmarked file when it was written as UTF-8: by this program's earlier
// builds, which wrote no mark, or by any editor. Valid UTF-8 with a multi-byte sequence
// qualifies in two cases, and no Windows-1252 writer makes either except by rare accident:
// - it holds a byte the code page leaves undefined ("Łódź" holds 0x81);
// - read as UTF-8 it holds only characters the code page has ("Café Noël", "€ 12,50").
//   Code-page text reads so only where a capital Â, Ã, Å, Æ or Ë stands right before a
//   symbol byte 0x80..0xBF, which card texts do not hold; "RENÉ’S BAR" would read as
//   "RENɒS BAR", and ɒ is not in the code page, so that file stays Windows-1252.
std::optional<QString> unmarkedUtf8(QByteArrayView bytes)
{
    const auto beyondAscii = [](char b) { return static_cast<unsigned char>(b) >= 0x80; };
    if (std::none_of(bytes.begin(), bytes.end(), beyondAscii))
        return std::nullopt;
    auto decoded = fromUtf8(bytes);
    if (!decoded)
        return std::nullopt;
    const auto undefined = [](char b) { return isUndefinedInCp1252(static_cast<unsigned char>(b)); };
    const auto inCodePage = [](QChar c) { return toCp1252(c.unicode()).has_value(); };
    if (std::any_of(bytes.begin(), bytes.end(), undefined) || std::all_of(decoded->begin(), decoded->end(), inCodePage))
        return decoded;
    return std::nullopt;
}

} // namespace

QString decodeRecordBytes(const QByteArray &bytes)
{
    if (bytes.startsWith(kByteOrderMark))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    // UTF-16 or UTF-32 after its mark, as an editor's "Unicode" saves a file.
    if (const auto marked = QStringConverter::encodingForData(bytes))
        return QStringDecoder(*marked, QStringDecoder::Flag::Stateless).decode(bytes);
    if (auto utf8 = unmarkedUtf8(bytes))
        return *utf8;
    return fromCp1252(bytes);
}

QByteArray encodeRecordText(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        auto byte = toCp1252(c.unicode());
        if (!byte)
            return kByteOrderMark + text.toUtf8();
        out += *byte;
    }
    // The few code-page texts that read otherwise (that pass for UTF-8, "Ã©", or start
    // as a UTF-16 mark, "ÿþ") get the mark, so that what this program writes always
    // reads back as it was.
    if (decodeRecordBytes(out) != text)
        return kByteOrderMark + text.toUtf8();
    return out;
}
