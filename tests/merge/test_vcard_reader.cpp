#include "merge/VCardReader.h"

#include <gtest/gtest.h>

namespace {

MergeRead vcard(const QByteArray &bytes)
{
    return VCardReader::read(bytes, QStringLiteral("team.vcf"));
}

QString fieldOf(const MergeRead &read, int row, VCardReader::Column column)
{
    EXPECT_TRUE(read) << read.fault.toStdString();
    return read.data.cell(row, column);
}

} // namespace

TEST(VCardReader, QuotedPrintableWithLatin1AndSoftLineBreaks)
{
    const MergeRead read = vcard("BEGIN:VCARD\r\nVERSION:2.1\r\n"
                                 "FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Jos=E9 M=FC=\r\nller\r\n"
                                 "TITLE;QUOTED-PRINTABLE;CHARSET=ISO-8859-1:=80 1=3D1\r\n"
                                 "ADR;WORK;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:;;Stra=C3=9Fe 1=0D=0A2e =\r\n"
                                 "etage;Utrecht;;3511 AB;\r\n"
                                 "END:VCARD\r\n");
    EXPECT_EQ(fieldOf(read, 0, VCardReader::Naam), QStringLiteral("José Müller"));
    EXPECT_EQ(fieldOf(read, 0, VCardReader::Functie), QStringLiteral("€ 1=1"));
    EXPECT_EQ(fieldOf(read, 0, VCardReader::Straat), QStringLiteral("Straße 1\n2e etage"));
    EXPECT_EQ(fieldOf(read, 0, VCardReader::PostcodePlaats), QStringLiteral("3511 AB Utrecht"));
}

TEST(VCardReader, Version3And4EscapesGroupsFoldsAndFirstValues)
{
    const MergeRead read = vcard("BEGIN:VCARD\nVERSION:3.0\n"
                                 "N:de Vries;Jan;Pieter,Klaas;Dr.;\n"
                                 "ORG:Bakkerij\\; Zn;Verkoop;Noord\n"
                                 "TITLE:Hoofd\\, inkoop\\\\verkoop\\nen meer\n"
                                 "item1.TEL;type=CELL:06 1234\n"
                                 "  5678\n"
                                 "TEL;TYPE=work:030 0000000\n"
                                 "item2.EMAIL;type=INTERNET:jan@\n"
                                 "\tvries.nl\n"
                                 "END:VCARD\n"
                                 "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Piet\r\n"
                                 "TEL;VALUE=uri;TYPE=\"voice,work\":tel:+31-30-1234567;ext=12\r\n"
                                 "END:VCARD\r\n");
    // Without FN the name is N's parts as they are spoken.
    EXPECT_EQ(fieldOf(read, 0, VCardReader::Naam), QStringLiteral("Dr. Jan Pieter Klaas de Vries"));
    EXPECT_EQ(fieldOf(read, 0, VCardReader::Organisatie), QStringLiteral("Bakkerij; Zn, Verkoop, Noord"));
    EXPECT_EQ(fieldOf(read, 0, VCardReader::Functie), QStringLiteral("Hoofd, inkoop\\verkoop\nen meer"));
    EXPECT_EQ(fieldOf(read, 0, VCardReader::Telefoon), QStringLiteral("06 1234 5678"));
    EXPECT_EQ(fieldOf(read, 0, VCardReader::Email), QStringLiteral("jan@vries.nl"));
    EXPECT_EQ(fieldOf(read, 1, VCardReader::Telefoon), QStringLiteral("+31-30-1234567"));
    EXPECT_EQ(read.data.rows.size(), 2);
    EXPECT_EQ(read.data.rows[1].size(), VCardReader::ColumnCount);
}

TEST(VCardReader, ContactsThatDoNotNestAreRefusedWithTheirLine)
{
    const auto fault = [](const QByteArray &bytes) { return vcard(bytes).fault; };
    EXPECT_EQ(fault("BEGIN:VCARD\r\nFN:A\r\nBEGIN:VCARD\r\nEND:VCARD\r\n"),
              QStringLiteral("Het bestand team.vcf kon niet worden gelezen: regel 3: een nieuw contact begint "
                             "voordat het vorige met END:VCARD is afgesloten."));
    EXPECT_TRUE(fault("BEGIN:VCARD\nFN:A\nEND:VCARD\n\nEND:VCARD\n").contains(QStringLiteral("regel 5: END:VCARD zonder")));
    // A contact never ended is named where it begins, folded lines counted.
    EXPECT_TRUE(fault("BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nNOTE:a\n b\nFN:B\n")
                    .contains(QStringLiteral("regel 4: het contact dat hier begint")));
    EXPECT_TRUE(fault("Naam;Functie\nJan;Baas\n").contains(QStringLiteral("regel 1: hier hoort BEGIN:VCARD")));
    // Blank lines between contacts are no text outside them.
    EXPECT_TRUE(vcard("BEGIN:VCARD\nFN:A\nEND:VCARD\n\n\nBEGIN:VCARD\nFN:B\nEND:VCARD\n"));
}
