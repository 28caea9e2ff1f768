#include "QrTestFields.h"
#include "qr/VCard.h"

#include <gtest/gtest.h>

#include <QByteArrayList>
#include <QStringDecoder>

namespace {

QList<QByteArray> physicalLines(const QByteArray &text)
{
    EXPECT_TRUE(text.endsWith("\r\n"));
    QList<QByteArray> lines = text.split('\n');
    lines.removeLast(); // after the last CRLF
    for (QByteArray &line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.constData();
        line.chop(1);
    }
    return lines;
}

// RFC 2425 unfolding: a CRLF followed by one space is taken out.
QByteArray unfolded(QByteArray text)
{
    return text.replace("\r\n ", "");
}

bool isWholeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError() && text.toUtf8() == bytes;
}

} // namespace

TEST(VCard, AllFieldsInOrderWithTheirTypesAndEscapes)
{
    const QByteArray expected = QStringLiteral("BEGIN:VCARD\r\n"
                                               "VERSION:3.0\r\n"
                                               "N:Müller-Lüdenscheid;José;;;\r\n"
                                               "FN:José Müller-Lüdenscheid\r\n"
                                               "ORG:Müller\\; Söhne B.V.\r\n"
                                               "TITLE:Directeur\\, € & Zoon\r\n"
                                               "TEL;TYPE=WORK,VOICE:+31 20 123 45 67\r\n"
                                               "TEL;TYPE=CELL:06-12345678\r\n"
                                               "EMAIL;TYPE=INTERNET:jose@mueller-luedenscheid.nl\r\n"
                                               "URL:https://www.mueller-luedenscheid.nl\r\n"
                                               "ADR;TYPE=WORK:;;Kerkstraat 1\\, 2e etage\\; achterom;Zwolle;;1234 AB;\r\n"
                                               "END:VCARD\r\n")
                                    .toUtf8();
    EXPECT_EQ(vcardText(accentedContact()), expected);
}

TEST(VCard, EmptyNameStillHasNAndFnAndNothingElse)
{
    EXPECT_EQ(vcardText(ContactFields{}), QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:\r\nEND:VCARD\r\n"));
    ContactFields blank;
    blank.naam = QStringLiteral("   ");
    blank.email = QStringLiteral(" \t ");
    EXPECT_EQ(vcardText(blank), vcardText(ContactFields{}));
}

TEST(VCard, BackslashesLineBreaksAndSeparatorsAreEscaped)
{
    ContactFields f;
    f.naam = QStringLiteral("A\\B");
    f.functie = QStringLiteral("eerste\r\ntweede\nderde\rvierde, en; zo");
    const QByteArray text = vcardText(f);
    EXPECT_TRUE(text.contains("\r\nFN:A\\\\B\r\n"));
    EXPECT_TRUE(text.contains("\r\nN:A\\\\B;;;;\r\n"));
    EXPECT_TRUE(text.contains("\r\nTITLE:eerste\\ntweede\\nderde\\nvierde\\, en\\; zo\r\n")) << text.constData();
}

TEST(VCard, FamilyNameKeepsItsDutchPrefixes)
{
    const auto nameLine = [](const QString &name) {
        ContactFields f;
        f.naam = name;
        return physicalLines(vcardText(f)).at(2);
    };
    EXPECT_EQ(nameLine(QStringLiteral("Jan van der Berg")), QByteArray("N:van der Berg;Jan;;;"));
    EXPECT_EQ(nameLine(QStringLiteral("Anna Maria  de Vries")), QByteArray("N:de Vries;Anna Maria;;;"));
    EXPECT_EQ(nameLine(QStringLiteral("Van Dijk")), QByteArray("N:Van Dijk;;;;"));
    EXPECT_EQ(nameLine(QStringLiteral("Prince")), QByteArray("N:Prince;;;;"));
}

TEST(VCard, AddressWithoutPostcodeGoesWholeIntoTheStreet)
{
    ContactFields f;
    f.adres = QStringLiteral("Postbus 12, Antwerpen");
    EXPECT_TRUE(vcardText(f).contains("\r\nADR;TYPE=WORK:;;Postbus 12\\, Antwerpen;;;;\r\n"));
    f.adres = QStringLiteral("1011AB Amsterdam");
    EXPECT_TRUE(vcardText(f).contains("\r\nADR;TYPE=WORK:;;;Amsterdam;;1011AB;\r\n"));
    f.adres = QStringLiteral("Dam 1\n1012 JS Amsterdam");
    EXPECT_TRUE(vcardText(f).contains("\r\nADR;TYPE=WORK:;;Dam 1;Amsterdam;;1012 JS;\r\n"));
}

TEST(VCard, WebAddressGetsASchemeOnlyWhenItHasNone)
{
    EXPECT_EQ(webAddressWithScheme(QStringLiteral(" voorbeeld.nl ")), QStringLiteral("https://voorbeeld.nl"));
    EXPECT_EQ(webAddressWithScheme(QStringLiteral("http://voorbeeld.nl/a,b")), QStringLiteral("http://voorbeeld.nl/a,b"));
    EXPECT_EQ(webAddressWithScheme(QStringLiteral("voorbeeld.nl:8080/x")), QStringLiteral("https://voorbeeld.nl:8080/x"));
    EXPECT_EQ(webAddressWithScheme(QStringLiteral("HTTPS://Voorbeeld.nl")), QStringLiteral("HTTPS://Voorbeeld.nl"));
    EXPECT_EQ(webAddressWithScheme(QStringLiteral("mailto:info@voorbeeld.nl")), QStringLiteral("mailto:info@voorbeeld.nl"));
    ContactFields f;
    f.website = QStringLiteral("http://voorbeeld.nl/a,b");
    EXPECT_TRUE(vcardText(f).contains("\r\nURL:http://voorbeeld.nl/a,b\r\n"));
}

// Long values at every alignment of two-, three- and four-byte characters against the
// fold: no line above 75 octets, no character cut, and unfolding gives the value back.
TEST(VCard, LongLinesFoldAt75OctetsWithoutCuttingACharacter)
{
    const QString pieces[] = {QStringLiteral("é"), QStringLiteral("€"), QStringLiteral("😀"), QStringLiteral("a")};
    for (const QString &piece : pieces) {
        for (int lead = 0; lead < 4; ++lead) {
            QString value = QString(lead, u'x');
            while (value.size() < 200)
                value += piece;
            ContactFields f;
            f.functie = value;
            const QByteArray text = vcardText(f);
            const QList<QByteArray> lines = physicalLines(text);
            int continuations = 0;
            for (const QByteArray &line : lines) {
                EXPECT_LE(line.size(), 75);
                EXPECT_TRUE(isWholeUtf8(line)) << line.toHex().constData();
                continuations += line.startsWith(' ') ? 1 : 0;
            }
            EXPECT_GE(continuations, 2);
            // Lines are filled: a fold only steps back over the bytes of one character.
            for (qsizetype i = 0; i + 1 < lines.size(); ++i)
                EXPECT_TRUE(!lines.at(i + 1).startsWith(' ') || lines.at(i).size() >= 72) << i;
            EXPECT_TRUE(unfolded(text).contains("\r\nTITLE:" + value.toUtf8() + "\r\n"));
        }
    }
}
