// A QR code placed on the card, read back by a real decoder from the window's picture, a
// render and the printed PDF, and kept in step with the lines its fields follow.
#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "print/PdfSheetWriter.h"
#include "print/PrintedCard.h"
#include "print/RenderedPdf.h"
#include "print/SheetGeometry.h"
#include "qr/QrReader.h"

#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage paintCard(const CardDocument &doc, int scale)
{
    QImage image(440 * scale, 270 * scale, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.scale(scale, scale);
    CardPainter::paint(painter, doc);
    return image;
}

void typeLines(CardDocument &doc)
{
    const char *lines[] = {"", "José Müller-Lüdenscheid", "Bakker", "Tel: 020-1234567", "jose@voorbeeld.nl",
                           "Kerkstraat 1, achterom; € boven", "1234 AB Plaats", "www.voorbeeld.nl"};
    for (int line = 1; line <= 7; ++line)
        doc.enterTextLine(line, QString::fromUtf8(lines[line]));
}

PlacedObject qrFrom(const CardDocument &doc, QRectF rect = QRectF(330, 160, 90, 90))
{
    PlacedObject object;
    object.kind = PlacedObject::Kind::Qr;
    object.rect = rect;
    object.qr = QrObject::fromLines(doc.state().TextLines);
    return object;
}

} // namespace

TEST(QrObject, TheWindowAndARenderShowACodeThatReadsAsTheCardsContact)
{
    CardDocument doc;
    typeLines(doc);
    doc.insertObject(qrFrom(doc));
    const QByteArray expected = encodedText(doc.design().objects.front().qr.content);
    EXPECT_TRUE(expected.contains("TEL;TYPE=WORK,VOICE:020-1234567")) << expected.toStdString();
    EXPECT_TRUE(expected.contains("N:Müller-Lüdenscheid;José;;;")) << expected.toStdString();
    for (int scale : {1, 3}) {
        const ReadCode read = readQrCode(paintCard(doc, scale));
        EXPECT_TRUE(read.found) << scale;
        EXPECT_EQ(read.bytes, expected) << scale;
    }
    EXPECT_EQ(doc.undoName(), QStringLiteral("QR-code ingevoegd"));
}

TEST(QrObject, AFieldFollowsItsLineUntilTheUserTypesIt)
{
    CardDocument doc;
    typeLines(doc);
    doc.insertObject(qrFrom(doc));
    QSignalSpy design(&doc, &CardDocument::designChanged);
    doc.enterTextLine(3, QStringLiteral("Tel: 030-7654321"));
    EXPECT_EQ(design.count(), 1) << "the views hear that the code changed with its line";
    EXPECT_EQ(doc.design().objects.front().qr.content.contact.telefoon, QStringLiteral("030-7654321"));
    EXPECT_EQ(readQrCode(paintCard(doc, 2)).bytes, encodedText(doc.design().objects.front().qr.content));

    QrObject edited = doc.design().objects.front().qr;
    edited.content.contact.telefoon = QStringLiteral("010-5555555");
    edited.follows[size_t(ContactField::Telefoon)].clear();
    doc.changeQr(0, edited);
    doc.enterTextLine(3, QStringLiteral("Tel: 040-1111111"));
    EXPECT_EQ(doc.design().objects.front().qr.content.contact.telefoon, QStringLiteral("010-5555555"));
    EXPECT_TRUE(readQrCode(paintCard(doc, 2)).bytes.contains("010-5555555"));
    // Undoing the line brings the code of that line back with it.
    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(readQrCode(paintCard(doc, 2)).bytes.contains("020-1234567"));
}

static int imageRows(const QString &pdf)
{
    QProcess images;
    images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    images.waitForFinished(60000);
    return int(images.readAllStandardOutput().count('\n'));
}

TEST(QrObject, PaperDrawsTheCodeAsSquaresThatScanAtEveryLevel)
{
    QTemporaryDir dir;
    CardDocument plain;
    typeLines(plain);
    const QString plainPdf = dir.filePath(QStringLiteral("plain.pdf"));
    ASSERT_TRUE(writeSheetPdf(plainPdf, PrintedCard::from(plain.card()), SheetGeometry(), 1).isPrinted());
    const SheetGeometry sheet;
    const QSizeF cardMm(sheet.cardWidth, sheet.cardHeight);
    // From the smallest code a card takes to the largest, one level each.
    const std::pair<QrLevel, double> codes[] = {{QrLevel::L, 12}, {QrLevel::M, 18}, {QrLevel::Q, 30}, {QrLevel::H, 40}};
    for (const auto &[level, sideMm] : codes) {
        CardDocument doc;
        typeLines(doc);
        const QSizeF size(sideMm * 440 / cardMm.width(), sideMm * 270 / cardMm.height());
        PlacedObject object = qrFrom(doc, QRectF(QPointF(430, 260) - QPointF(size.width(), size.height()), size));
        object.qr.level = level;
        doc.insertObject(object);
        const QString pdf = dir.filePath(QStringLiteral("qr%1.pdf").arg(int(level)));
        ASSERT_TRUE(writeSheetPdf(pdf, PrintedCard::from(doc.card()), SheetGeometry(), 1).isPrinted());
        EXPECT_EQ(imageRows(pdf), imageRows(plainPdf)) << "no image object for the code";

        const QPointF corner = sheet.cardCorners().front();
        const QRectF code(corner.x() + cardMm.width() - 2 - sideMm - 3, corner.y() + cardMm.height() - 2 - sideMm - 3,
                          sideMm + 6, sideMm + 6);
        const RenderedPdf::Window window = RenderedPdf::renderWindow(pdf, code, 12); // about 300 dpi
        const ReadCode read = readQrCode(window.image);
        EXPECT_TRUE(read.found) << qrLevelName(level).toStdString();
        EXPECT_EQ(read.bytes, encodedText(doc.design().objects.front().qr.content));
        EXPECT_EQ(read.level, qrLevelName(level));
    }
}

TEST(QrObject, ACodeWhoseFollowedLineGrewTooLongSaysWhichLineAndByHowMuch)
{
    CardDocument doc;
    typeLines(doc);
    doc.insertObject(qrFrom(doc));
    EXPECT_TRUE(doc.design().objects.front().qr.whyEmpty().isEmpty());
    // The postcode line, which the address follows with the street before it, grows.
    doc.enterTextLine(6, QStringLiteral("1234 AB ") + QString(2400, u'x'));
    const QrObject &qr = doc.design().objects.front().qr;
    ASSERT_FALSE(qr.code.isValid());
    const auto overflow = qrOverflow(qr.content, qr.level);
    ASSERT_TRUE(overflow.has_value());
    const QString why = qr.whyEmpty();
    EXPECT_TRUE(why.startsWith(QStringLiteral("De QR-code blijft leeg"))) << qPrintable(why);
    EXPECT_EQ(qr.content.contact.adres.size(), 2441);
    EXPECT_TRUE(why.contains(QStringLiteral("Het veld Adres (regels 5 en 6) is 2.441 tekens lang; met %1 tekens "
                                            "minder past het")
                                 .arg(overflow->charactersOver)))
        << qPrintable(why);
    // At L it would fit: the level is offered as the other way out.
    EXPECT_TRUE(why.endsWith(QStringLiteral(", of kies foutcorrectie L."))) << qPrintable(why);
    EXPECT_EQ(qr.whyEmptyBriefly(),
              QStringLiteral("QR-code leeg: Adres (regels 5 en 6) is %1 tekens te lang").arg(overflow->charactersOver));
    // A typed text names no line, and a code with nothing to hold says that.
    QrObject typed = qr;
    typed.content.kind = QrKind::Text;
    typed.content.text = QString(4000, u'x');
    typed.encode();
    EXPECT_TRUE(typed.whyEmpty().contains(QStringLiteral("De tekst is 4.000 tekens lang; met 1.669 tekens minder")))
        << qPrintable(typed.whyEmpty());
    typed.content.text.clear();
    typed.encode();
    EXPECT_EQ(typed.whyEmpty(), typed.code.error());
    EXPECT_FALSE(typed.whyEmpty().isEmpty());
}
