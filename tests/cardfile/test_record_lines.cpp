#include "core/RecordLines.h"

#include <gtest/gtest.h>
#include <vector>

TEST(RecordWriter, WritesFieldsCommaSeparatedWithCrLf)
{
    RecordWriter w;
    w.text("Arial").endLine().number(16).endLine().boolean(false).endLine();
    w.number(70).number(100).number(70).endLine();
    w.general(GeneralValue("15")).general(GeneralValue(23)).general(GeneralValue(12.5)).endLine();
    EXPECT_EQ(w.result(), QString("\"Arial\"\r\n16\r\n#FALSE#\r\n70,100,70\r\n\"15\",23,12.5\r\n"));
}

TEST(RecordReader, ReadsFieldsWhateverTheirSpreadOverLines)
{
    RecordReader r("\"a, b\" , 12\r\n#TRUE#\r\n\"  \"\r\n3,\"x\"\n");
    EXPECT_EQ(r.text(), QString("a, b"));
    EXPECT_EQ(r.integer(), 12);
    EXPECT_EQ(r.boolean(), true);
    EXPECT_EQ(r.text(), QString("  "));
    EXPECT_EQ(r.number(), 3.0);
    auto g = r.general();
    ASSERT_TRUE(g);
    EXPECT_TRUE(g->isText());
    EXPECT_FALSE(r.text().has_value()) << "reading past the end fails";
}

TEST(RecordReader, WrongKindOfFieldFailsButIsConsumed)
{
    RecordReader r("\"Arial\",#TRUE#,7\r\n");
    EXPECT_FALSE(r.number().has_value());
    EXPECT_FALSE(r.integer().has_value());
    EXPECT_EQ(r.integer(), 7);
}

TEST(RecordReader, GeneralValueKeepsQuotedAsText)
{
    RecordReader r("\"15\",23\r\n");
    auto a = r.general();
    auto b = r.general();
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(a->isText());
    EXPECT_EQ(a->text(), QString("15"));
    EXPECT_TRUE(b->isNumber());
    EXPECT_EQ(b->toNumber(), 23.0);
}

namespace {

// The 251 characters Windows-1252 defines, with the byte each is written as.
std::vector<std::pair<QChar, char>> cp1252Characters()
{
    // Bytes 0x80..0x9F, from the code page's table; 0 where it leaves a byte undefined.
    const char16_t high[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
                               0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    std::vector<std::pair<QChar, char>> all;
    for (int b = 0; b < 256; ++b) {
        const char16_t c = b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b);
        if (b < 0x80 || b >= 0xA0 || c != 0)
            all.emplace_back(QChar(c), char(b));
    }
    return all;
}

} // namespace

TEST(RecordEncoding, EveryWindows1252CharacterRoundTripsInEveryPositionAndPair)
{
    const auto all = cp1252Characters();
    ASSERT_EQ(all.size(), 251u);
    for (const auto &[c, byte] : all) {
        for (const QString &text : {QString(c) + "ab", "a" + QString(c) + "b", "ab" + QString(c)}) {
            const QByteArray bytes = encodeRecordText(text);
            ASSERT_EQ(bytes.size(), 3) << "U+" << std::hex << int(c.unicode());
            ASSERT_TRUE(bytes.contains(byte));
            ASSERT_EQ(decodeRecordBytes(bytes), text) << "U+" << std::hex << int(c.unicode());
        }
        // Every character followed by every character, each pair a text of its own: the
        // pairs that are valid UTF-8 ("É’", "É" + no-break space) are the ones a
        // guessing reader changes.
        for (const auto &[d, unused] : all) {
            const QString pair = QString(c) + d;
            ASSERT_EQ(decodeRecordBytes(encodeRecordText(pair)), pair)
                << "U+" << std::hex << int(c.unicode()) << " U+" << int(d.unicode());
        }
    }
}

TEST(RecordEncoding, TextsThatDoNotFitAreUtf8AfterAByteOrderMark)
{
    for (const char *utf8 : {"\xc5\x81\xc3\xb3\x64\xc5\xba", "Caf\xc3\xa9 \xf0\x9f\x98\x80", "\xe4\xb8\xad"}) {
        const QString text = QString::fromUtf8(utf8);
        const QByteArray bytes = encodeRecordText(text);
        EXPECT_EQ(bytes, "\xef\xbb\xbf" + QByteArray(utf8));
        EXPECT_EQ(decodeRecordBytes(bytes), text);
    }
    EXPECT_EQ(encodeRecordText(QString::fromUtf8("Ri\u00ebl \u20ac")), QByteArray("Ri\xebl \x80"));
}

TEST(RecordEncoding, UnmarkedFilesAreWindows1252EvenWhenTheyAreValidUtf8)
{
    // "RENÉ’S BAR" and "CAFÉ" + no-break space, as the Windows program writes them.
    EXPECT_EQ(decodeRecordBytes("REN\xc9\x92S BAR"), QString::fromUtf8("REN\u00c9\u2019S BAR"));
    EXPECT_EQ(decodeRecordBytes("CAF\xc9\xa0" "DE ROOS"), QString::fromUtf8("CAF\u00c9\u00a0DE ROOS"));
    EXPECT_EQ(decodeRecordBytes("Ri\xc3\xabl"), QString::fromUtf8("Ri\u00c3\u00abl"));
}

TEST(RecordEncoding, UnmarkedUtf8WithABytesWindows1252LacksStaysReadable)
{
    // Written before the mark existed: "Łódź" holds 0x81, which no Windows-1252 writer makes.
    EXPECT_EQ(decodeRecordBytes("\"\xc5\x81\xc3\xb3\x64\xc5\xba\""), QString::fromUtf8("\"\u0141\u00f3d\u017a\""));
    // The same byte in a file that is no UTF-8 reads as the code page's control.
    EXPECT_EQ(decodeRecordBytes("a\x81\xe9"), QString::fromUtf8("a\u0081\u00e9"));
}

TEST(GeneralValue, TextConvertsWithCommaOrPointAsDecimalSeparator)
{
    bool ok = false;
    EXPECT_DOUBLE_EQ(GeneralValue("12,5").toNumber(&ok), 12.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(GeneralValue("12.5").toNumber(&ok), 12.5);
    EXPECT_DOUBLE_EQ(GeneralValue("12,345").toNumber(&ok), 12.345);
    GeneralValue("abc").toNumber(&ok);
    EXPECT_FALSE(ok);
    GeneralValue("").toNumber(&ok);
    EXPECT_FALSE(ok);
}

TEST(RecordReader, QuoteLeftOpenEndsWithItsLine)
{
    RecordReader r("\"open text\r\n\"next\",5\r\n");
    EXPECT_EQ(r.text(), QString("open text"));
    EXPECT_EQ(r.text(), QString("next"));
    EXPECT_EQ(r.integer(), 5);
}
