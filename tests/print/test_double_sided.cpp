// Double-sided sheets through the real PDF: each back page, rendered, has every card's back
// at the mirror image of its front on the physical page for the edge the paper turns over,
// and each side's correction moves that side's pages only.
#include "print/CalibrationSheet.h"
#include "print/PdfSheetWriter.h"
#include "print/SheetPlan.h"
#include "MarkedCard.h"
#include "RenderedPdf.h"
#include "GappedSheet.h"

#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

// One pixel of a page rendered at 10 px/mm, with room for rounding.
constexpr double Pixel = 0.1 + 1e-6;

PrintedCard plainCard(const QColor &colour)
{
    PrintedCard card;
    card.canvas = QImage(440, 270, QImage::Format_RGB32);
    card.canvas.fill(colour);
    card.stamp = QImage(1, 1, QImage::Format_RGB32);
    card.layoutKind = 0;
    return card;
}

// The box of `test`'s colour around where a card of the sheet is expected, in page mm.
QRectF cardBox(const QImage &page, const QPointF &corner, const SheetGeometry &sheet, const RenderedPdf::PixelTest &test)
{
    const QRectF expected(corner, QSizeF(sheet.cardWidth, sheet.cardHeight));
    return RenderedPdf::boxOf(page, expected.adjusted(-1, -1, 1, 1), test);
}

struct Printed {
    QImage front, back;
};

Printed printed(const QString &pdf, const SheetGeometry &sheet, const SheetRequest &request)
{
    const PrintedCard front = plainCard(Qt::green), back = plainCard(Qt::red);
    const FaceSource faces = [&](int, CardSide face) { return face == CardSide::Front ? &front : &back; };
    EXPECT_TRUE(writePlanPdf(pdf, faces, sheet, SheetPlan::forOneCard(request)).isPrinted());
    EXPECT_EQ(RenderedPdf::pageCount(pdf), 2);
    return {RenderedPdf::renderPage(pdf, 1), RenderedPdf::renderPage(pdf, 2)};
}

// Where a line's middle lies within windowMm of a page rendered at 10 px/mm: the rows (or,
// for a vertical line, the columns) holding at least half as many dark pixels as the
// darkest one, averaged, in page millimetres.
double lineMiddle(const QImage &page, const QRectF &windowMm, bool vertical)
{
    const int x0 = int(windowMm.left() * RenderedPdf::PixelsPerMm), y0 = int(windowMm.top() * RenderedPdf::PixelsPerMm);
    const int w = int(windowMm.width() * RenderedPdf::PixelsPerMm), h = int(windowMm.height() * RenderedPdf::PixelsPerMm);
    std::vector<int> counts(size_t(vertical ? w : h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (qGray(page.pixel(x0 + x, y0 + y)) < 128)
                ++counts[size_t(vertical ? x : y)];
    const int most = *std::max_element(counts.begin(), counts.end());
    double sum = 0;
    int n = 0;
    for (size_t i = 0; i < counts.size(); ++i)
        if (most > 0 && counts[i] * 2 >= most) {
            sum += double(i);
            ++n;
        }
    const double origin = vertical ? windowMm.left() : windowMm.top();
    return n == 0 ? -1 : origin + (sum / n + 0.5) / RenderedPdf::PixelsPerMm;
}

QPointF crossAt(const QImage &page, QPointF expected)
{
    const QRectF window(expected - QPointF(4, 4), QSizeF(8, 8));
    return {lineMiddle(page, window, true), lineMiddle(page, window, false)};
}

} // namespace

TEST(DoubleSided, EveryBackIsTheMirrorImageOfItsFrontOnThePhysicalPage)
{
    QTemporaryDir folder;
    for (const auto &[cards, duplex] : {std::pair{10, Duplex::LongEdge}, std::pair{8, Duplex::ShortEdge}}) {
        SheetRequest request;
        request.sheet = gappedSheet(cards);
        request.duplex = duplex;
        const Printed pages = printed(folder.filePath(QStringLiteral("vel.pdf")), request.sheet, request);
        const double c = request.sheet.cardWidth, d = request.sheet.cardHeight;
        for (const QPointF &corner : request.sheet.cardCorners()) {
            const QRectF front = cardBox(pages.front, corner, request.sheet, MarkedCard::isGreen);
            ASSERT_FALSE(front.isEmpty());
            // A page rendered at 10 px/mm puts an edge within a pixel of where it lies.
            EXPECT_NEAR(front.left(), corner.x(), Pixel);
            EXPECT_NEAR(front.top(), corner.y(), Pixel);
            const QPointF mirrored = duplex == Duplex::LongEdge ? QPointF(210 - corner.x() - c, corner.y())
                                                                : QPointF(corner.x(), 297 - corner.y() - d);
            const QRectF back = cardBox(pages.back, mirrored, request.sheet, MarkedCard::isRed);
            ASSERT_FALSE(back.isEmpty()) << cards << " cards, the back of the card at " << corner.x() << ", " << corner.y();
            // The back's edges are the front's, mirrored, as rendered.
            const QRectF expected = duplex == Duplex::LongEdge
                ? QRectF(QPointF(210 - front.right(), front.top()), front.size())
                : QRectF(QPointF(front.left(), 297 - front.bottom()), front.size());
            EXPECT_NEAR(back.left(), expected.left(), Pixel);
            EXPECT_NEAR(back.top(), expected.top(), Pixel);
            EXPECT_NEAR(back.right(), expected.right(), Pixel);
            EXPECT_NEAR(back.bottom(), expected.bottom(), Pixel);
            EXPECT_EQ(RenderedPdf::countIn(pages.back, QRectF(corner, QSizeF(c, d)).intersected(back), MarkedCard::isGreen), 0);
        }
    }
}

TEST(DoubleSided, EachSidesCorrectionMovesOnlyThatSidesPages)
{
    QTemporaryDir folder;
    SheetRequest request;
    request.sheet = gappedSheet(10);
    request.duplex = Duplex::LongEdge;
    request.frontCorrection.shiftX = 1.5;
    request.backCorrection.shiftY = -0.8;
    const Printed pages = printed(folder.filePath(QStringLiteral("vel.pdf")), request.sheet, request);
    const QPointF corner = request.sheet.cardCorners().constFirst();
    const QRectF front = cardBox(pages.front, corner + QPointF(1.5, 0), request.sheet, MarkedCard::isGreen);
    EXPECT_NEAR(front.left(), corner.x() + 1.5, Pixel);
    EXPECT_NEAR(front.top(), corner.y(), Pixel);
    const QPointF mirrored(210 - corner.x() - request.sheet.cardWidth, corner.y());
    const QRectF back = cardBox(pages.back, mirrored + QPointF(0, -0.8), request.sheet, MarkedCard::isRed);
    EXPECT_NEAR(back.left(), mirrored.x(), Pixel);
    EXPECT_NEAR(back.top(), mirrored.y() - 0.8, Pixel);
}

// The double-sided test page: each cross on its back lies exactly behind the crossing of
// the rulers on its front, for either edge.
TEST(DoubleSided, TheTestPagesBackCrossesLieBehindTheCrossingsOfTheFrontsRulers)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("testpagina.pdf"));
    const SheetGeometry sheet = gappedSheet(8);
    const CalibrationSheet::Corners marks = CalibrationSheet::duplexMarks(sheet);
    for (const Duplex edge : {Duplex::LongEdge, Duplex::ShortEdge}) {
        const auto draw = [&](QPainter &painter, int page) {
            if (page == 0)
                CalibrationSheet::drawDuplexFront(painter, sheet, QStringLiteral("PDF"), edge);
            else
                CalibrationSheet::drawDuplexBack(painter, sheet, edge);
        };
        ASSERT_TRUE(writePdf(pdf, [&](QPagedPaintDevice &writer) {
                        return printEachPage(writer, 2, draw, [](int) { return PrinterCorrection(); });
                    }).isPrinted());
        const QImage front = RenderedPdf::renderPage(pdf, 1), back = RenderedPdf::renderPage(pdf, 2);
        for (const QPointF &mark : {marks.topLeft, marks.bottomRight}) {
            const QPointF onFront = crossAt(front, mark);
            EXPECT_NEAR(onFront.x(), mark.x(), Pixel);
            EXPECT_NEAR(onFront.y(), mark.y(), Pixel);
            const QPointF behind = edge == Duplex::LongEdge ? QPointF(210 - onFront.x(), onFront.y())
                                                            : QPointF(onFront.x(), 297 - onFront.y());
            const QPointF onBack = crossAt(back, behind);
            EXPECT_NEAR(onBack.x(), behind.x(), Pixel) << (edge == Duplex::LongEdge ? "long" : "short");
            EXPECT_NEAR(onBack.y(), behind.y(), Pixel) << (edge == Duplex::LongEdge ? "long" : "short");
        }
    }
}

// What the user reads through the paper, turned into the back's correction: a printer that
// draws its back pages shifted and scaled in their own terms shows its crosses mirrored
// from the front, and the correction puts every back point where it belongs again.
TEST(DoubleSided, TheBackCorrectionUndoesTheErrorReadThroughThePaper)
{
    const SheetGeometry sheet = gappedSheet(10);
    const QPointF printable(4.1, 3.9);
    // The printer puts a back point p (from the printable corner) at shift + scale * p.
    const PrinterCorrection printerError{0.7, -0.4, 1.004, 0.997};
    const CalibrationSheet::Corners marks = CalibrationSheet::duplexMarks(sheet);
    for (const Duplex edge : {Duplex::LongEdge, Duplex::ShortEdge}) {
        // Where a point drawn on the back at p (its page) lies as seen from the front.
        const auto seenFromFront = [&](QPointF p) {
            return backCornerOnPage(printable + p, QSizeF(0, 0), edge) - printable;
        };
        const auto behind = [&](QPointF mark) { return seenFromFront(mark); }; // the mirror is its own inverse
        PrinterCorrection::Readings read;
        read.topLeft = seenFromFront(printerError.apply(behind(marks.topLeft))) - marks.topLeft;
        read.bottomRight = seenFromFront(printerError.apply(behind(marks.bottomRight))) - marks.bottomRight;
        ASSERT_GT(std::abs(read.topLeft.x()), 0.1);

        const PrinterCorrection correction = CalibrationSheet::backCorrection(read, sheet, edge, printable);
        for (const QPointF &mark : {marks.topLeft, marks.bottomRight, sheet.cardCorners()[4]}) {
            const QPointF printed = printerError.apply(correction.apply(behind(mark)));
            EXPECT_NEAR(printed.x(), behind(mark).x(), 1e-9) << (edge == Duplex::LongEdge ? "long" : "short");
            EXPECT_NEAR(printed.y(), behind(mark).y(), 1e-9) << (edge == Duplex::LongEdge ? "long" : "short");
        }
    }
}
