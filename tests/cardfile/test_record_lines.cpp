#include "core/RecordLines.h"

#include <gtest/gtest.h>

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

TEST(RecordEncoding, Windows1252WhenEveryCharacterFitsUtf8Otherwise)
{
    EXPECT_EQ(encodeRecordText(QString::fromUtf8("Ri\u00ebl \u20ac")), QByteArray("Ri\xebl \x80"));
    EXPECT_EQ(encodeRecordText(QString::fromUtf8("\u4e2d")), QByteArray("\xe4\xb8\xad"));
    EXPECT_EQ(decodeRecordBytes(QByteArray("Ri\xebl \x80")), QString::fromUtf8("Ri\u00ebl \u20ac"));
    EXPECT_EQ(decodeRecordBytes(QByteArray("Ri\xc3\xabl")), QString::fromUtf8("Ri\u00ebl"));
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
