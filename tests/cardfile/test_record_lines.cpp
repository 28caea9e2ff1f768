#include "core/RecordLines.h"

#include <QStringEncoder>
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
        // Every character followed by every character, each pair a text of its own:
        // what this program writes reads back unchanged, also the pairs that pass for
        // UTF-8 ("Ã©"), which it writes with a mark.
        for (const auto &[d, unused] : all) {
            const QString pair = QString(c) + d;
            ASSERT_EQ(decodeRecordBytes(encodeRecordText(pair)), pair)
                << "U+" << std::hex << int(c.unicode()) << " U+" << int(d.unicode());
        }
    }
}

TEST(RecordEncoding, WindowsWrittenPairsMisreadOnlyAsCapitalsBeforeASymbolByte)
{
    // The Windows program writes every text in the code page, without a mark. The pairs
    // read as UTF-8 are a capital Â, Ã, Å, Æ or Ë before a byte 0x80..0xBF that makes
    // a character the code page has; "ÿþ" and "þÿ" read as a UTF-16 mark, but only at
    // the start of a file, where a record has its quoted header. Every other of the
    // 63001 pairs reads as written.
    const auto all = cp1252Characters();
    QStringList misread;
    for (const auto &[c, first] : all)
        for (const auto &[d, second] : all) {
            const char bytes[] = {first, second};
            if (decodeRecordBytes(QByteArray(bytes, 2)) != QString(c) + d)
                misread << QString(c) + d;
        }
    const QStringList utf16Marks = {QString::fromUtf8("\u00fe\u00ff"), QString::fromUtf8("\u00ff\u00fe")};
    EXPECT_EQ(misread.size(), 103) << misread.join(' ').toStdString();
    for (const QString &pair : misread) {
        EXPECT_TRUE(QString::fromUtf8("\u00c2\u00c3\u00c5\u00c6\u00cb").contains(pair[0]) || utf16Marks.contains(pair))
            << pair.toStdString();
        EXPECT_EQ(encodeRecordText(pair).left(3), QByteArray("\xef\xbb\xbf")) << "written with a mark";
    }
    EXPECT_TRUE(misread.contains(QString::fromUtf8("\u00c3\u00a9")));
    EXPECT_FALSE(misread.contains(QString::fromUtf8("\u00c9\u2019")));
    EXPECT_EQ(decodeRecordBytes("\"\xff\xfe\""), QString::fromUtf8("\"\u00ff\u00fe\"")) << "a mark only at the start";
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

TEST(RecordEncoding, UnmarkedUtf8OfCodePageCharactersReadsAsUtf8)
{
    // As earlier builds and any text editor write them.
    for (const char *utf8 : {"\"Caf\xc3\xa9 No\xc3\xabl\"", "\xc5\xb8", "\xe2\x82\xac 12,50", "\xc2\xa9 1998"})
        EXPECT_EQ(decodeRecordBytes(utf8), QString::fromUtf8(utf8)) << utf8;
}

TEST(RecordEncoding, UnmarkedFilesThatReadAsOtherCharactersAreWindows1252)
{
    // "RENÉ’S BAR" and "CAFÉ" + no-break space, as the Windows program writes them: as
    // UTF-8 they would be "RENɒS BAR" and "CAFɠDE ROOS".
    EXPECT_EQ(decodeRecordBytes("REN\xc9\x92S BAR"), QString::fromUtf8("REN\u00c9\u2019S BAR"));
    EXPECT_EQ(decodeRecordBytes("CAF\xc9\xa0" "DE ROOS"), QString::fromUtf8("CAF\u00c9\u00a0DE ROOS"));
    // One such character anywhere makes the whole file the code page's.
    EXPECT_EQ(decodeRecordBytes("Caf\xc3\xa9 REN\xc9\x92S"), QString::fromUtf8("Caf\u00c3\u00a9 REN\u00c9\u2019S"));
    EXPECT_EQ(decodeRecordBytes("Caf\xe9"), QString::fromUtf8("Caf\u00e9")) << "no UTF-8 at all";
}

TEST(RecordEncoding, UnmarkedUtf8WithABytesWindows1252LacksStaysReadable)
{
    // Written before the mark existed: "Łódź" holds 0x81, which no Windows-1252 writer makes.
    EXPECT_EQ(decodeRecordBytes("\"\xc5\x81\xc3\xb3\x64\xc5\xba\""), QString::fromUtf8("\"\u0141\u00f3d\u017a\""));
    EXPECT_EQ(decodeRecordBytes("\xef\xbb\xbf\xc5\x81\xc3\xb3\x64\xc5\xba"), QString::fromUtf8("\u0141\u00f3d\u017a"));
    // The same byte in a file that is no UTF-8 reads as the code page's control.
    EXPECT_EQ(decodeRecordBytes("a\x81\xe9"), QString::fromUtf8("a\u0081\u00e9"));
}

TEST(RecordEncoding, Utf16AndUtf32AfterTheirMarkAreRead)
{
    const QString text = QString::fromUtf8("\"Vek\",\"\u0141\u00f3d\u017a \u20ac\"\r\n");
    for (auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE, QStringConverter::Utf32LE,
                          QStringConverter::Utf32BE}) {
        QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
        const QByteArray bytes = encoder.encode(text);
        EXPECT_EQ(decodeRecordBytes(bytes), text) << int(encoding);
    }
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
