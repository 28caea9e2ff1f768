#include "PressFixture.h"
#include "press/PressGeometry.h"
#include "press/PressWarnings.h"

#include <gtest/gtest.h>

namespace {

// Canvas pixels per millimetre on a 90 x 50 mm card.
constexpr double PixelsPerMm = 440.0 / 90;
constexpr double PixelsPerMmDown = 270.0 / 50;

PrintedCard cardWithLogo(QRectF mmRect, int bitmapWidth = 0)
{
    PrintedCard card = pressCard(plainPicture(QColor(250, 240, 200)));
    card.textLines = {};
    PlacedObject logo;
    logo.rect = QRectF(mmRect.x() * PixelsPerMm, mmRect.y() * PixelsPerMmDown, mmRect.width() * PixelsPerMm,
                       mmRect.height() * PixelsPerMmDown);
    if (bitmapWidth > 0) {
        logo.logo.bitmap = QImage(bitmapWidth, bitmapWidth / 2, QImage::Format_ARGB32_Premultiplied);
        logo.logo.bitmap.fill(Qt::red);
    } else {
        logo.logo.svg = "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'/>";
    }
    card.design.objects.push_back(logo);
    return card;
}

QStringList warnings(const PrintedCard &card, QSizeF trim = QSizeF(90, 50))
{
    return PressWarnings::check(card, SheetGeometry(), PressGeometry({trim, 3, true}, QSizeF(90, 50)));
}

} // namespace

TEST(PressGeometry, MediaIsTrimPlusBleedPlusRoomForMarks)
{
    const PressGeometry page({QSizeF(85, 55), 3, true}, QSizeF(90, 50));
    EXPECT_EQ(page.mediaSize(), QSizeF(85 + 6 + 16, 55 + 6 + 16));
    EXPECT_EQ(page.trimBox(), QRectF(11, 11, 85, 55));
    EXPECT_EQ(page.bleedBox(), QRectF(8, 8, 91, 61));
    const PressGeometry bare({QSizeF(85, 55), 0, false}, QSizeF(85, 55));
    EXPECT_EQ(bare.mediaBox(), bare.trimBox());
    EXPECT_TRUE(bare.cropMarks().isEmpty());
    // Beyond the bleed: a cut that strays into it shows no mark.
    for (const QLineF &mark : page.cropMarks()) {
        EXPECT_FALSE(page.bleedBox().contains(mark.p1()));
        EXPECT_TRUE(page.mediaBox().contains(mark.p2()));
        EXPECT_DOUBLE_EQ(mark.length(), PressGeometry::MarkLength);
    }
    EXPECT_EQ(page.cropMarks().size(), 8);
}

TEST(PressGeometry, ACardOfAnotherShapeIsScaledToTheTrimWidthAndCentred)
{
    const PressGeometry taller({QSizeF(85, 55), 3, true}, QSizeF(90, 50));
    EXPECT_DOUBLE_EQ(taller.cardRect().width(), 85);
    EXPECT_NEAR(taller.cardRect().height(), 50 * 85 / 90.0, 1e-9);
    EXPECT_NEAR(taller.cardRect().center().y(), taller.trimBox().center().y(), 1e-9);
    EXPECT_NEAR(taller.heightCut(), 50 * 85 / 90.0 - 55, 1e-9);
    EXPECT_EQ(taller.fitMessage(),
              QStringLiteral("Het kaartje wordt 5,0 mm smaller geschaald; boven en onder komt elk 3,9 mm achtergrond bij."));
    const PressGeometry cut({QSizeF(90, 45), 3, true}, QSizeF(90, 50));
    EXPECT_EQ(cut.fitMessage(), QStringLiteral("Het kaartje houdt zijn breedte; boven en onder valt elk 2,5 mm weg."));
    EXPECT_TRUE(PressGeometry({QSizeF(90, 50), 3, true}, QSizeF(90, 50)).fitMessage().isEmpty());
}

TEST(PressWarnings, SafetyMarginCountsFromThreeMillimetresExactly)
{
    const QString margin = QStringLiteral("Het logo staat binnen 3 mm van de snijrand.");
    EXPECT_FALSE(warnings(cardWithLogo(QRectF(3, 10, 20, 10))).contains(margin));
    EXPECT_TRUE(warnings(cardWithLogo(QRectF(2.99, 10, 20, 10))).contains(margin));
    EXPECT_FALSE(warnings(cardWithLogo(QRectF(67, 37, 20, 10))).contains(margin)); // right and bottom at 3 mm
    EXPECT_TRUE(warnings(cardWithLogo(QRectF(67.01, 37, 20, 10))).contains(margin));
    EXPECT_TRUE(warnings(cardWithLogo(QRectF(67, 37.01, 20, 10))).contains(margin));
    // On a trim of another shape the margin counts from the trim, not the card: 45 mm
    // high cuts 2.5 mm off top and bottom.
    EXPECT_TRUE(warnings(cardWithLogo(QRectF(10, 5, 20, 10)), QSizeF(90, 45)).contains(margin));
    EXPECT_FALSE(warnings(cardWithLogo(QRectF(10, 5.5, 20, 10)), QSizeF(90, 45)).contains(margin));
}

TEST(PressWarnings, TextAndStampNearTheCutAreNamed)
{
    PrintedCard card = pressCard(plainPicture(Qt::white));
    card.textLines[3] = QStringLiteral("Hoekstraat 1");
    card.design.lines[3].offset = QPointF(-5 * PixelsPerMm, 0); // 6 mm from the left, now 1 mm
    const QStringList said = warnings(card);
    EXPECT_TRUE(said.contains(QStringLiteral("Regel 3 staat binnen 3 mm van de snijrand."))) << said.join('\n').toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("Regel 1 staat binnen 3 mm van de snijrand.")));
    card.design.lines[3].offset = QPointF();
    card.layoutKind = 2; // a stamp 5 mm from the top-left corner
    EXPECT_EQ(warnings(card).filter(QStringLiteral("snijrand")), QStringList());
    card.design.stampOffset = QPointF(-2.01 * PixelsPerMm, 0);
    EXPECT_TRUE(warnings(card).contains(QStringLiteral("De zegelfoto staat binnen 3 mm van de snijrand.")));
}

TEST(PressWarnings, PicturesBelow300PpiAtTheirPrintedSizeAreNamed)
{
    // 1 inch wide: 300 pixels are enough, 299 are not.
    const QRectF inch(20, 10, 25.4, 12.7);
    const auto logoWarnings = [&](int pixels) {
        return warnings(cardWithLogo(inch, pixels)).filter(QStringLiteral("Het logo heeft"));
    };
    EXPECT_TRUE(logoWarnings(300).isEmpty());
    EXPECT_EQ(logoWarnings(299), QStringList(QStringLiteral(
                                     "Het logo heeft op deze grootte maar 299 ppi; voor drukwerk is 300 ppi of meer nodig.")));
    EXPECT_TRUE(warnings(cardWithLogo(inch)).filter(QStringLiteral("ppi")).isEmpty()); // an SVG has no pixels to lack

    // The background: its print copy is ample, the screen picture alone is not, a plain
    // colour needs none.
    PrintedCard card = pressCard(gradientPicture());
    EXPECT_TRUE(warnings(card).filter(QStringLiteral("De achtergrond")).isEmpty());
    card.canvasPrint = QImage();
    EXPECT_EQ(warnings(card).filter(QStringLiteral("De achtergrond heeft op deze grootte maar 124 ppi")).size(), 1);
    card.canvas.fill(Qt::white);
    EXPECT_TRUE(warnings(card).filter(QStringLiteral("De achtergrond")).isEmpty());
    // 1063 pixels over 90 mm are exactly 300 ppi.
    card.canvasPrint = gradientPicture().scaled(1063, 638);
    EXPECT_TRUE(warnings(card).filter(QStringLiteral("De achtergrond")).isEmpty());
    card.canvasPrint = gradientPicture().scaled(1062, 638);
    EXPECT_EQ(warnings(card).filter(QStringLiteral("De achtergrond")).size(), 1);

    // The stamp of layout 2 is 26.3 mm wide: its screen picture of 100 pixels is too few.
    card.layoutKind = 2;
    card.stamp = QImage(100, 122, QImage::Format_RGB32);
    card.stamp.fill(Qt::gray);
    EXPECT_EQ(warnings(card).filter(QStringLiteral("De zegelfoto heeft op deze grootte maar 96 ppi")).size(), 1);
    card.stampPrint = card.stamp.scaled(400, 488);
    EXPECT_TRUE(warnings(card).filter(QStringLiteral("De zegelfoto heeft")).isEmpty());
}

TEST(PressWarnings, AlmostBlackTextIsNamedPureBlackIsNot)
{
    EXPECT_TRUE(PressWarnings::isNearBlack(QColor(40, 40, 40)));
    EXPECT_TRUE(PressWarnings::isNearBlack(QColor(0, 0, 1)));
    EXPECT_FALSE(PressWarnings::isNearBlack(QColor(41, 0, 0)));
    EXPECT_FALSE(PressWarnings::isNearBlack(QColor(0, 0, 0)));
    PrintedCard card = pressCard(plainPicture(Qt::white), QColor(20, 20, 30));
    EXPECT_EQ(warnings(card).filter(QStringLiteral("bijna zwart")),
              QStringList(QStringLiteral("Regels 1 en 2 zijn bijna zwart (20, 20, 30) maar niet zuiver zwart, en worden "
                                         "dus niet met zwarte inkt alleen gedrukt. Kies zwart (0, 0, 0) voor scherpe tekst.")));
    card.design.lines[2].font = LineFont{QStringLiteral("Liberation Sans"), 16, false, false, false, Qt::black};
    EXPECT_EQ(warnings(card).filter(QStringLiteral("bijna zwart")),
              QStringList(QStringLiteral("Regel 1 is bijna zwart (20, 20, 30) maar niet zuiver zwart, en wordt dus niet "
                                         "met zwarte inkt alleen gedrukt. Kies zwart (0, 0, 0) voor scherpe tekst.")));
}

TEST(PressWarnings, AQrCodeThatCannotHoldItsContentIsNamedWithWhatIsTooLong)
{
    PrintedCard card = pressCard(plainPicture(Qt::white));
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = QRectF(20 * PixelsPerMm, 10 * PixelsPerMmDown, 25 * PixelsPerMm, 25 * PixelsPerMmDown);
    qr.qr.content.kind = QrKind::WebAddress;
    qr.qr.content.webAddress = QStringLiteral("voorbeeld.nl/") + QString(2400, u'a');
    qr.qr.encode();
    card.design.objects.push_back(qr);
    const QStringList said = warnings(card).filter(QStringLiteral("QR-code"));
    ASSERT_EQ(said.size(), 1) << said.join('\n').toStdString();
    EXPECT_EQ(said.first(), card.design.objects.front().qr.whyEmpty());
    EXPECT_TRUE(said.first().contains(QStringLiteral("Het webadres is 2.413 tekens lang"))) << said.first().toStdString();

    // At level L the same address fits: the code is drawn and nothing is said.
    card.design.objects.front().qr.level = QrLevel::L;
    card.design.objects.front().qr.encode();
    EXPECT_TRUE(warnings(card).filter(QStringLiteral("QR-code")).isEmpty());
}

// A card with a back: the front's warnings word for word, then the back's, each said of
// the back; a back with nothing to point out adds nothing.
TEST(PressWarnings, TheBacksWarningsFollowTheFrontsNamingTheSide)
{
    const PrintedCard front = cardWithLogo(QRectF(1, 10, 20, 10));
    PrintedCard back = pressCard(plainPicture(Qt::white), QColor(20, 20, 30));
    back.layoutKind = 1;
    back.textLines = {};
    back.textLines[4] = QStringLiteral("Afspraak");
    const PressGeometry page({QSizeF(90, 50), 3, true}, QSizeF(90, 50));
    const QStringList frontAlone = warnings(front);
    ASSERT_EQ(frontAlone, QStringList(QStringLiteral("Het logo staat binnen 3 mm van de snijrand.")));
    EXPECT_EQ(PressWarnings::check(PressFaces(front), SheetGeometry(), page), frontAlone) << "no back, no change";

    const QStringList said = PressWarnings::check(PressFaces(front, back), SheetGeometry(), page);
    EXPECT_EQ(said, frontAlone + QStringList(QStringLiteral(
                                     "Achterkant: Regel 4 is bijna zwart (20, 20, 30) maar niet zuiver zwart, en wordt dus "
                                     "niet met zwarte inkt alleen gedrukt. Kies zwart (0, 0, 0) voor scherpe tekst.")))
        << said.join('\n').toStdString();

    back.textColor = Qt::black;
    back.cardFont.colour = Qt::black;
    EXPECT_EQ(PressWarnings::check(PressFaces(front, back), SheetGeometry(), page), frontAlone);
}
