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

} // namespace

QString decodeRecordBytes(const QByteArray &bytes)
{
    if (bytes.startsWith(kByteOrderMark))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    // Versions before the mark wrote unmarked UTF-8 when a text did not fit the code
    // page. Such a file is recognised only when no Windows-1252 writer could have made
    // it: it holds a byte the code page leaves undefined, and reads whole as UTF-8.
    if (std::any_of(bytes.begin(), bytes.end(),
                    [](char b) { return isUndefinedInCp1252(static_cast<unsigned char>(b)); }))
        if (auto decoded = fromUtf8(bytes))
            return *decoded;
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
    return out;
}
