// Double-sided sheets through the real PDF: each back page, rendered, has every card's back
// at the mirror image of its front on the physical page for the edge the paper turns over,
// and each side's correction moves that side's pages only.
#include "print/PdfSheetWriter.h"
#include "print/SheetPlan.h"
#include "MarkedCard.h"
#include "RenderedPdf.h"
#include "GappedSheet.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    const FaceSource faces = [&](int, CardFace face) { return face == CardFace::Front ? &front : &back; };
    EXPECT_TRUE(writePlanPdf(pdf, faces, sheet, SheetPlan::forOneCard(request)).isPrinted());
    EXPECT_EQ(RenderedPdf::pageCount(pdf), 2);
    return {RenderedPdf::renderPage(pdf, 1), RenderedPdf::renderPage(pdf, 2)};
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
