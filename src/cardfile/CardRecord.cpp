#include "cardfile/CardRecord.h"

#include "core/RecordLines.h"

namespace {

const QString &header()
{
    static const QString text = QStringLiteral("Vek Tarnholm Software 2009");
    return text;
}

const QString &separator()
{
    static const QString dashes(26, QLatin1Char('-'));
    return dashes;
}

constexpr QChar kOpeningQuote(0x201C);
constexpr QChar kClosingQuote(0x201D);

template <typename T>
void takeIfRead(const std::optional<T> &value, T &field)
{
    if (value)
        field = *value;
}

void takeInteger(RecordReader &reader, int low, int high, auto &field)
{
    const auto value = reader.integer();
    if (value && *value >= low && *value <= high)
        field = *value;
}

void takeComponent(RecordReader &reader, GeneralValue &field)
{
    const auto value = reader.number();
    if (value && *value >= 0 && *value <= 255)
        field = GeneralValue(*value);
}

} // namespace

namespace CardRecord {

QString carriableText(const QString &text)
{
    QString out = text;
    bool opening = true;
    for (QChar &c : out) {
        if (c == QLatin1Char('"')) {
            c = opening ? kOpeningQuote : kClosingQuote;
            opening = !opening;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            c = QLatin1Char(' ');
        }
    }
    return out;
}

QByteArray write(const CardState &s)
{
    RecordWriter w;
    w.text(header()).endLine();
    w.text(separator()).endLine();
    w.number(s.LayoutKind).endLine();
    w.text(separator()).endLine();
    w.text(carriableText(s.FontName)).endLine();
    w.number(s.FontSize).endLine();
    w.boolean(s.FontBold).endLine();
    w.boolean(s.FontItalic).endLine();
    w.boolean(s.FontUnderline).endLine();
    w.general(s.TextColorR).general(s.TextColorG).number(s.TextColorB).endLine();
    w.text(separator()).endLine();
    for (int i = 1; i <= 7; ++i)
        w.text(carriableText(s.TextLines[i])).endLine();
    w.text(separator()).endLine();
    w.boolean(s.CardBorder).endLine();
    w.general(s.BorderColorR).general(s.BorderColorG).number(s.BorderColorB).endLine();
    return encodeRecordText(w.result());
}

void read(const QByteArray &bytes, CardState &s)
{
    RecordReader r(decodeRecordBytes(bytes));
    r.text();
    r.text();
    takeInteger(r, 0, 4, s.LayoutKind);
    r.text();
    takeIfRead(r.text(), s.FontName);
    takeInteger(r, MinFontSize, MaxFontSize, s.FontSize);
    takeIfRead(r.boolean(), s.FontBold);
    takeIfRead(r.boolean(), s.FontItalic);
    takeIfRead(r.boolean(), s.FontUnderline);
    takeComponent(r, s.TextColorR);
    takeComponent(r, s.TextColorG);
    takeInteger(r, 0, 255, s.TextColorB);
    r.text();
    for (int i = 1; i <= 7; ++i)
        takeIfRead(r.text(), s.TextLines[i]);
    r.text();
    takeIfRead(r.boolean(), s.CardBorder);
    takeComponent(r, s.BorderColorR);
    takeComponent(r, s.BorderColorG);
    takeInteger(r, 0, 255, s.BorderColorB);
}

} // namespace CardRecord
