// Styles, places and logos as the window and the paper show them: each change reaches
// only its own item, and paper puts it where the screen does, by the canvas's mapping
// onto the card's millimetres.
#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "core/Composition.h"
#include "print/PdfSheetWriter.h"
#include "print/PrintedCard.h"
#include "print/RenderedPdf.h"
#include "print/SheetGeometry.h"

#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray kSquareSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100" width="100" height="100">
<rect x="25" y="25" width="50" height="50" fill="#ff0000"/></svg>)";

QImage paintCard(const CardDocument &doc)
{
    QImage image(440, 270, QImage::Format_RGB32);
    QPainter painter(&image);
    CardPainter::paint(painter, doc);
    return image;
}

QString printed(const CardDocument &doc, const QTemporaryDir &dir, const QString &name)
{
    const QString file = dir.filePath(name + QStringLiteral(".pdf"));
    EXPECT_TRUE(writeSheetPdf(file, PrintedCard::from(doc.card()), SheetGeometry(), 1).isPrinted());
    return file;
}

// The first card's word (top left of the sheet holds card 1).
PdfWord firstWord(const QString &pdf, const QString &text)
{
    PdfWord best;
    for (const PdfWord &word : RenderedPdf::words(pdf))
        if (word.text == text && (best.text.isEmpty() || word.box.top() + word.box.left() < best.box.top() + best.box.left()))
            best = word;
    return best;
}

int imageObjects(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    process.waitForFinished(60000);
    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    int images = 0;
    for (const QByteArray &line : lines)
        if (line.contains(" image ") || line.contains(" smask "))
            ++images;
    return images;
}

LineFont redLarge()
{
    return {QStringLiteral("Liberation Serif"), 30, true, false, false, QColor(200, 0, 0)};
}

PlacedObject logoAt(const QRectF &rect, const QByteArray &svg)
{
    PlacedObject object;
    object.rect = rect;
    object.logo.svg = svg;
    return object;
}

// Rows that differ between two pictures.
std::vector<int> changedRows(const QImage &a, const QImage &b)
{
    std::vector<int> rows;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                rows.push_back(y);
                break;
            }
    return rows;
}

} // namespace

TEST(DesignOnScreen, ARestyledLineChangesOnlyItsOwnRowsAndTheCardFontLeavesItAlone)
{
    CardDocument plain;
    CardDocument styled;
    styled.restyleLine(3, redLarge(), LineAlign::Left);
    const QImage before = paintCard(plain);
    const QImage after = paintCard(styled);
    const QRectF line3 = CardPainter::textLineRect(styled.card(), 3);
    const std::vector<int> rows = changedRows(before, after);
    ASSERT_FALSE(rows.empty());
    // The larger line 3 covers the rows of its neighbours' text, but nothing above line 2
    // or below line 5 moves.
    EXPECT_GE(rows.front(), int(CardPainter::textLineRect(plain.card(), 2).top()));
    EXPECT_LE(rows.back(), int(std::ceil(line3.bottom())));
    bool red = false;
    for (int y = int(line3.top()); y < int(line3.bottom()); ++y)
        for (int x = int(line3.left()); x < int(line3.right()); ++x)
            red = red || QColor(after.pixel(x, y)) == QColor(200, 0, 0);
    EXPECT_TRUE(red);

    QFont font(QStringLiteral("Liberation Mono"));
    font.setPointSize(11);
    styled.applyChosenFont(font);
    plain.applyChosenFont(font);
    EXPECT_EQ(CardPainter::textLineRect(styled.card(), 3), line3);
    EXPECT_NE(CardPainter::textLineRect(styled.card(), 4), CardPainter::textLineRect(CardDocument().card(), 4));

    styled.restyleLine(3, std::nullopt, LineAlign::Left); // "Zoals de kaart"
    EXPECT_EQ(paintCard(styled), paintCard(plain));
}

TEST(DesignOnScreen, CentredAndRightLinesStayInTheirColumnClearOfTheStamp)
{
    CardDocument doc;
    doc.applyLayout(4); // the stamp on the right
    doc.restyleLine(2, std::nullopt, LineAlign::Right);
    doc.restyleLine(3, std::nullopt, LineAlign::Centre);
    const QRectF right = CardPainter::textLineRect(doc.card(), 2);
    const QRectF centre = CardPainter::textLineRect(doc.card(), 3);
    EXPECT_NEAR(right.right(), Composition::textColumnRight(4, 2), 0.01);
    EXPECT_LT(right.right(), doc.stamp().geometry().left());
    EXPECT_NEAR(centre.center().x(), (25 + Composition::textColumnRight(4, 3)) / 2.0, 0.01);
}

TEST(DesignOnPaper, EachStyleFieldReachesOnlyItsLineAndAMoveFollowsTheCanvasMapping)
{
    QTemporaryDir dir;
    CardDocument doc;
    doc.enterTextLine(3, QStringLiteral("Drie"));
    doc.enterTextLine(6, QStringLiteral("Zes"));
    const QString plain = printed(doc, dir, QStringLiteral("plain"));
    doc.restyleLine(3, redLarge(), LineAlign::Left);
    const QString styled = printed(doc, dir, QStringLiteral("styled"));
    doc.moveItem(CardItem::line(3), QPointF(60, 10), doc.newGestureKey());
    const QString moved = printed(doc, dir, QStringLiteral("moved"));

    const PdfWord three = firstWord(plain, QStringLiteral("Drie"));
    const PdfWord threeStyled = firstWord(styled, QStringLiteral("Drie"));
    const PdfWord threeMoved = firstWord(moved, QStringLiteral("Drie"));
    ASSERT_FALSE(three.text.isEmpty());
    ASSERT_FALSE(threeMoved.text.isEmpty());
    // 30 - 4 points printed against 16 - 4: the box grows with the size.
    EXPECT_NEAR(threeStyled.box.height() / three.box.height(), 26.0 / 12.0, 0.25);
    EXPECT_EQ(firstWord(styled, QStringLiteral("Zes")).box, firstWord(plain, QStringLiteral("Zes")).box);

    const SheetGeometry sheet;
    EXPECT_NEAR(threeMoved.box.left() - threeStyled.box.left(), 60 * sheet.cardWidth / 440, 0.2);
    EXPECT_NEAR(threeMoved.box.top() - threeStyled.box.top(), 10 * sheet.cardHeight / 270, 0.2);

    // The colour, on the rendered page.
    const QImage page = RenderedPdf::renderPage(styled);
    EXPECT_GT(RenderedPdf::countIn(page, threeStyled.box, [](QRgb p) { return qRed(p) > 150 && qGreen(p) < 80; }), 20);
    EXPECT_EQ(RenderedPdf::countIn(page, firstWord(styled, QStringLiteral("Zes")).box,
                                   [](QRgb p) { return qRed(p) > 150 && qGreen(p) < 80; }),
              0);
}

TEST(DesignLogo, TransparencyShowsTheBackgroundOnScreenAndPaperAndAnSvgStaysPaths)
{
    QTemporaryDir dir;
    CardDocument doc;
    const QString plain = printed(doc, dir, QStringLiteral("plain"));
    const QRectF at(300, 20, 100, 100);
    doc.insertObject(logoAt(at, kSquareSvg));

    const QImage screen = paintCard(doc);
    EXPECT_EQ(QColor(screen.pixel(350, 70)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(screen.pixel(305, 25)), doc.state().backColor()); // its transparent corner

    const QString pdf = printed(doc, dir, QStringLiteral("logo"));
    EXPECT_EQ(imageObjects(pdf), imageObjects(plain));
    // The first card's logo: its middle red, its corner the background, its edge sharp at 1200 dpi.
    const SheetGeometry sheet;
    const QPointF corner = sheet.cardCorners().front();
    const double mmX = sheet.cardWidth / 440, mmY = sheet.cardHeight / 270;
    const QRectF square(corner.x() + 325 * mmX, corner.y() + 45 * mmY, 50 * mmX, 50 * mmY);
    const QImage page = RenderedPdf::renderPage(pdf);
    EXPECT_GT(RenderedPdf::countIn(page, square.adjusted(1, 1, -1, -1), [](QRgb p) { return qRed(p) > 240 && qGreen(p) < 20; }), 50);
    const QRectF cornerSpot(corner.x() + 302 * mmX, corner.y() + 22 * mmY, 2, 2);
    EXPECT_EQ(RenderedPdf::countIn(page, cornerSpot, [](QRgb p) { return qRed(p) > 240 && qGreen(p) < 20; }), 0);

    const int perMm = 1200 / 25.4 + 0.5;
    const RenderedPdf::Window edge = RenderedPdf::renderWindow(pdf, QRectF(square.left() - 0.5, square.center().y(), 1.0, 0.1), perMm);
    ASSERT_FALSE(edge.image.isNull());
    int between = 0;
    for (int x = 0; x < edge.image.width(); ++x) {
        const QRgb p = edge.image.pixel(x, 0);
        between += qGreen(p) > 30 && qGreen(p) < 200; // neither red nor background
    }
    EXPECT_LE(between, 2);
}

TEST(DesignLogo, ABitmapLogoPrintsFromItsOwnPixels)
{
    QTemporaryDir dir;
    CardDocument doc;
    QImage bitmap(333, 111, QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    for (int x = 0; x < bitmap.width(); x += 2)
        for (int y = 0; y < bitmap.height(); ++y)
            bitmap.setPixel(x, y, qRgba(0, 0, 255, 255));
    PlacedObject object;
    object.rect = QRectF(200, 150, 90, 30);
    object.logo.bitmap = bitmap;
    doc.insertObject(object);
    const QString pdf = printed(doc, dir, QStringLiteral("bitmap"));
    QProcess process;
    process.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    process.waitForFinished(60000);
    const QString list = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(list.contains(QRegularExpression(QStringLiteral(R"(\s333\s+111\s)")))) << list.toStdString();
}

TEST(DesignSteps, EveryKindOfStepUndoesAndRedoesToTheCardBitForBit)
{
    CardDocument doc;
    doc.applyLayout(2);
    const std::vector<std::pair<QString, std::function<void(CardDocument &)>>> steps = {
        {QStringLiteral("Regel 3 opgemaakt"), [](CardDocument &d) { d.restyleLine(3, redLarge(), LineAlign::Centre); }},
        {QStringLiteral("Regel 3 verplaatst"),
         [](CardDocument &d) {
             const int drag = d.newGestureKey();
             for (int i = 1; i <= 5; ++i)
                 d.moveItem(CardItem::line(3), QPointF(i * 3.5, -i), drag);
         }},
        {QStringLiteral("Zegelfoto verplaatst"),
         [](CardDocument &d) { d.moveItem(CardItem::stamp(), QPointF(7.25, 3), d.newGestureKey()); }},
        {QStringLiteral("Regel 5 verplaatst"),
         [](CardDocument &d) {
             for (int i = 0; i < 3; ++i)
                 d.moveItem(CardItem::line(5), d.itemPlace(CardItem::line(5)) + QPointF(2.4, 0),
                            CardDocument::nudgeKey(CardItem::line(5)));
         }},
        {QStringLiteral("Logo ingevoegd"), [](CardDocument &d) { d.insertObject(logoAt({300, 20, 100, 100}, kSquareSvg)); }},
        {QStringLiteral("Logo verplaatst"), [](CardDocument &d) { d.moveItem(CardItem::object(0), QPointF(250, 30)); }},
        {QStringLiteral("Grootte logo veranderd"), [](CardDocument &d) { d.resizeObject(0, QRectF(250, 30, 60, 60)); }},
        {QStringLiteral("Regel 3 terug op de plaats van de layout"),
         [](CardDocument &d) { d.returnToLayoutPlace(CardItem::line(3)); }},
        {QStringLiteral("Logo verwijderd"), [](CardDocument &d) { d.removeObject(0); }},
    };
    for (const auto &[name, step] : steps) {
        const Card before = doc.card();
        const QImage picture = paintCard(doc);
        const qsizetype count = doc.history().stepCount();
        step(doc);
        EXPECT_EQ(doc.history().stepCount(), count + 1) << name.toStdString();
        EXPECT_EQ(doc.undoName(), name);
        const Card after = doc.card();
        ASSERT_TRUE(doc.undo());
        EXPECT_TRUE(doc.card() == before) << name.toStdString();
        EXPECT_EQ(paintCard(doc), picture) << name.toStdString();
        ASSERT_TRUE(doc.redo());
        EXPECT_TRUE(doc.card() == after) << name.toStdString();
    }
}

TEST(DesignSteps, ADragBackToItsStartLeavesNoStepAndANewLayoutPutsPlacesBack)
{
    CardDocument doc;
    const int drag = doc.newGestureKey();
    doc.moveItem(CardItem::line(2), QPointF(10, 0), drag);
    doc.moveItem(CardItem::line(2), QPointF(0, 0), drag);
    EXPECT_FALSE(doc.canUndo());

    doc.restyleLine(2, redLarge(), LineAlign::Right);
    doc.moveItem(CardItem::line(2), QPointF(10, 4));
    doc.insertObject(logoAt({300, 20, 100, 100}, kSquareSvg));
    doc.applyLayout(1);
    EXPECT_EQ(doc.design().lines[2].offset, QPointF());
    EXPECT_EQ(doc.design().lines[2].align, LineAlign::Right);
    EXPECT_TRUE(doc.design().lines[2].font.has_value());
    EXPECT_EQ(doc.design().objects.size(), 1u);
    doc.newCard();
    EXPECT_TRUE(doc.design().isPlain());
}
