#include "assets/BuiltinPictures.h"
#include "core/CardDocument.h"
#include "core/CardPainter.h"

#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QPoint linePlace(const CardDocument &doc, int line)
{
    return CardPainter::textLineRect(doc.state(), line).topLeft();
}

struct LayoutCase {
    int kind;
    bool stamp;
    QRect stampRect;
    int framePicture; // with StampBorderStyle 1
    QPoint lines[8];
};

// Places as the layout table gives them, written out by hand.
const LayoutCase kLayouts[] = {
    {0, false, {}, 0, {{}, {25, 30}, {25, 61}, {25, 92}, {25, 123}, {25, 154}, {25, 185}, {25, 216}}},
    {1, false, {}, 0, {{}, {120, 30}, {120, 61}, {120, 92}, {120, 123}, {120, 154}, {120, 185}, {120, 216}}},
    {2, true, {18, 18, 140, 180}, 1, {{}, {170, 27}, {170, 55}, {170, 83}, {170, 111}, {170, 139}, {170, 167}, {20, 215}}},
    {3, true, {18, 18, 180, 140}, 2, {{}, {210, 27}, {210, 57}, {210, 87}, {210, 117}, {20, 165}, {20, 195}, {20, 225}}},
    {4, true, {281, 18, 140, 180}, 1, {{}, {25, 30}, {25, 61}, {25, 92}, {25, 123}, {25, 154}, {25, 185}, {25, 216}}},
};

} // namespace

TEST(CardLayouts, PlaceStampBoxAndLinesForEveryLayout)
{
    for (const LayoutCase &c : kLayouts) {
        CardDocument doc;
        doc.applyLayout(c.kind);
        EXPECT_EQ(doc.state().LayoutKind, c.kind);
        EXPECT_EQ(doc.stamp().isVisible(), c.stamp) << c.kind;
        if (c.stamp) {
            EXPECT_EQ(doc.stamp().geometry(), c.stampRect) << c.kind;
            EXPECT_EQ(doc.stamp().image(), BuiltinPictures::frame(c.framePicture).convertToFormat(QImage::Format_RGB32))
                << c.kind;
        }
        for (int line = 1; line <= 7; ++line)
            EXPECT_EQ(linePlace(doc, line), c.lines[line]) << "layout " << c.kind << " line " << line;
    }
}

TEST(CardLayouts, LandscapeLayoutUsesTheNextFramePictureOfTheStyle)
{
    CardDocument doc;
    doc.chooseStampBorderOption(4);
    doc.applyLayout(3);
    EXPECT_EQ(doc.stamp().image(), BuiltinPictures::frame(8).convertToFormat(QImage::Format_RGB32));
    doc.applyLayout(2);
    EXPECT_EQ(doc.stamp().image(), BuiltinPictures::frame(7).convertToFormat(QImage::Format_RGB32));
}

TEST(CardLayouts, ChoosingTheCurrentLayoutAgainEmptiesTheStamp)
{
    CardDocument doc;
    doc.applyLayout(2);
    doc.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image.fill(Qt::red); }); // a cut stamp photo
    doc.applyLayout(2);
    EXPECT_EQ(doc.stamp().image(), BuiltinPictures::frame(1).convertToFormat(QImage::Format_RGB32));
}

TEST(CardLayouts, StyleChangedInLandscapeLayoutShowsAtTheNextChoice)
{
    CardDocument doc;
    doc.applyLayout(3);
    doc.chooseStampBorderOption(2);
    EXPECT_EQ(doc.stamp().image(), BuiltinPictures::frame(2).convertToFormat(QImage::Format_RGB32));
    doc.applyLayout(3);
    EXPECT_EQ(doc.stamp().image(), BuiltinPictures::frame(4).convertToFormat(QImage::Format_RGB32));
}

TEST(CardLayouts, LayoutKeepsTextsAndBackground)
{
    CardDocument doc;
    doc.enterTextLine(2, QStringLiteral("Jan"));
    doc.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image.setPixel(5, 5, qRgb(1, 2, 3)); });
    doc.applyLayout(4);
    doc.applyLayout(0);
    EXPECT_EQ(doc.state().TextLines[2], QStringLiteral("Jan"));
    EXPECT_EQ(doc.canvas().image().pixel(5, 5), qRgb(1, 2, 3));
}

TEST(CardOutline, ItemsSetTheOutlineAndItsColour)
{
    CardDocument doc;
    const struct {
        int item;
        bool on;
        int level;
    } items[] = {{2, true, 0}, {3, true, 120}, {4, true, 255}};
    for (const auto &c : items) {
        doc.chooseBorderItem(c.item);
        EXPECT_EQ(doc.state().CardBorder, c.on);
        EXPECT_EQ(doc.state().borderColor(), QColor(c.level, c.level, c.level)) << c.item;
        EXPECT_EQ(doc.checkedBorderItem(), c.item);
    }
}

TEST(CardOutline, GeenKeepsTheColourComponents)
{
    CardDocument doc;
    doc.chooseBorderItem(3);
    doc.chooseBorderItem(1);
    EXPECT_FALSE(doc.state().CardBorder);
    EXPECT_EQ(doc.checkedBorderItem(), 1);
    EXPECT_EQ(doc.state().borderColor(), QColor(120, 120, 120));
    doc.chooseBorderItem(4);
    EXPECT_EQ(doc.state().borderColor(), QColor(255, 255, 255));
}

TEST(TextLines, EmptyAnswerKeepsTheLine)
{
    CardDocument doc;
    QSignalSpy changed(&doc, &CardDocument::textChanged);
    EXPECT_FALSE(doc.enterTextLine(4, QString()));
    EXPECT_EQ(doc.state().TextLines[4], QStringLiteral("Regel 4"));
    EXPECT_EQ(changed.count(), 0);
}

TEST(TextLines, SingleBlankBecomesTwoAndLongerBlanksStayAsTyped)
{
    CardDocument doc;
    EXPECT_TRUE(doc.enterTextLine(1, QStringLiteral(" ")));
    EXPECT_EQ(doc.state().TextLines[1], QStringLiteral("  "));
    doc.enterTextLine(2, QStringLiteral("   "));
    EXPECT_EQ(doc.state().TextLines[2], QStringLiteral("   "));
    doc.enterTextLine(7, QStringLiteral(" Tel. 012 "));
    EXPECT_EQ(doc.state().TextLines[7], QStringLiteral(" Tel. 012 "));
    EXPECT_EQ(doc.state().TextLines[6], QStringLiteral("Regel 6"));
}

TEST(TextStyle, FontSizeRoundsHalvesToTheEvenNeighbour)
{
    const struct {
        double chosen;
        int stored;
    } sizes[] = {{10.5, 10}, {11.5, 12}, {12.5, 12}, {13.4, 13}, {13.6, 14}, {8, 8}};
    for (const auto &s : sizes) {
        CardDocument doc;
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPointSizeF(s.chosen);
        doc.applyChosenFont(font);
        EXPECT_EQ(doc.state().FontSize, s.stored) << s.chosen;
    }
}

TEST(TextStyle, ChosenFontGivesNameAndStyles)
{
    CardDocument doc;
    QFont font(QStringLiteral("Liberation Serif"), 20);
    font.setBold(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    doc.applyChosenFont(font);
    EXPECT_EQ(doc.state().FontName, QStringLiteral("Liberation Serif"));
    EXPECT_TRUE(doc.state().FontBold);
    EXPECT_FALSE(doc.state().FontItalic);
    EXPECT_TRUE(doc.state().FontUnderline);
}

TEST(TextColour, BarsSetTheComponentsAndAnEqualValueChangesNothing)
{
    CardDocument doc;
    QSignalSpy changed(&doc, &CardDocument::textChanged);
    doc.setTextColorComponent(CardDocument::Red, 10);
    doc.setTextColorComponent(CardDocument::Blue, 250);
    EXPECT_EQ(doc.state().textColor(), QColor(10, 100, 250));
    EXPECT_EQ(changed.count(), 2);
    doc.setTextColorComponent(CardDocument::Green, 100);
    EXPECT_EQ(changed.count(), 2);
}

TEST(BackColour, ErasesDrawingsButKeepsTheCanvasPicture)
{
    CardDocument doc;
    QImage templ(100, 50, QImage::Format_RGB32);
    templ.fill(Qt::blue);
    doc.setCanvasPicture(QStringLiteral("Templates"), templ);
    doc.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image.fill(Qt::yellow); }); // a background photo painted over all

    doc.setBackColorComponent(CardDocument::Green, 0);
    const QImage &image = doc.canvas().image();
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::blue));     // own picture stays
    EXPECT_EQ(image.pixelColor(200, 200), QColor(200, 0, 200)); // colour elsewhere
    EXPECT_EQ(doc.state().backColor(), QColor(200, 0, 200));
}

TEST(BackColour, MovingToTheSameValueKeepsTheDrawings)
{
    CardDocument doc;
    doc.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image.fill(Qt::yellow); });
    QSignalSpy changed(&doc, &CardDocument::canvasChanged);
    doc.setBackColorComponent(CardDocument::Red, 200);
    EXPECT_EQ(doc.canvas().image().pixelColor(300, 100), QColor(Qt::yellow));
    EXPECT_EQ(changed.count(), 0);
}

TEST(NewCard, ResetsTheCardAfterEveryKindOfChange)
{
    CardDocument doc;
    doc.applyLayout(3);
    doc.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image.fill(Qt::red); });
    doc.chooseBorderItem(3);
    doc.chooseStampBorderOption(3);
    doc.enterTextLine(1, QStringLiteral("Piet"));
    QFont font(QStringLiteral("Liberation Serif"), 30);
    font.setItalic(true);
    doc.applyChosenFont(font);
    doc.setTextColorComponent(CardDocument::Red, 1);
    doc.setBackColorComponent(CardDocument::Blue, 2);
    QImage templ(10, 10, QImage::Format_RGB32);
    templ.fill(Qt::blue);
    doc.setCanvasPicture(QStringLiteral("Templates"), templ);
    doc.setFileName(QStringLiteral("foto.jpg"));
    doc.setLastFileName(QStringLiteral("kaart"));
    doc.setNameCaption(QStringLiteral("kaart"));
    doc.printSettings().CardsPerSheet = 8;
    QSignalSpy renewed(&doc, &CardDocument::cardRenewed);

    doc.newCard();

    const CardState &s = doc.state();
    const CardState start;
    EXPECT_EQ(s.LayoutKind, 0);
    EXPECT_FALSE(doc.stamp().isVisible());
    EXPECT_EQ(s.TextLines, start.TextLines);
    EXPECT_EQ(s.FontName, QStringLiteral("Arial"));
    EXPECT_EQ(s.FontSize, 16);
    EXPECT_FALSE(s.FontItalic);
    EXPECT_EQ(s.textColor(), QColor(70, 100, 70));
    EXPECT_EQ(s.backColor(), QColor(200, 230, 200));
    EXPECT_EQ(doc.canvas().image().pixelColor(2, 2), QColor(200, 230, 200));
    EXPECT_TRUE(doc.canvas().picture().isNull());
    EXPECT_FALSE(s.CardBorder);
    EXPECT_EQ(doc.checkedBorderItem(), 1);
    EXPECT_TRUE(doc.fileName().isEmpty());
    EXPECT_TRUE(doc.lastFileName().isEmpty());
    EXPECT_EQ(doc.nameCaption(), QStringLiteral("*.*"));
    EXPECT_EQ(renewed.count(), 1);

    // What New keeps.
    EXPECT_EQ(s.StampBorderStyle, 5);
    EXPECT_EQ(s.borderColor(), QColor(120, 120, 120));
    EXPECT_EQ(doc.stamp().image().pixelColor(50, 50), QColor(Qt::red));
    EXPECT_EQ(doc.printSettings().CardsPerSheet, 8);
}

TEST(NewCard, KeptStyleShowsAtTheNextStampLayout)
{
    CardDocument doc;
    doc.chooseStampBorderOption(2);
    doc.newCard();
    doc.applyLayout(2);
    EXPECT_EQ(doc.stamp().image(), BuiltinPictures::frame(3).convertToFormat(QImage::Format_RGB32));
}

TEST(PlacedObjects, ACardHoldsAtMostItsCapAndAnObjectMoreChangesNothing)
{
    CardDocument doc;
    PlacedObject logo;
    logo.rect = QRectF(10, 10, 40, 20);
    logo.logo.bitmap = QImage(4, 4, QImage::Format_ARGB32_Premultiplied);
    logo.logo.bitmap.fill(Qt::red);
    for (int i = 0; i < CardDesign::MaxObjects; ++i)
        ASSERT_TRUE(doc.insertObject(logo)) << i;
    EXPECT_FALSE(doc.hasRoomForObject());
    QSignalSpy changed(&doc, &CardDocument::designChanged);
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = QRectF(0, 0, 50, 50);
    EXPECT_FALSE(doc.insertObject(qr));
    EXPECT_FALSE(doc.insertObject(logo));
    EXPECT_EQ(doc.design().objects.size(), size_t(CardDesign::MaxObjects));
    EXPECT_EQ(changed.count(), 0);
    doc.removeObject(0);
    EXPECT_TRUE(doc.insertObject(logo)) << "room again after one is removed";
}
