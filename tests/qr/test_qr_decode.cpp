// Codes made by the engine, painted as screen and paper paint them, read back by a real
// reader: what it reads must be the very bytes the fields give.
#include "QrReader.h"
#include "QrTestFields.h"
#include "qr/ContactGuess.h"
#include "qr/QrCode.h"
#include "qr/QrContent.h"
#include "qr/QrPainting.h"
#include "qr/QrPath.h"
#include "qr/VCard.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>

namespace {

constexpr QrLevel AllLevels[] = {QrLevel::L, QrLevel::M, QrLevel::Q, QrLevel::H};

// Four pixels a module, on whole pixels as the screen paints.
QImage onPixels(const QrCode &code, int pixelsPerModule = 4)
{
    const int side = (code.size() + 2 * QrQuietZone) * pixelsPerModule;
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    paintQrCodeOnPixels(painter, code, QRectF(0, 0, side, side), Qt::black);
    return image;
}

// A code of `sideMm` on paper at 300 dpi, from the vector path with antialiasing.
QImage onPaper(const QrCode &code, double sideMm, const QColor &dark = Qt::black)
{
    const double pixelsPerMm = 300 / 25.4;
    const int side = int(std::ceil(sideMm * pixelsPerMm)) + 20;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(10, 10);
    painter.scale(pixelsPerMm, pixelsPerMm);
    paintQrCode(painter, code, QRectF(0, 0, sideMm, sideMm), dark);
    return image;
}

void expectReads(const QImage &image, const QByteArray &bytes, QrLevel level)
{
    const ReadCode read = readQrCode(image);
    ASSERT_TRUE(read.found);
    EXPECT_EQ(read.bytes, bytes);
    EXPECT_EQ(read.level, qrLevelName(level));
}

} // namespace

TEST(QrDecode, AccentedContactReadsBackAtEveryLevelOnScreen)
{
    const QByteArray text = vcardText(accentedContact());
    for (const QrLevel level : AllLevels) {
        SCOPED_TRACE(qPrintable(qrLevelName(level)));
        const QrCode code = QrCode::encode(text, level);
        ASSERT_TRUE(code.isValid()) << qPrintable(code.error());
        expectReads(onPixels(code), text, level);
    }
}

TEST(QrDecode, AccentedContactReadsBackAtEveryLevelOnPaperOf40Mm)
{
    const QByteArray text = vcardText(accentedContact());
    for (const QrLevel level : AllLevels) {
        SCOPED_TRACE(qPrintable(qrLevelName(level)));
        const QrCode code = QrCode::encode(text, level);
        expectReads(onPaper(code, 40, QColor(20, 40, 110)), text, level);
    }
}

TEST(QrDecode, ShortContactReadsBackOnPaperOf12Mm)
{
    ContactFields f;
    f.naam = QStringLiteral("Anouk Ödegaard");
    f.mobiel = QStringLiteral("06 12345678");
    const QByteArray text = vcardText(f);
    const QrCode code = QrCode::encode(text, QrLevel::M);
    ASSERT_TRUE(code.isValid());
    // 12 mm holds modules of 0.4 mm only for a small code: this one is.
    EXPECT_GE(12.0 / (code.size() + 2 * QrQuietZone), 0.2);
    expectReads(onPaper(code, 12), text, QrLevel::M);
}

TEST(QrDecode, CardWithAnEmptyLineReadsBackAsItsGuessedFields)
{
    const std::array<QString, 8> lines = {QString(),
                                          QStringLiteral("Renée Çelik"),
                                          QString(),
                                          QStringLiteral("Çelik & Partners; Advocaten"),
                                          QStringLiteral("Stationsweg 4, unit 2"),
                                          QStringLiteral("9712 CX Groningen"),
                                          QStringLiteral("renee@celik-advocaten.nl"),
                                          QStringLiteral("+31 50 311 22 33")};
    const QByteArray text = vcardText(guessContactFields(lines).fields);
    EXPECT_FALSE(text.contains("TITLE"));
    EXPECT_TRUE(text.contains("ADR;TYPE=WORK:;;Stationsweg 4\\, unit 2;Groningen;;9712 CX;\r\n"));
    const QrCode code = QrCode::encode(text, QrLevel::Q);
    expectReads(onPixels(code, 3), text, QrLevel::Q);
    expectReads(onPaper(code, 40), text, QrLevel::Q);
}

TEST(QrDecode, TextAndWebAddressPassAsTheirUtf8)
{
    QrContent content;
    content.kind = QrKind::Text;
    content.text = QStringLiteral("Prijs: € 12,50\nzie www.voorbeeld.nl; tot ziens");
    content.webAddress = QStringLiteral("not this one");
    const QByteArray text = encodedText(content);
    EXPECT_EQ(text, content.text.toUtf8());
    expectReads(onPixels(QrCode::encode(text, QrLevel::L)), text, QrLevel::L);

    content.kind = QrKind::WebAddress;
    content.webAddress = QStringLiteral("www.voorbeeld.nl/één");
    EXPECT_EQ(encodedText(content), QStringLiteral("https://www.voorbeeld.nl/één").toUtf8());
    expectReads(onPaper(QrCode::encode(encodedText(content), QrLevel::H), 12), encodedText(content), QrLevel::H);
}

TEST(QrEncode, TooLongTextIsRefusedWithItsReason)
{
    // 2953 bytes is the most one code holds, at level L only.
    const QByteArray most(2953, 'x');
    const QrCode largest = QrCode::encode(most, QrLevel::L);
    ASSERT_TRUE(largest.isValid());
    EXPECT_EQ(largest.version(), 40);
    EXPECT_EQ(largest.size(), 177);

    for (const QByteArray &bytes : {most, QByteArray(2954, 'x')}) {
        const QrCode refused = QrCode::encode(bytes, bytes.size() == 2953 ? QrLevel::H : QrLevel::L);
        EXPECT_FALSE(refused.isValid());
        EXPECT_EQ(refused.size(), 0);
        EXPECT_EQ(refused.error(), QStringLiteral("De tekst is te lang voor een QR-code."));
    }
    EXPECT_FALSE(QrCode::encode(QByteArray(), QrLevel::M).isValid());
}
