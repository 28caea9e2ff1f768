#include "cardfile/CardRecord.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

const QByteArray kDashes = "\"--------------------------\"\r\n";

QByteArray defaultRecord()
{
    return "\"Vek Tarnholm Software 2009\"\r\n" + kDashes + "0\r\n" + kDashes
        + "\"Arial\"\r\n16\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n70,100,70\r\n" + kDashes
        + "\"Regel 1\"\r\n\"Regel 2\"\r\n\"Regel 3\"\r\n\"Regel 4\"\r\n\"Regel 5\"\r\n"
          "\"Regel 6\"\r\n\"Regel 7\"\r\n"
        + kDashes + "#FALSE#\r\n0,0,0\r\n";
}

CardState changedCard()
{
    CardState s;
    s.LayoutKind = 3;
    s.FontName = "Times New Roman";
    s.FontSize = 11;
    s.FontBold = true;
    s.FontItalic = true;
    s.FontUnderline = true;
    s.TextColorR = 1;
    s.TextColorG = 2;
    s.TextColorB = 3;
    s.TextLines = {"", "Jan Jansen", "  ", " links", "rechts ", "Dorpsstraat 1, Ede", "", "x"};
    s.CardBorder = true;
    s.BorderColorR = 120;
    s.BorderColorG = 121;
    s.BorderColorB = 122;
    return s;
}

} // namespace

TEST(CardRecordWrite, DefaultCardGivesExactlyTheTwentyOneLines)
{
    EXPECT_EQ(CardRecord::write(CardState()), defaultRecord());
}

TEST(CardRecordWrite, EveryFieldLandsOnItsOwnLine)
{
    const QByteArray expected = "\"Vek Tarnholm Software 2009\"\r\n" + kDashes + "3\r\n" + kDashes
        + "\"Times New Roman\"\r\n11\r\n#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n1,2,3\r\n" + kDashes
        + "\"Jan Jansen\"\r\n\"  \"\r\n\" links\"\r\n\"rechts \"\r\n\"Dorpsstraat 1, Ede\"\r\n"
          "\"\"\r\n\"x\"\r\n"
        + kDashes + "#TRUE#\r\n120,121,122\r\n";
    EXPECT_EQ(CardRecord::write(changedCard()), expected);
}

TEST(CardRecordWrite, PlainAccentsStayWindows1252AndOtherScriptsUseUtf8)
{
    CardState s;
    s.TextLines[1] = QString::fromUtf8("Rapha\u00ebl");
    const QByteArray cp1252 = CardRecord::write(s);
    EXPECT_TRUE(cp1252.contains("\"Rapha\xebl\"\r\n"));

    s.TextLines[2] = QString::fromUtf8("\u5f20\u4f1f");
    const QByteArray utf8 = CardRecord::write(s);
    EXPECT_TRUE(utf8.startsWith("\xef\xbb\xbf\"Vek Tarnholm"));
    EXPECT_TRUE(utf8.contains("\"Rapha\xc3\xabl\"\r\n"));
    EXPECT_TRUE(utf8.contains("\"\xe5\xbc\xa0\xe4\xbc\x9f\"\r\n"));
}

TEST(CardRecordRoundTrip, EveryFieldComesBackIncludingBlanks)
{
    const CardState written = changedCard();
    CardState read; // start values everywhere, so every field must be overwritten
    CardRecord::read(CardRecord::write(written), read);
    EXPECT_EQ(read.LayoutKind, 3);
    EXPECT_EQ(read.FontName, QString("Times New Roman"));
    EXPECT_EQ(read.FontSize, 11);
    EXPECT_TRUE(read.FontBold);
    EXPECT_TRUE(read.FontItalic);
    EXPECT_TRUE(read.FontUnderline);
    EXPECT_EQ(read.TextColorR, GeneralValue(1));
    EXPECT_EQ(read.TextColorG, GeneralValue(2));
    EXPECT_EQ(read.TextColorB, 3);
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(read.TextLines[i], written.TextLines[i]) << "line " << i;
    EXPECT_TRUE(read.CardBorder);
    EXPECT_EQ(read.BorderColorR, GeneralValue(120));
    EXPECT_EQ(read.BorderColorG, GeneralValue(121));
    EXPECT_EQ(read.BorderColorB, 122);
}

TEST(CardRecordRoundTrip, DoubleQuotesBecomeTypographicQuotesInTurn)
{
    CardState s;
    s.TextLines[1] = "Zeg \"kaas\" en \"hallo";
    s.FontName = "Font \"X\"";
    CardState read;
    CardRecord::read(CardRecord::write(s), read);
    EXPECT_EQ(read.TextLines[1], QString::fromUtf8("Zeg \u201ckaas\u201d en \u201challo"));
    EXPECT_EQ(read.FontName, QString::fromUtf8("Font \u201cX\u201d"));
    EXPECT_EQ(read.TextLines[2], QString("Regel 2")) << "the lines after it are unharmed";
    EXPECT_EQ(read.CardBorder, false);
    // Both typographic quotes exist in Windows-1252, so the file stays in that code page.
    EXPECT_TRUE(CardRecord::write(s).contains("\"Zeg \x93kaas\x94 en \x93hallo\"\r\n"));
}

TEST(CardRecordRoundTrip, LineBreakInATextBecomesABlank)
{
    CardState s;
    s.TextLines[4] = "twee\r\nregels";
    CardState read;
    CardRecord::read(CardRecord::write(s), read);
    EXPECT_EQ(read.TextLines[4], QString("twee  regels"));
    EXPECT_EQ(read.TextLines[5], QString("Regel 5"));
}

TEST(CardRecordRead, Windows1252RecordWithDiaeresis)
{
    QByteArray bytes = defaultRecord();
    bytes.replace("\"Regel 2\"", "\"Caf\xe9 No\xebl\"");
    CardState read;
    CardRecord::read(bytes, read);
    EXPECT_EQ(read.TextLines[2], QString::fromUtf8("Caf\u00e9 No\u00ebl"));

    // Bytes that are also valid UTF-8 are still the Windows program's characters.
    QByteArray pairs = defaultRecord();
    pairs.replace("\"Regel 3\"", "\"REN\xc9\x92S BAR\"");
    pairs.replace("\"Regel 4\"", "\"CAF\xc9\xa0" "DE ROOS\"");
    CardRecord::read(pairs, read);
    EXPECT_EQ(read.TextLines[3], QString::fromUtf8("REN\u00c9\u2019S BAR"));
    EXPECT_EQ(read.TextLines[4], QString::fromUtf8("CAF\u00c9\u00a0DE ROOS"));
}

TEST(CardRecordRead, UnmarkedUtf8RecordAsEarlierBuildsAndEditorsWriteIt)
{
    QByteArray bytes = defaultRecord();
    bytes.replace("\"Regel 1\"", "\"Caf\xc3\xa9 No\xc3\xabl\"");
    bytes.replace("\"Regel 2\"", "\"\xc5\xb8\"");
    bytes.replace("\"Regel 3\"", "\"\xe2\x82\xac 12,50\"");
    CardState read;
    CardRecord::read(bytes, read);
    EXPECT_EQ(read.TextLines[1], QString::fromUtf8("Caf\u00e9 No\u00ebl"));
    EXPECT_EQ(read.TextLines[2], QString::fromUtf8("\u0178"));
    EXPECT_EQ(read.TextLines[3], QString::fromUtf8("\u20ac 12,50"));
}

TEST(CardRecordRead, Utf16RecordAfterItsMark)
{
    QByteArray utf8 = defaultRecord();
    utf8.replace("\"Regel 1\"", "\"\xc5\x81\xc3\xb3\x64\xc5\xba\"");
    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    CardState read;
    CardRecord::read(encoder.encode(QString::fromUtf8(utf8)), read);
    EXPECT_EQ(read.TextLines[1], QString::fromUtf8("\u0141\u00f3d\u017a"));
    EXPECT_EQ(read.TextLines[7], QString("Regel 7"));
    EXPECT_EQ(read.FontSize, 16);
}

TEST(CardRecordRoundTrip, TextsThatAreAlsoValidUtf8ReopenUnchanged)
{
    CardState written;
    written.TextLines[1] = QString::fromUtf8("REN\u00c9\u2019S BAR");
    written.TextLines[2] = QString::fromUtf8("CAF\u00c9\u00a0DE ROOS");
    written.FontName = QString::fromUtf8("\u00c9\u2019");
    CardState read;
    CardRecord::read(CardRecord::write(written), read);
    EXPECT_EQ(read.TextLines, written.TextLines);
    EXPECT_EQ(read.FontName, written.FontName);

    // One text beyond the code page turns the whole record to UTF-8; all comes back.
    written.TextLines[3] = QString::fromUtf8("\u20ac 12,50");
    written.TextLines[4] = QString::fromUtf8("\u0141\u00f3d\u017a \xf0\x9f\x8c\xb9");
    CardState readUtf8;
    CardRecord::read(CardRecord::write(written), readUtf8);
    EXPECT_EQ(readUtf8.TextLines, written.TextLines);
    EXPECT_EQ(readUtf8.FontName, written.FontName);
}

TEST(CardRecordRead, HeaderLinesWithOtherTextsAreReadAllTheSame)
{
    QByteArray bytes = defaultRecord();
    bytes.replace(0, bytes.indexOf("0\r\n"), "\"Iets anders\"\r\n12345\r\n");
    bytes.replace("\"Regel 1\"", "\"Gelezen\"");
    CardState read;
    CardRecord::read(bytes, read);
    EXPECT_EQ(read.TextLines[1], QString("Gelezen"));
    EXPECT_EQ(read.TextLines[7], QString("Regel 7"));
}

TEST(CardRecordRead, ShortRecordSetsWhatItHoldsAndKeepsTheRest)
{
    // The file ends after the first text line.
    const QByteArray bytes = "\"Vek Tarnholm Software 2009\"\r\n" + kDashes + "2\r\n" + kDashes
        + "\"Verdana\"\r\n20\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n9,8,7\r\n" + kDashes + "\"Eerste\"\r\n";
    CardState read = changedCard();
    CardRecord::read(bytes, read);
    EXPECT_EQ(read.LayoutKind, 2);
    EXPECT_EQ(read.FontName, QString("Verdana"));
    EXPECT_EQ(read.FontSize, 20);
    EXPECT_EQ(read.TextColorB, 7);
    EXPECT_EQ(read.TextLines[1], QString("Eerste"));
    EXPECT_EQ(read.TextLines[2], QString("  ")) << "kept from before";
    EXPECT_TRUE(read.CardBorder) << "kept from before";
    EXPECT_EQ(read.BorderColorR, GeneralValue(120));
}

TEST(CardRecordRead, EmptyRecordChangesNothing)
{
    CardState read = changedCard();
    CardRecord::read(QByteArray(), read);
    EXPECT_EQ(CardRecord::write(read), CardRecord::write(changedCard()));
}

TEST(CardRecordRead, OutOfRangeValuesAreKeptAndTheRestStillReads)
{
    QByteArray bytes = defaultRecord();
    bytes.replace("\r\n0\r\n", "\r\n7\r\n");              // layout outside 0..4
    bytes.replace("70,100,70", "256,-1,300");              // components outside 0..255
    bytes.replace("\r\n16\r\n", "\r\n0\r\n");              // no font is 0 points
    bytes.replace("#FALSE#\r\n0,0,0", "#TRUE#\r\n255,999,5");
    CardState read = changedCard();
    CardRecord::read(bytes, read);
    EXPECT_EQ(read.LayoutKind, 3);
    EXPECT_EQ(read.FontSize, 11);
    EXPECT_EQ(read.TextColorR, GeneralValue(1));
    EXPECT_EQ(read.TextColorG, GeneralValue(2));
    EXPECT_EQ(read.TextColorB, 3);
    EXPECT_EQ(read.TextLines[1], QString("Regel 1"));
    EXPECT_TRUE(read.CardBorder);
    EXPECT_EQ(read.BorderColorR, GeneralValue(255));
    EXPECT_EQ(read.BorderColorG, GeneralValue(121));
    EXPECT_EQ(read.BorderColorB, 5);
}

TEST(CardRecordRead, FieldsOfTheWrongKindAreKeptAndTheRestStillReads)
{
    QByteArray bytes = defaultRecord();
    bytes.replace("\r\n0\r\n", "\r\n\"twee\"\r\n");
    bytes.replace("\r\n16\r\n", "\r\nzestien\r\n");
    bytes.replace("#FALSE#\r\n#FALSE#\r\n#FALSE#", "#FALSE#\r\n12\r\n#FALSE#");
    bytes.replace("70,100,70", "\"70\",100,x");
    bytes.replace("\"Regel 3\"", "\"Regel 3");          // a quote never closed
    CardState read = changedCard();
    CardRecord::read(bytes, read);
    EXPECT_EQ(read.LayoutKind, 3);
    EXPECT_EQ(read.FontSize, 11);
    EXPECT_FALSE(read.FontBold);
    EXPECT_TRUE(read.FontItalic) << "12 is no boolean";
    EXPECT_FALSE(read.FontUnderline);
    EXPECT_EQ(read.TextColorR, GeneralValue(1));
    EXPECT_EQ(read.TextColorG, GeneralValue(100));
    EXPECT_EQ(read.TextColorB, 3);
    EXPECT_EQ(read.TextLines[3], QString("Regel 3"));
    EXPECT_EQ(read.TextLines[4], QString("Regel 4"));
    EXPECT_FALSE(read.CardBorder);
    EXPECT_EQ(read.BorderColorR, GeneralValue(0));
}
