#include "core/CardDocument.h"
#include "core/CardPainter.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QImage painted(const CardDocument &doc)
{
    QImage image(440, 270, QImage::Format_RGB32);
    QPainter painter(&image);
    CardPainter::paint(painter, doc);
    return image;
}

PlacedObject qrCode(const std::array<QString, 8> &lines)
{
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = QRectF(300, 150, 80, 80);
    qr.qr = QrObject::fromLines(lines);
    return qr;
}

} // namespace

TEST(CardSides, LookingAtTheBackAddsNothing)
{
    CardDocument doc;
    doc.enterTextLine(1, QStringLiteral("Voor"));
    doc.markSaved();
    const Card before = doc.card();
    QSignalSpy sides(&doc, &CardDocument::sideChanged);
    doc.showSide(CardSide::Back);
    EXPECT_EQ(sides.count(), 1);
    EXPECT_FALSE(doc.hasBack());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.card(), before);
    // The blank back: empty lines where "Tekst Midden" puts them, no stamp, the front's font.
    EXPECT_EQ(doc.state().TextLines[1], QString());
    EXPECT_EQ(doc.state().LayoutKind, 1);
    EXPECT_EQ(doc.state().FontName, before.state.FontName);
    EXPECT_FALSE(doc.hasItem(CardItem::stamp()));
    EXPECT_FALSE(doc.shownCard().stamp.isVisible());
    doc.showSide(CardSide::Front);
    EXPECT_EQ(doc.card(), before);
}

TEST(CardSides, AStepOnTheBackNamesItAndUndoesExactly)
{
    CardDocument doc;
    doc.enterTextLine(2, QStringLiteral("Voorkant"));
    const Card front = doc.card();
    doc.showSide(CardSide::Back);
    doc.enterTextLine(2, QStringLiteral("Afspraak"));
    ASSERT_TRUE(doc.hasBack());
    EXPECT_EQ(doc.card().back->state.TextLines[2], QStringLiteral("Afspraak"));
    EXPECT_EQ(doc.card().state.TextLines[2], QStringLiteral("Voorkant"));
    doc.moveItem(CardItem::line(2), QPointF(5, 7));
    EXPECT_EQ(doc.undoName(), QStringLiteral("Achterkant: Regel 2 verplaatst"));
    EXPECT_EQ(doc.card().state.TextLines, front.state.TextLines);
    EXPECT_EQ(doc.card().design, front.design);
    const Card both = doc.card();

    // Undone from the front, the step shows the side it was made on.
    doc.showSide(CardSide::Front);
    QSignalSpy sides(&doc, &CardDocument::sideChanged);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(sides.count(), 1);
    EXPECT_EQ(doc.shownSide(), CardSide::Back);
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.hasBack());
    EXPECT_EQ(doc.card(), front);
    ASSERT_TRUE(doc.redo());
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(doc.card(), both);
}

TEST(CardSides, EachSideHasItsOwnBackgroundColoursAndFont)
{
    CardDocument doc;
    doc.setTextColorComponent(CardDocument::Red, 10);
    doc.showSide(CardSide::Back);
    doc.setTextColorComponent(CardDocument::Red, 20);
    doc.setBackColorComponent(CardDocument::Blue, 0);
    doc.applyChosenFont(QFont(QStringLiteral("DejaVu Serif"), 12));
    // The bars of one side never merge into a drag of the other's.
    EXPECT_EQ(doc.history().stepCount(), 4);
    EXPECT_EQ(doc.card().state.TextColorR, GeneralValue(10));
    EXPECT_EQ(doc.card().back->state.TextColorR, GeneralValue(20));
    EXPECT_EQ(doc.card().back->canvas.image().pixel(100, 100), QColor(200, 230, 0).rgb());
    EXPECT_NE(doc.card().canvas.image().pixel(100, 100), QColor(200, 230, 0).rgb());
    EXPECT_EQ(doc.card().back->state.FontSize, 12);
    EXPECT_EQ(doc.card().state.FontSize, 16);
    EXPECT_EQ(painted(doc).pixel(5, 5), QColor(200, 230, 0).rgb());
    doc.showSide(CardSide::Front);
    EXPECT_NE(painted(doc).pixel(5, 5), QColor(200, 230, 0).rgb());
}

TEST(CardSides, TheStampAndLayoutStayOnTheFront)
{
    CardDocument doc;
    doc.applyLayout(2);
    doc.showSide(CardSide::Back);
    doc.setBackColorComponent(CardDocument::Red, 0);
    // A stamp cut while the back is shown lands on the front, which the window then shows.
    QImage stamp(140, 180, QImage::Format_RGB32);
    stamp.fill(Qt::red);
    doc.setStampPicture(QStringLiteral("Knippen"), stamp);
    EXPECT_EQ(doc.shownSide(), CardSide::Front);
    EXPECT_EQ(doc.undoName(), QStringLiteral("Knippen"));
    EXPECT_EQ(doc.card().stamp.image().pixel(5, 5), QColor(Qt::red).rgb());
    EXPECT_EQ(doc.card().back->state.LayoutKind, 1);
    doc.showSide(CardSide::Back);
    doc.applyLayout(0);
    EXPECT_EQ(doc.shownSide(), CardSide::Front);
    EXPECT_EQ(doc.card().state.LayoutKind, 0);
}

TEST(CardSides, OutlineAndContactLinesReachBothSides)
{
    CardDocument doc;
    doc.enterTextLine(3, QStringLiteral("post@voorbeeld.nl"));
    doc.showSide(CardSide::Back);
    ASSERT_TRUE(doc.insertObject(qrCode(doc.card().state.TextLines)));
    doc.chooseBorderItem(2);
    EXPECT_TRUE(doc.card().state.CardBorder);
    EXPECT_TRUE(doc.card().back->state.CardBorder);
    // A QR code on the back holds the front's contact lines, as one on the front does.
    const QrObject before = doc.card().back->design.objects[0].qr;
    doc.showSide(CardSide::Front);
    doc.enterTextLine(3, QStringLiteral("info@voorbeeld.nl"));
    EXPECT_NE(doc.card().back->design.objects[0].qr, before);
    EXPECT_EQ(doc.card().back->state.TextLines[3], QString());
}

TEST(CardSides, RemovingTheBackIsAStepThatComesBack)
{
    CardDocument doc;
    doc.showSide(CardSide::Back);
    doc.enterTextLine(1, QStringLiteral("Achter"));
    const Card both = doc.card();
    doc.removeBack();
    EXPECT_FALSE(doc.hasBack());
    EXPECT_EQ(doc.shownSide(), CardSide::Front);
    EXPECT_EQ(doc.undoName(), QStringLiteral("Achterkant verwijderd"));
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.card(), both);
    EXPECT_EQ(doc.shownSide(), CardSide::Back);
    // "Nieuw" starts a one-sided card.
    doc.newCard();
    EXPECT_FALSE(doc.hasBack());
    EXPECT_EQ(doc.shownSide(), CardSide::Front);
}

// A filter hands the window its events between rows: a command run meanwhile may take the
// back away under the drawing, which must neither crash nor bring the back back.
TEST(CardSides, ABackTakenAwayWhileAFilterDrawsOnItStaysAway)
{
    CardDocument doc;
    doc.showSide(CardSide::Back);
    doc.enterTextLine(1, QStringLiteral("Achter"));
    doc.drawOnCanvas(QStringLiteral("Aquarel"), [&doc](QImage &image) {
        doc.removeBack();
        image.fill(Qt::red);
    });
    EXPECT_FALSE(doc.hasBack());

    doc.showSide(CardSide::Back);
    doc.drawOnCanvas(QStringLiteral("Aquarel"), [&doc](QImage &image) {
        doc.newCard();
        image.fill(Qt::red);
    });
    EXPECT_FALSE(doc.hasBack());
    EXPECT_NE(doc.card().canvas.image().pixel(5, 5), QColor(Qt::red).rgb());

    // Undisturbed, the same filter lands on the back.
    doc.showSide(CardSide::Back);
    doc.drawOnCanvas(QStringLiteral("Aquarel"), [](QImage &image) { image.fill(Qt::red); });
    ASSERT_TRUE(doc.hasBack());
    EXPECT_EQ(doc.card().back->canvas.image().pixel(5, 5), QColor(Qt::red).rgb());
}
