// "Zoals afgedrukt" against paper: the card on screen in its own shape, and its pixels
// those of the printed sheet's first card at the view's scale.
#include "app/WindowFixture.h"
#include "design/FullCard.h"
#include "design/QrPlacement.h"
#include "print/PdfSheetWriter.h"
#include "print/PrintedCard.h"
#include "print/RenderedPdf.h"
#include "print/SheetGeometry.h"
#include "support/CardEdit.h"
#include "support/ImageCompare.h"
#include "window/CardView.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>

namespace {

const QByteArray kLogoSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 120 80" width="120" height="80">
<circle cx="40" cy="40" r="36" fill="#c02020"/><rect x="60" y="10" width="55" height="60" fill="#204080"/></svg>)";

// A card as a user makes it: a soft background, lines in fonts, sizes, colours and
// alignments of their own, one moved, a logo and the QR code of the card's contact as
// it is inserted on a card of that size.
void designCard(CardDocument &doc, QSizeF cardMm)
{
    typeFullCard(doc);
    doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) {
        QPainter painter(&image);
        QLinearGradient soft(0, 0, image.width(), image.height());
        soft.setColorAt(0, QColor(250, 246, 232));
        soft.setColorAt(1, QColor(214, 228, 240));
        painter.fillRect(image.rect(), soft);
    });
    editCard(doc, [cardMm](Card &card) {
        CardDesign &design = card.design;
        design.lines[1].font = LineFont{QStringLiteral("DejaVu Serif"), 22, true, false, false, QColor(20, 40, 120)};
        design.lines[1].align = LineAlign::Centre;
        design.lines[2].font = LineFont{QStringLiteral("Liberation Sans"), 10, false, true, false, QColor(90, 90, 90)};
        design.lines[2].align = LineAlign::Centre;
        design.lines[4].offset = QPointF(24, 10);
        design.lines[7].font = LineFont{QStringLiteral("Liberation Mono"), 12, false, false, true, QColor(0, 110, 60)};
        design.lines[7].align = LineAlign::Right;
        PlacedObject logo;
        logo.rect = QRectF(24, 180, 90, 60);
        logo.logo.svg = kLogoSvg;
        const QrPlacement::NewCode code = QrPlacement::newCode(card.state.TextLines, cardMm);
        PlacedObject qr;
        qr.kind = PlacedObject::Kind::Qr;
        qr.rect = code.rect;
        qr.qr = code.qr;
        design.objects = {logo, qr};
    });
}

constexpr int Finer = 8;

// Each block of factor x factor pixels as one pixel of their mean.
QImage averaged(const QImage &fine, int factor)
{
    QImage coarse(fine.size() / factor, QImage::Format_RGB32);
    for (int y = 0; y < coarse.height(); ++y)
        for (int x = 0; x < coarse.width(); ++x) {
            int sum[3] = {0, 0, 0};
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) {
                    const QRgb p = fine.pixel(x * factor + i, y * factor + j);
                    sum[0] += qRed(p);
                    sum[1] += qGreen(p);
                    sum[2] += qBlue(p);
                }
            const int n = factor * factor;
            coarse.setPixel(x, y, qRgb((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n));
        }
    return coarse;
}

class PrintedViewTest : public WindowFixture {
protected:
    void SetUp() override
    {
        window.show();
        window.action(QStringLiteral("BeeldAfgedrukt"))->setChecked(true);
    }
};

} // namespace

TEST_F(PrintedViewTest, EachCardSizeShowsInItsShapeWithThePixelsOfThePrintedCard)
{
    CardView *view = window.cardView();
    for (const QSizeF cardMm : {QSizeF(90, 50), QSizeF(85, 55), QSizeF(50, 90)}) {
        SCOPED_TRACE(QStringLiteral("%1 x %2 mm").arg(cardMm.width()).arg(cardMm.height()).toStdString());
        PrintSettings &settings = doc.printSettings();
        settings.CardWidthMm = cardMm.width();
        settings.CardHeightMm = cardMm.height();
        // The first card's corner one inch from the page's corner each way (A - 3 and
        // B - 4 mm): at a whole dpi it falls between two pixels, so that pdftoppm's pixels
        // are the view's, not shifted by a fraction of one that would blur every edge.
        settings.PrintMarginA = 28.4;
        settings.PrintMarginB = 29.4;
        view->followSheet();
        doc.newCard();
        designCard(doc, cardMm);

        const QRect card = view->cardRect();
        EXPECT_NEAR(card.width(), card.height() * cardMm.width() / cardMm.height(), 1.0);
        const QImage shown = view->grab().toImage().copy(card).convertToFormat(QImage::Format_RGB32);

        const SheetGeometry sheet = SheetGeometry::from(settings);
        ASSERT_EQ(sheet.cardCorners().front(), QPointF(25.4, 25.4));
        const QString pdf = dir.filePath(QStringLiteral("vel.pdf"));
        ASSERT_TRUE(writeSheetPdf(pdf, PrintedCard::from(doc.card()), sheet, 1).isPrinted());
        // pdftoppm sets glyphs and the edges of rectangles on whole pixels of its own, up
        // to half a pixel from where paper has them; at eight times the view's resolution,
        // averaged back, its pixels are paper's at the view's scale.
        const int dpi = view->printedDpi();
        const QImage fine =
            RenderedPdf::renderPixels(pdf, dpi * Finer, QRect(QPoint(dpi, dpi) * Finer, card.size() * Finer));
        ASSERT_EQ(fine.size(), card.size() * Finer);
        EXPECT_GE(ImageCompare::psnr(shown, averaged(fine, Finer)), 30.0);
    }
}
