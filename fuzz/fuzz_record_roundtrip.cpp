// Any card (texts of any characters, every field within its range) written as a record
// and read back is the same card: the record's texts as carriableText gives them, the
// rest unchanged.
#include "cardfile/CardRecord.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <cstdlib>

namespace {

// Any Unicode text: code points taken whole, surrogates left out (a QString holding a
// lone surrogate is no text a user types).
QString anyText(FuzzedDataProvider &in)
{
    QString text;
    const size_t length = in.ConsumeIntegralInRange<size_t>(0, 40);
    for (size_t i = 0; i < length && in.remaining_bytes() > 0; ++i) {
        // Mostly the first 512 code points, where Windows-1252 and its neighbours lie.
        char32_t c = in.ConsumeBool() ? in.ConsumeIntegralInRange<char32_t>(0, 0x1FF)
                                      : in.ConsumeIntegralInRange<char32_t>(0, 0x10FFFF);
        if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        text += QString::fromUcs4(&c, 1);
    }
    return text;
}

GeneralValue anyComponent(FuzzedDataProvider &in)
{
    return GeneralValue(in.ConsumeIntegralInRange<int>(0, 255));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    CardState card;
    card.LayoutKind = in.ConsumeIntegralInRange<uint8_t>(0, 4);
    card.FontName = anyText(in);
    card.FontSize = in.ConsumeIntegralInRange<int32_t>(CardRecord::MinFontSize, CardRecord::MaxFontSize);
    card.FontBold = in.ConsumeBool();
    card.FontItalic = in.ConsumeBool();
    card.FontUnderline = in.ConsumeBool();
    card.TextColorR = anyComponent(in);
    card.TextColorG = anyComponent(in);
    card.TextColorB = in.ConsumeIntegral<uint8_t>();
    for (int i = 1; i <= 7; ++i)
        card.TextLines[size_t(i)] = anyText(in);
    card.CardBorder = in.ConsumeBool();
    card.BorderColorR = anyComponent(in);
    card.BorderColorG = anyComponent(in);
    card.BorderColorB = in.ConsumeIntegral<uint8_t>();

    // Read into a card whose every field differs, so a field that is not read shows.
    CardState read;
    read.LayoutKind = uint8_t(card.LayoutKind ^ 1);
    read.FontName = card.FontName + 'x';
    read.FontSize = card.FontSize == 1 ? 2 : 1;
    read.FontBold = !card.FontBold;
    read.FontItalic = !card.FontItalic;
    read.FontUnderline = !card.FontUnderline;
    read.TextColorR = read.TextColorG = read.BorderColorR = read.BorderColorG = GeneralValue(-1);
    read.TextColorB = uint8_t(card.TextColorB ^ 1);
    read.BorderColorB = uint8_t(card.BorderColorB ^ 1);
    for (int i = 1; i <= 7; ++i)
        read.TextLines[size_t(i)] = card.TextLines[size_t(i)] + 'x';
    read.CardBorder = !card.CardBorder;
    CardRecord::read(CardRecord::write(card), read);

    CardState expected = card;
    expected.FontName = CardRecord::carriableText(card.FontName);
    for (int i = 1; i <= 7; ++i)
        expected.TextLines[size_t(i)] = CardRecord::carriableText(card.TextLines[size_t(i)]);
    if (!(read.LayoutKind == expected.LayoutKind && read.FontName == expected.FontName
          && read.FontSize == expected.FontSize && read.FontBold == expected.FontBold
          && read.FontItalic == expected.FontItalic && read.FontUnderline == expected.FontUnderline
          && read.TextColorR == expected.TextColorR && read.TextColorG == expected.TextColorG
          && read.TextColorB == expected.TextColorB && read.TextLines == expected.TextLines
          && read.CardBorder == expected.CardBorder && read.BorderColorR == expected.BorderColorR
          && read.BorderColorG == expected.BorderColorG && read.BorderColorB == expected.BorderColorB))
        std::abort();
    return 0;
}
