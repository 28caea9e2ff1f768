#include "merge/MergeText.h"

#include <QStringDecoder>

namespace MergeText {

namespace {

bool startsWith(QByteArrayView bytes, std::initializer_list<unsigned char> mark)
{
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    qsizetype i = 0;
    for (const unsigned char b : mark)
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    return true;
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoding runs when its result is taken.
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString decodeWith(QStringDecoder::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

// 0x80..0x9F, where Windows-1252 differs from Latin-1; its five unused codes give the
// replacement character rather than a control character on a card.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

} // namespace

Encoding detect(QByteArrayView bytes)
{
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return Encoding::Utf8;
    if (startsWith(bytes, {0xFF, 0xFE}))
        return Encoding::Utf16LE;
    if (startsWith(bytes, {0xFE, 0xFF}))
        return Encoding::Utf16BE;
    return isUtf8(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

QString decode(QByteArrayView bytes)
{
    switch (detect(bytes)) {
    case Encoding::Utf8:
        return decodeWith(QStringDecoder::Utf8, startsWith(bytes, {0xEF, 0xBB, 0xBF}) ? bytes.sliced(3) : bytes);
    case Encoding::Utf16LE:
        return decodeWith(QStringDecoder::Utf16LE, bytes.sliced(2));
    case Encoding::Utf16BE:
        return decodeWith(QStringDecoder::Utf16BE, bytes.sliced(2));
    case Encoding::Windows1252:
        break;
    }
    return fromWindows1252(bytes);
}

QString decodeCharset(QByteArrayView bytes, QByteArrayView charset)
{
    const QByteArray name = charset.toByteArray().trimmed().toUpper();
    if (name == "UTF-8" || name == "UTF8")
        return decodeWith(QStringDecoder::Utf8, bytes);
    if (name == "ISO-8859-1" || name == "ISO8859-1" || name == "LATIN1" || name == "WINDOWS-1252"
        || name == "CP1252" || name == "US-ASCII" || name == "ASCII")
        return fromWindows1252(bytes);
    QStringDecoder named(name.constData(), QStringDecoder::Flag::Stateless);
    if (named.isValid())
        return named.decode(bytes);
    return decodeValue(bytes);
}

QString decodeValue(QByteArrayView bytes)
{
    return isUtf8(bytes) ? decodeWith(QStringDecoder::Utf8, bytes) : fromWindows1252(bytes);
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(Windows1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

} // namespace MergeText
