// One card with every kind of placed object, drawn through every target the program
// has: the window, a render, the sheet and the press-ready page. Each object must be
// found at its place in each, and the QR codes must scan off paper and the press page.
#include "PressFixture.h"
#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "press/PressPdf.h"
#include "print/PdfSheetWriter.h"
#include "print/RenderedPdf.h"
#include "qr/QrReader.h"
#include "support/CardEdit.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

enum class Look { Blue, Green, Red, QrCode };

struct Expected {
    const char *name;
    Look look;
    QRectF rect; // canvas pixels
};

// Bottom to top as the card lists them: a QR code under the logos (flattened with them
// on a press page) and one above the last logo (drawn over the flattened background).
const Expected Objects[] = {
    {"opaque PNG logo", Look::Blue, QRectF(250, 12, 70, 45)},
    {"QR code under the logos", Look::QrCode, QRectF(130, 140, 98, 108)},
    {"see-through SVG logo", Look::Green, QRectF(340, 12, 80, 45)},
    {"PNG with alpha", Look::Red, QRectF(250, 75, 70, 45)},
    {"QR code above the logos", Look::QrCode, QRectF(320, 140, 98, 108)},
};

PlacedObject objectFor(const Expected &expected, const CardDocument &document)
{
    PlacedObject object;
    object.rect = expected.rect;
    switch (expected.look) {
    case Look::Blue:
        object.logo.bitmap = QImage(140, 90, QImage::Format_ARGB32_Premultiplied);
        object.logo.bitmap.fill(QColor(0, 0, 200));
        break;
    case Look::Green:
        object.logo.svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"80\" height=\"45\" viewBox=\"0 0 80 45\">"
                          "<rect width=\"80\" height=\"45\" fill=\"#00a000\" fill-opacity=\"0.5\"/></svg>";
        break;
    case Look::Red:
        object.logo.bitmap = QImage(140, 90, QImage::Format_ARGB32_Premultiplied);
        object.logo.bitmap.fill(QColor(200, 0, 0, 128));
        break;
    case Look::QrCode:
        object.kind = PlacedObject::Kind::Qr;
        object.qr = QrObject::fromLines(document.state().TextLines);
        break;
    }
    return object;
}

// Whether a picture shows the object: the logos' colours at their centre (on white, the
// see-through ones lighter), a QR code's dark and light modules over its square.
bool shows(const QImage &image, const QRectF &onImage, Look look)
{
    const QRect inner = onImage.adjusted(onImage.width() * 0.2, onImage.height() * 0.2, -onImage.width() * 0.2,
                                         -onImage.height() * 0.2)
                            .toRect();
    int dark = 0, all = 0;
    for (int y = inner.top(); y <= inner.bottom(); y += 2)
        for (int x = inner.left(); x <= inner.right(); x += 2, ++all)
            dark += qGray(image.pixel(x, y)) < 100;
    const QColor c = image.pixelColor(onImage.center().toPoint());
    switch (look) {
    case Look::Blue:
        return c.blue() > c.red() + 80 && c.blue() > c.green() + 40;
    case Look::Green:
        return c.green() > c.red() + 30 && c.green() > c.blue() + 30 && c.red() > 60;
    case Look::Red:
        return c.red() > c.green() + 50 && c.red() > c.blue() + 50 && c.green() > 60;
    case Look::QrCode:
        return all > 0 && dark > all / 5 && dark < all * 4 / 5;
    }
    return false;
}

class EveryObject : public testing::Test {
protected:
    void SetUp() override
    {
        editCard(document, [](Card &card) {
            card.canvas.setBackColor(Qt::white);
            card.state.LayoutKind = 0;
            card.state.TextLines[1] = QStringLiteral("Jan Jansen");
            card.state.TextLines[2] = QStringLiteral("Drukker");
            card.state.TextLines[3] = QStringLiteral("Tel: 020-1234567");
        });
        document.restyleLine(1, LineFont{QStringLiteral("DejaVu Serif"), 18, true, false, false, QColor(90, 40, 0)},
                             LineAlign::Left);
        document.restyleLine(2, LineFont{QStringLiteral("Liberation Sans"), 14, false, true, true, QColor(0, 0, 0)},
                             LineAlign::Left);
        for (const Expected &expected : Objects)
            document.insertObject(objectFor(expected, document));
        ASSERT_EQ(document.design().objects.size(), std::size(Objects));
    }

    // Each object must show in the picture, its canvas rectangle mapped by `place`.
    void expectEveryObject(const QImage &image, const std::function<QRectF(const QRectF &)> &place,
                           const char *target)
    {
        ASSERT_FALSE(image.isNull()) << target;
        for (const Expected &expected : Objects)
            EXPECT_TRUE(shows(image, place(expected.rect), expected.look)) << expected.name << " in " << target;
    }

    QImage painted(int scale, CardPainter::Pictures pictures)
    {
        QImage image(440 * scale, 270 * scale, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.scale(scale, scale);
        CardPainter::paint(painter, document, pictures);
        return image;
    }

    // The codes read off a PDF's page: the square each one's rectangle takes on paper,
    // with its quiet zone, rendered at about 300 dpi.
    void expectCodesRead(const QString &pdf, QPointF cardCornerMm, const char *target, int page = 1)
    {
        const QByteArray expected = encodedText(document.design().objects[1].qr.content);
        for (const Expected &object : Objects) {
            if (object.look != Look::QrCode)
                continue;
            const QRectF mm = toMm(object.rect, cardCornerMm).adjusted(-3, -3, 3, 3);
            const ReadCode read = readQrCode(RenderedPdf::renderWindow(pdf, mm, 12, page).image);
            EXPECT_TRUE(read.found) << object.name << " in " << target;
            EXPECT_EQ(read.bytes, expected) << object.name << " in " << target;
        }
    }

    QRectF toMm(const QRectF &canvas, QPointF cornerMm) const
    {
        const double kx = sheet.cardWidth / 440, ky = sheet.cardHeight / 270;
        return QRectF(cornerMm.x() + canvas.x() * kx, cornerMm.y() + canvas.y() * ky, canvas.width() * kx,
                      canvas.height() * ky);
    }

    std::function<QRectF(const QRectF &)> onPage(QPointF cornerMm) const
    {
        constexpr double k = RenderedPdf::PixelsPerMm;
        return [this, cornerMm](const QRectF &canvas) {
            const QRectF mm = toMm(canvas, cornerMm);
            return QRectF(mm.topLeft() * k, mm.size() * k);
        };
    }

    static bool hasWord(const QString &pdf, const QString &text)
    {
        for (const PdfWord &word : RenderedPdf::words(pdf))
            if (word.text == text)
                return true;
        return false;
    }

    CardDocument document;
    SheetGeometry sheet; // 90 x 50 mm
    QTemporaryDir dir;
};

} // namespace

TEST_F(EveryObject, TheWindowShowsEveryObject)
{
    expectEveryObject(painted(1, CardPainter::Pictures::Screen), [](const QRectF &r) { return r; }, "the window");
}

TEST_F(EveryObject, ARenderShowsEveryObject)
{
    constexpr int scale = 4;
    const QImage render = painted(scale, CardPainter::Pictures::Print);
    expectEveryObject(render, [](const QRectF &r) { return QRectF(r.topLeft() * scale, r.size() * scale); },
                      "a render");
    const QByteArray expected = encodedText(document.design().objects[1].qr.content);
    for (const Expected &object : Objects)
        if (object.look == Look::QrCode)
            EXPECT_EQ(readQrCode(render.copy(QRectF(object.rect.topLeft() * scale, object.rect.size() * scale)
                                                 .adjusted(-20, -20, 20, 20)
                                                 .toRect()))
                          .bytes,
                      expected)
                << object.name;
}

TEST_F(EveryObject, TheSheetShowsEveryObjectAndItsCodesScan)
{
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    ASSERT_TRUE(writeSheetPdf(pdf, PrintedCard::from(document.card()), sheet, 1).isPrinted());
    const QPointF corner = sheet.cardCorners().front();
    expectEveryObject(RenderedPdf::renderPage(pdf), onPage(corner), "the sheet");
    expectCodesRead(pdf, corner, "the sheet");
    EXPECT_TRUE(hasWord(pdf, QStringLiteral("Jansen")));
}

// The see-through logos make the press page flatten what lies under them into its
// background; nothing placed may go missing on the way, and the text stays text.
TEST_F(EveryObject, ThePressPageShowsEveryObjectAndItsCodesScan)
{
    const QString pdf = dir.filePath(QStringLiteral("drukklaar.pdf"));
    PressRequest request;
    request.options = {QSizeF(sheet.cardWidth, sheet.cardHeight), 3, true};
    request.title = QStringLiteral("Jan");
    const PressResult result = writePressPdf(pdf, PrintedCard::from(document.card()), sheet, request);
    ASSERT_TRUE(result.written) << result.message.toStdString();
    const PressGeometry page(request.options, QSizeF(sheet.cardWidth, sheet.cardHeight));
    const QPointF corner = page.cardRect().topLeft();
    expectEveryObject(RenderedPdf::renderPage(pdf), onPage(corner), "the press page");
    expectCodesRead(pdf, corner, "the press page");
    EXPECT_TRUE(hasWord(pdf, QStringLiteral("Jansen")));
}

// A back with the same objects on a ground of its own: page 2 of the press PDF holds every
// one of them, each flattened or drawn over as on the front, and its codes scan; page 1
// stays the front.
TEST_F(EveryObject, ThePressPagesOfBothSidesShowEveryObjectAndTheirCodesScan)
{
    const QColor ground(255, 250, 210);
    editCard(document, [&](Card &card) {
        card.back = CardFace::blankBack(card);
        card.back->canvas.setBackColor(ground);
        card.back->design.objects = card.design.objects;
    });
    const QString pdf = dir.filePath(QStringLiteral("drukklaar.pdf"));
    PressRequest request;
    request.options = {QSizeF(sheet.cardWidth, sheet.cardHeight), 3, true};
    request.title = QStringLiteral("Jan");
    const PressResult result = writePressPdf(pdf, PressFaces::of(document.card()), sheet, request);
    ASSERT_TRUE(result.written) << result.message.toStdString();
    ASSERT_EQ(RenderedPdf::pageCount(pdf), 2);
    const PressGeometry page(request.options, QSizeF(sheet.cardWidth, sheet.cardHeight));
    const QPointF corner = page.cardRect().topLeft();
    const QImage front = RenderedPdf::renderPage(pdf, 1), back = RenderedPdf::renderPage(pdf, 2);
    expectEveryObject(front, onPage(corner), "the press page of the front");
    expectEveryObject(back, onPage(corner), "the press page of the back");
    expectCodesRead(pdf, corner, "the press page of the front", 1);
    expectCodesRead(pdf, corner, "the press page of the back", 2);
    // Where nothing is placed each page shows its own ground.
    const QPoint empty = onPage(corner)(QRectF(200, 30, 1, 1)).center().toPoint();
    EXPECT_GT(qBlue(front.pixel(empty)), 240);
    EXPECT_LT(qBlue(back.pixel(empty)), 235);
    EXPECT_GT(qRed(back.pixel(empty)), 235);
}
