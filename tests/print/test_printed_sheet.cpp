// Prints real PDF files and reads them back with poppler: the rendered page must show
// every card, stamp, bar and text line where the sheet layout puts it, within 0.3 mm.
#include "core/CardDocument.h"
#include "support/CardEdit.h"
#include "print/PdfSheetWriter.h"
#include "print/SheetPainter.h"
#include "MarkedCard.h"
#include "RenderedPdf.h"
#include "support/ScriptedQuestions.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace MarkedCard;
using namespace RenderedPdf;

namespace {

constexpr double Tolerance = 0.3;

bool isInk(QRgb c) { return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80; }
bool isPaper(QRgb c) { return qRed(c) > 230 && qGreen(c) > 230 && qBlue(c) > 230; }
bool isPrinted(QRgb c) { return !isPaper(c); }

class PrintedSheet : public testing::Test {
protected:
    void SetUp() override
    {
        document.setCanvasPicture(QStringLiteral("Templates"), MarkedCard::canvas());
        editCard(document, [](Card &card) {
            CardState &s = card.state;
            for (int i = 1; i <= 7; ++i)
                s.TextLines[i] = QStringLiteral("Lijn%1").arg(i);
            s.TextColorR = 0;
            s.TextColorG = 0;
            s.TextColorB = 0;
        });
        useLayout(2);
    }

    void useLayout(int kind)
    {
        document.applyLayout(kind);
        QImage stamp(document.stamp().image().size(), QImage::Format_RGB32);
        stamp.fill(QColor(0, 200, 0));
        editCard(document, [&](Card &card) { card.stamp.setPicture(stamp); });
    }

    void setRedBorder()
    {
        editCard(document, [](Card &card) {
            CardState &s = card.state;
            s.CardBorder = true;
            s.BorderColorR = 255;
            s.BorderColorG = 0;
            s.BorderColorB = 0;
        });
    }

    QString print(int copies = 1)
    {
        const QString file = folder.filePath(QStringLiteral("sheet%1.pdf").arg(++printed));
        const PrintOutcome outcome = writeSheetPdf(file, PrintedCard::from(document.card()),
                                                   SheetGeometry::from(document.printSettings()), copies);
        EXPECT_TRUE(outcome.isPrinted()) << outcome.message.toStdString();
        return file;
    }

    // Words named "Lijn<line>" found near a point.
    static int wordsAt(const QList<PdfWord> &words, int line, QPointF expected)
    {
        int n = 0;
        for (const PdfWord &w : words) {
            if (w.text == QStringLiteral("Lijn%1").arg(line)
                && std::abs(w.box.left() - expected.x()) <= Tolerance
                && std::abs(w.box.top() - expected.y()) <= Tolerance)
                ++n;
        }
        return n;
    }

    CardDocument document;
    QTemporaryDir folder;
    int printed = 0;
};

const QList<QPointF> DefaultCorners = {{12, 19},  {102, 19},  {12, 69},  {102, 69},  {12, 119},
                                       {102, 119}, {12, 169}, {102, 169}, {12, 219}, {102, 219}};

void expectNear(QPointF actual, QPointF expected, const char *what)
{
    EXPECT_NEAR(actual.x(), expected.x(), Tolerance) << what;
    EXPECT_NEAR(actual.y(), expected.y(), Tolerance) << what;
}

} // namespace

TEST_F(PrintedSheet, CardsLieOnTheCardStockGeometry)
{
    const QString pdf = print();
    ASSERT_EQ(pageCount(pdf), 1);
    const QImage page = renderPage(pdf);
    ASSERT_EQ(page.width(), 2100) << "an A4 page, 210 mm at 10 pixels per mm";

    const QRectF all = boxOf(page, QRectF(0, 0, 210, 297), isPrinted);
    expectNear(all.topLeft(), QPointF(12, 19), "sheet's first card corner");
    expectNear(all.bottomRight(), QPointF(192, 269), "two cards of 90 across, five of 50 down");

    for (const QPointF &corner : DefaultCorners) {
        const QRectF block = boxOf(page, QRectF(corner - QPointF(2, 2), QSizeF(10, 6)), isMagenta);
        expectNear(block.topLeft(), corner, "card corner");
    }
}

TEST_F(PrintedSheet, StampAtFiveFiveIn100By122PictureUnits)
{
    const QImage page = renderPage(print());
    for (const QPointF &corner : DefaultCorners) {
        const QRectF stamp = boxOf(page, QRectF(corner + QPointF(3, 3), QSizeF(31, 37)), isGreen);
        expectNear(stamp.topLeft(), corner + QPointF(5, 5), "stamp corner");
        expectNear(stamp.bottomRight(), corner + QPointF(31.32, 37.11), "stamp end");
    }
}

TEST_F(PrintedSheet, BorderBarsHalfAMillimetreTwoInsideEveryCard)
{
    setRedBorder();
    const QImage page = renderPage(print());
    // Thin windows across each bar measure its thickness, windows along it its length.
    for (const QPointF &c : DefaultCorners) {
        const QRectF top = boxOf(page, QRectF(c + QPointF(45, 1), QSizeF(0.1, 3)), isRed);
        EXPECT_NEAR(top.top(), c.y() + 2, Tolerance);
        EXPECT_NEAR(top.bottom(), c.y() + 2.5, Tolerance);
        const QRectF bottom = boxOf(page, QRectF(c + QPointF(45, 46), QSizeF(0.1, 3)), isRed);
        EXPECT_NEAR(bottom.top(), c.y() + 47.5, Tolerance);
        EXPECT_NEAR(bottom.bottom(), c.y() + 48, Tolerance);
        const QRectF left = boxOf(page, QRectF(c + QPointF(1, 25), QSizeF(3, 0.1)), isRed);
        EXPECT_NEAR(left.left(), c.x() + 2, Tolerance);
        EXPECT_NEAR(left.right(), c.x() + 2.5, Tolerance);
        const QRectF right = boxOf(page, QRectF(c + QPointF(86, 25), QSizeF(3, 0.1)), isRed);
        EXPECT_NEAR(right.left(), c.x() + 87.5, Tolerance);
        EXPECT_NEAR(right.right(), c.x() + 88, Tolerance);

        const QRectF along = boxOf(page, QRectF(c + QPointF(0, 2.2), QSizeF(90, 0.1)), isRed);
        EXPECT_NEAR(along.left(), c.x() + 2, Tolerance);
        EXPECT_NEAR(along.right(), c.x() + 88, Tolerance);
        const QRectF down = boxOf(page, QRectF(c + QPointF(87.7, 0), QSizeF(0.1, 50)), isRed);
        EXPECT_NEAR(down.top(), c.y() + 2, Tolerance);
        EXPECT_NEAR(down.bottom(), c.y() + 48, Tolerance);
    }
}

TEST_F(PrintedSheet, NoBarsWithoutBorder)
{
    const QImage page = renderPage(print());
    EXPECT_EQ(countIn(page, QRectF(0, 0, 210, 297), isRed), 0);
}

TEST_F(PrintedSheet, TextLinesAsRealTextAtTheirPlaces)
{
    const QString pdf = print();
    const QList<PdfWord> words = RenderedPdf::words(pdf);
    ASSERT_EQ(words.size(), 70);
    const QList<QPointF> places = {{34, 6}, {34, 11.2}, {34, 16.4}, {34, 21.6}, {34, 26.8}, {34, 32}, {6, 39.2}};
    for (const QPointF &corner : DefaultCorners)
        for (int line = 1; line <= 7; ++line)
            EXPECT_EQ(wordsAt(words, line, corner + places[line - 1]), 1) << "line " << line;

    const QImage page = renderPage(pdf);
    for (int line = 1; line <= 7; ++line) {
        const QPointF top = DefaultCorners[9] + places[line - 1];
        EXPECT_GT(countIn(page, QRectF(top + QPointF(0, 0.3), QSizeF(12, 4)), isInk), 50)
            << "ink of line " << line;
    }
}

TEST_F(PrintedSheet, EmptyLinesLeaveGapsAndTheOthersKeepTheirPlaces)
{
    editCard(document, [](Card &card) {
        card.state.TextLines[2].clear();
        card.state.TextLines[5].clear();
    });
    const QString pdf = print();
    const QList<PdfWord> words = RenderedPdf::words(pdf);
    EXPECT_EQ(words.size(), 50);
    const QPointF c = DefaultCorners[0];
    EXPECT_EQ(wordsAt(words, 3, c + QPointF(34, 16.4)), 1);
    EXPECT_EQ(wordsAt(words, 6, c + QPointF(34, 32)), 1);
    EXPECT_EQ(wordsAt(words, 7, c + QPointF(6, 39.2)), 1);

    const QImage page = renderPage(pdf);
    EXPECT_EQ(countIn(page, QRectF(c + QPointF(34, 11.5), QSizeF(20, 4.5)), isInk), 0) << "gap of line 2";
    EXPECT_GT(countIn(page, QRectF(c + QPointF(34, 16.7), QSizeF(20, 4)), isInk), 50);
}

TEST_F(PrintedSheet, LandscapeStampAndTwoColumnsOfText)
{
    useLayout(3);
    const QString pdf = print();
    const QPointF c = DefaultCorners[3];
    const QRectF stamp = boxOf(renderPage(pdf), QRectF(c + QPointF(3, 3), QSizeF(40, 30)), isGreen);
    expectNear(stamp.topLeft(), c + QPointF(5, 5), "stamp corner");
    expectNear(stamp.bottomRight(), c + QPointF(39.21, 29.21), "stamp end");

    const QList<PdfWord> words = RenderedPdf::words(pdf);
    EXPECT_EQ(wordsAt(words, 4, c + QPointF(42, 22.8)), 1);
    EXPECT_EQ(wordsAt(words, 5, c + QPointF(6, 31.4)), 1);
    EXPECT_EQ(wordsAt(words, 7, c + QPointF(6, 41.8)), 1);
}

TEST_F(PrintedSheet, TextPrintsOverTheStampOnTheRight)
{
    useLayout(4);
    editCard(document, [&](Card &card) { card.state.TextLines[1] = QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"); });
    const QImage page = renderPage(print());
    const QPointF c = DefaultCorners[0];
    const QRectF stamp = boxOf(page, QRectF(c + QPointF(55, 3), QSizeF(31, 37)), isGreen);
    expectNear(stamp.topLeft(), c + QPointF(57, 5), "stamp corner");
    EXPECT_GT(countIn(page, QRectF(c + QPointF(58, 6.3), QSizeF(20, 3.5)), isInk), 100)
        << "line 1 is drawn after the stamp";
}

TEST_F(PrintedSheet, EightCardsPerSheet)
{
    document.printSettings().CardsPerSheet = 8;
    const QString pdf = print();
    const QImage page = renderPage(pdf);
    const QRectF all = boxOf(page, QRectF(0, 0, 210, 297), isPrinted);
    expectNear(all.bottomRight(), QPointF(192, 219), "four rows");
    EXPECT_EQ(RenderedPdf::words(pdf).size(), 56);
}

TEST_F(PrintedSheet, MarginsAndCardSizeFromTypedTexts)
{
    PrintSettings &s = document.printSettings();
    s.PrintMarginA = GeneralValue("20,5");
    s.CardWidthMm = GeneralValue("40");
    s.PrintOffsetH = GeneralValue("2");
    const QImage page = renderPage(print());
    const QList<QPointF> firstCards = {{17.5, 19}, {57.5, 19}, {97.5, 19}, {137.5, 19}, {17.5, 71}};
    for (const QPointF &corner : firstCards) {
        const QRectF block = boxOf(page, QRectF(corner - QPointF(1, 1), QSizeF(3, 3)), isMagenta);
        expectNear(block.topLeft(), corner, "card corner");
    }
}

TEST_F(PrintedSheet, CopiesArePagesOfTheirOwnSharingThePictures)
{
    const QString single = print(1);
    const QString three = print(3);
    EXPECT_EQ(pageCount(three), 3);
    const QRectF block = boxOf(renderPage(three, 3), QRectF(100, 217, 10, 6), isMagenta);
    expectNear(block.topLeft(), QPointF(102, 219), "last card of the third page");
    EXPECT_LT(QFileInfo(three).size(), QFileInfo(single).size() + 20000) << "pictures stored once";
}

TEST_F(PrintedSheet, CardFontPrintsFourPointsSmallerAndAtLeastOnePoint)
{
    auto lineHeight = [this](int fontSize) {
        editCard(document, [&](Card &card) { card.state.FontSize = fontSize; });
        return RenderedPdf::words(print()).first().box.height();
    };
    const double at16 = lineHeight(16);
    EXPECT_NEAR(at16 / lineHeight(8), 3.0, 0.05) << "12 points against 4";
    EXPECT_NEAR(at16 / lineHeight(4), 12.0, 0.3) << "4 points prints at 1";
    EXPECT_NEAR(at16 / lineHeight(2), 12.0, 0.3);
}

TEST(PdfSheetWriter, FailureIsReportedAndLeavesNoFile)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("missing/sheet.pdf"));
    const PrintOutcome outcome = writeSheetPdf(file, PrintedCard(), SheetGeometry(), 1);
    EXPECT_TRUE(outcome.isFailed());
    EXPECT_TRUE(outcome.message.startsWith(QStringLiteral("Het PDF-bestand '%1' kon niet").arg(file)));
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST(PdfSheetWriter, ChosenNameGetsThePdfSuffixAndCancelPrintsNothing)
{
    QTemporaryDir folder;
    ScriptedQuestions questions;
    questions.saveFileAnswers = {folder.filePath(QStringLiteral("kaartjes"))};
    const PrintOutcome written =
        printSheetToChosenPdf(questions, QStringLiteral("kaartjes.pdf"), PrintedCard(), SheetGeometry(), 1);
    EXPECT_TRUE(written.isPrinted());
    EXPECT_EQ(pageCount(folder.filePath(QStringLiteral("kaartjes.pdf"))), 1);

    const PrintOutcome cancelled =
        printSheetToChosenPdf(questions, QStringLiteral("kaartjes.pdf"), PrintedCard(), SheetGeometry(), 1);
    EXPECT_EQ(cancelled.result, PrintOutcome::Result::Cancelled);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);
}

// Text that runs off the cards shows on the page beside the last column: a very long
// line draws exactly what its prefix reaching past the page's edge draws.
TEST(PrintedSheetText, VeryLongLineDrawsTheSameAsItsPrefixPastThePageEdge)
{
    QString longLine;
    while (longLine.size() < 300 * 1024)
        longLine += QStringLiteral("Vlinderstraat 12, Wijk bij Duurstede ");
    PrintedCard whole;
    whole.canvas = MarkedCard::canvas();
    whole.textColor = Qt::black;
    whole.font.setPointSize(4);
    whole.layoutKind = 0;
    PrintedCard cut = whole;
    for (int line = 1; line <= 7; ++line) {
        whole.textLines[line] = longLine;
        cut.textLines[line] = longLine.left(1500);
    }
    const auto drawn = [](const PrintedCard &card) {
        QImage page(840, 1188, QImage::Format_RGB32); // A4 at 4 pixels per millimetre
        page.setDotsPerMeterX(4000);
        page.setDotsPerMeterY(4000);
        page.fill(Qt::white);
        QPainter painter(&page);
        drawSheet(painter, card, SheetGeometry());
        return page;
    };
    EXPECT_EQ(drawn(whole), drawn(cut));
}
