#include "PressFixture.h"
#include "background/Verloopkleur.h"
#include "press/PressPage.h"
#include "press/PressPdf.h"
#include "support/ImageCompare.h"
#include "support/StandInHelper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Pixels of a rendered page against the pixels they should show, compared as pictures.
struct Samples {
    std::vector<QRgb> got, wanted;
    void add(QRgb a, QRgb b) { got.push_back(a), wanted.push_back(b); }
    double psnr() const
    {
        const auto picture = [](const std::vector<QRgb> &pixels) {
            QImage image(int(pixels.size()), 1, QImage::Format_RGB32);
            std::copy(pixels.begin(), pixels.end(), reinterpret_cast<QRgb *>(image.scanLine(0)));
            return image;
        };
        return ImageCompare::psnr(picture(got), picture(wanted));
    }
};

class PressPdf : public testing::Test {
protected:
    PressResult write(const PressFaces &card, const PressRequest &request, const Ghostscript::Setup &gs = {})
    {
        return writePressPdf(pdf, card, sheet, request, gs);
    }
    // The PDF with every stream decompressed and objects spelled out, as qpdf writes it.
    QByteArray opened()
    {
        const QString qdf = dir.filePath(QStringLiteral("open.pdf"));
        runTool(QStringLiteral("qpdf"),
                {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"), pdf, qdf});
        QFile file(qdf);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The page as Qt's PDF alone, before Ghostscript, rendered by poppler at 300 dpi.
    QImage renderedAt300Dpi(const PrintedCard &card, const PressGeometry &page)
    {
        QFile file(pdf);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(pressPagePdf(card, sheet, page, QStringLiteral("Jan")));
        file.close();
        const QString png = dir.filePath(QStringLiteral("page"));
        runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                                             QStringLiteral("-singlefile"), pdf, png});
        return QImage(png + QStringLiteral(".png"));
    }

    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("drukklaar.pdf"));
    SheetGeometry sheet; // the card's own size: 90 x 50 mm
};

// The boxes as a print shop's preflight reads them, for the common trim sizes and a card
// of its own size, each with no, the usual and the largest bleed.
TEST_F(PressPdf, BoxesAreExactForEveryTrimAndBleed)
{
    const PrintedCard card = pressCard(plainPicture(QColor(20, 90, 160)));
    const double room = PressGeometry::MarkRoom;
    for (const QSizeF trim : {QSizeF(85, 55), QSizeF(90, 50), QSizeF(88.7, 52.3)}) {
        for (const double bleed : {0.0, 3.0, 5.0}) {
            SCOPED_TRACE(QStringLiteral("%1 x %2, bleed %3").arg(trim.width()).arg(trim.height()).arg(bleed).toStdString());
            PressRequest request;
            request.options = {trim, bleed, true};
            request.title = QStringLiteral("Jan");
            ASSERT_TRUE(write(card, request).written);
            const QRectF media = pdfBoxMm(pdf, QStringLiteral("MediaBox"));
            const QRectF bleedBox = pdfBoxMm(pdf, QStringLiteral("BleedBox"));
            const QRectF trimBox = pdfBoxMm(pdf, QStringLiteral("TrimBox"));
            EXPECT_NEAR(media.width(), trim.width() + 2 * (bleed + room), 0.01);
            EXPECT_NEAR(media.height(), trim.height() + 2 * (bleed + room), 0.01);
            EXPECT_NEAR(bleedBox.left() - media.left(), room, 0.01);
            EXPECT_NEAR(bleedBox.top() - media.top(), room, 0.01); // pdfinfo's top is the box's y1
            EXPECT_NEAR(bleedBox.width(), trim.width() + 2 * bleed, 0.01);
            EXPECT_NEAR(bleedBox.height(), trim.height() + 2 * bleed, 0.01);
            EXPECT_NEAR(trimBox.left() - media.left(), room + bleed, 0.01);
            EXPECT_NEAR(trimBox.top() - media.top(), room + bleed, 0.01);
            EXPECT_NEAR(trimBox.width(), trim.width(), 0.01);
            EXPECT_NEAR(trimBox.height(), trim.height(), 0.01);
        }
    }
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Jan\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}

// A card with a back: the back is page 2 with the front's boxes, bleed and crop marks and
// through the same colours, drawn as designed (a press registers the sides itself).
TEST_F(PressPdf, ABackIsPageTwoWithTheFrontsBoxesBleedAndMarksUnmirrored)
{
    const PrintedCard front = pressCard(plainPicture(QColor(20, 90, 160)));
    QImage halves = plainPicture(QColor(230, 120, 20)); // orange on the left, green on the right
    QPainter(&halves).fillRect(880, 0, 880, 1080, QColor(40, 160, 60));
    PrintedCard back = pressCard(halves);
    back.layoutKind = 1;
    back.textLines = {};
    back.textLines[4] = QStringLiteral("Achterzijde");
    PressRequest request;
    request.options = {QSizeF(85, 55), 3, true}; // not the card's shape: both scaled and cut alike
    request.title = QStringLiteral("Jan");
    ASSERT_TRUE(write({front, back}, request).written);
    EXPECT_TRUE(runTool(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    for (const QString &name : {QStringLiteral("MediaBox"), QStringLiteral("BleedBox"), QStringLiteral("TrimBox")}) {
        const QRectF first = pdfBoxMm(pdf, name, 1), second = pdfBoxMm(pdf, name, 2);
        ASSERT_FALSE(second.isEmpty()) << name.toStdString();
        EXPECT_NEAR(second.left(), first.left(), 0.01) << name.toStdString();
        EXPECT_NEAR(second.top(), first.top(), 0.01) << name.toStdString();
        EXPECT_NEAR(second.width(), first.width(), 0.01) << name.toStdString();
        EXPECT_NEAR(second.height(), first.height(), 0.01) << name.toStdString();
    }
    EXPECT_NEAR(pdfBoxMm(pdf, QStringLiteral("TrimBox"), 2).width(), 85, 0.01);
    EXPECT_NEAR(pdfBoxMm(pdf, QStringLiteral("BleedBox"), 2).height(), 61, 0.01);
    EXPECT_TRUE(runTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"), pdf, QStringLiteral("-")})
                    .contains(QStringLiteral("Achterzijde")));
    EXPECT_FALSE(opened().contains("/DeviceRGB")) << "both pages in CMYK";

    const auto rendered = [&](int number) {
        const QString png = dir.filePath(QStringLiteral("page%1").arg(number));
        runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-f"), QString::number(number), QStringLiteral("-l"),
                                             QString::number(number), QStringLiteral("-r"), QStringLiteral("254"),
                                             QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, png});
        return QImage(png + QStringLiteral(".png"));
    };
    const QImage one = rendered(1), two = rendered(2);
    ASSERT_FALSE(two.isNull());
    ASSERT_EQ(one.size(), two.size());
    const PressGeometry page(request.options, QSizeF(90, 50));
    const QRectF bleed = page.bleedBox(), trim = page.trimBox();
    const auto at = [](const QImage &image, double mmX, double mmY) { return image.pixelColor(int(mmX * 10), int(mmY * 10)); };
    // The bleed continues each page's own picture on its own side: the back's left stays left.
    const double middle = trim.center().y();
    for (const double out : {0.5, 2.5}) {
        const QColor frontLeft = at(one, trim.left() - out, middle);
        const QColor backLeft = at(two, trim.left() - out, middle), backRight = at(two, trim.right() + out, middle);
        EXPECT_GT(frontLeft.blue(), frontLeft.red() + 60) << out;
        EXPECT_GT(backLeft.red(), backLeft.blue() + 80) << out;
        EXPECT_GT(backLeft.red(), backLeft.green() + 40) << out;
        EXPECT_GT(backRight.green(), backRight.red() + 40) << out;
    }
    // Beyond the bleed box only the crop marks, at the same places on both pages.
    int marks = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x) {
            if (bleed.adjusted(-0.3, -0.3, 0.3, 0.3).contains(QPointF(x + 0.5, y + 0.5) / 10))
                continue;
            const bool inked = qGray(one.pixel(x, y)) < 220;
            marks += inked;
            ASSERT_EQ(inked, qGray(two.pixel(x, y)) < 220) << x << ", " << y;
        }
    EXPECT_GT(marks, 8 * 40) << "eight marks of 5 mm";
}

TEST_F(PressPdf, IsPdfX3WithTheFogra39IntentFontsEmbeddedAndNoRgbLeft)
{
    PressRequest request;
    ASSERT_TRUE(write(pressCard(gradientPicture()), request).written);
    const QString fonts = runTool(QStringLiteral("pdffonts"), {pdf});
    const QStringList rows = fonts.split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(rows.isEmpty()) << fonts.toStdString();
    for (const QString &row : rows)
        EXPECT_TRUE(row.contains(QRegularExpression(QStringLiteral("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$"))))
            << row.toStdString();
    const QByteArray text = opened();
    EXPECT_TRUE(text.contains("/GTS_PDFXVersion (PDF/X-3:2002)"));
    EXPECT_TRUE(text.contains("/OutputConditionIdentifier (FOGRA39)"));
    EXPECT_TRUE(text.contains("/DestOutputProfile"));
    EXPECT_TRUE(text.contains("Lumovander FOGRA39")); // the profile itself, embedded
    EXPECT_FALSE(text.contains("/DeviceRGB"));
    EXPECT_FALSE(text.contains(" rg\n"));
}

// PDF/X-3 allows nothing see-through; left to Ghostscript, a half-transparent logo turns
// the whole page into one picture, text and all.
TEST_F(PressPdf, ASeeThroughLogoIsPaintedIntoTheBackgroundAndTextStaysText)
{
    PrintedCard card = pressCard(gradientPicture());
    PlacedObject logo;
    logo.rect = QRectF(300, 150, 100, 60);
    logo.logo.bitmap = QImage(400, 240, QImage::Format_ARGB32_Premultiplied);
    logo.logo.bitmap.fill(QColor(200, 0, 0, 128));
    card.design.objects.push_back(logo);
    ASSERT_TRUE(write(card, {}).written);
    EXPECT_TRUE(runTool(QStringLiteral("pdffonts"), {pdf}).contains(QStringLiteral("LiberationSans")));
    const QStringList images = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .split('\n', Qt::SkipEmptyParts)
                                   .mid(2);
    ASSERT_EQ(images.size(), 1);
    EXPECT_TRUE(images.first().contains(QRegularExpression(QStringLiteral("\\s600\\s+600\\s")))) << images.first().toStdString();
    EXPECT_FALSE(opened().contains("/SMask "));
}

TEST_F(PressPdf, RgbChoiceKeepsRgbWithSrgbAsItsIntent)
{
    PressRequest request;
    request.colour = PressColour::Rgb;
    ASSERT_TRUE(write(pressCard(gradientPicture()), request).written);
    const QByteArray text = opened();
    EXPECT_TRUE(text.contains("/OutputConditionIdentifier (sRGB IEC61966-2.1)"));
    EXPECT_TRUE(text.contains("/DeviceRGB"));
    EXPECT_FALSE(text.contains("/GTS_PDFXVersion"));
}

// Black text on white: Ghostscript's own separations show ink on the black plate alone.
TEST_F(PressPdf, BlackTextSeparatesToTheBlackPlateAlone)
{
    PressRequest request;
    ASSERT_TRUE(write(pressCard(plainPicture(Qt::white)), request).written);
    const QString plates = dir.filePath(QStringLiteral("plate.tif"));
    runTool(QStringLiteral("gs"), {QStringLiteral("-q"), QStringLiteral("-dBATCH"), QStringLiteral("-dNOPAUSE"),
                                   QStringLiteral("-sDEVICE=tiffsep"), QStringLiteral("-r150"),
                                   QStringLiteral("-sOutputFile=") + plates, pdf});
    const auto inked = [&](const QString &plate) {
        const QImage image(dir.filePath(QStringLiteral("plate(%1).tif").arg(plate)));
        EXPECT_FALSE(image.isNull()) << plate.toStdString();
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        const uchar paper = gray.constScanLine(0)[0];
        int count = 0;
        for (int y = 0; y < gray.height(); ++y)
            for (int x = 0; x < gray.width(); ++x)
                count += std::abs(gray.constScanLine(y)[x] - paper) > 8;
        return count;
    };
    EXPECT_GT(inked(QStringLiteral("Black")), 500);
    EXPECT_EQ(inked(QStringLiteral("Cyan")), 0);
    EXPECT_EQ(inked(QStringLiteral("Magenta")), 0);
    EXPECT_EQ(inked(QStringLiteral("Yellow")), 0);
}

// The bleed strip, rendered at 300 dpi, continues the background as its mirror image
// across the trim: never white, and each pixel outside matches its twin inside.
TEST_F(PressPdf, BleedContinuesThePictureMirroredAtTheTrim)
{
    const PressGeometry page({QSizeF(90, 50), 3, true}, QSizeF(90, 50));
    PrintedCard card = pressCard(gradientPicture());
    card.textLines = {};
    const QImage rendered = renderedAt300Dpi(card, page);
    ASSERT_FALSE(rendered.isNull());
    const double px = 300 / 25.4;
    const QRectF trim = page.trimBox();
    // Pixel i's centre mirrored across the line at t (in pixels) falls in pixel twin(i).
    const auto twin = [](int i, double t) { return int(std::floor(2 * t - (i + 0.5))); };
    Samples samples;
    const auto compare = [&](QPoint outside, QPoint inside) {
        EXPECT_NE(rendered.pixel(outside), qRgb(255, 255, 255));
        samples.add(rendered.pixel(outside), rendered.pixel(inside));
    };
    for (double along = 5; along < 45; along += 2.5) {
        for (double out = 0.3; out < 2.8; out += 0.5) {
            const int x = int((trim.left() - out) * px), y = int((trim.top() + along) * px);
            compare(QPoint(x, y), QPoint(twin(x, trim.left() * px), y));
            const int bx = int((trim.left() + along * 1.5) * px), by = int((trim.bottom() + out) * px);
            compare(QPoint(bx, by), QPoint(bx, twin(by, trim.bottom() * px)));
        }
    }
    EXPECT_GT(samples.psnr(), 30);
    // Beyond the bleed box the page stays paper.
    EXPECT_EQ(rendered.pixel(qRound((page.bleedBox().left() - 0.5) * px), qRound(25 * px)), qRgb(255, 255, 255));
}

// A card taller than the trim is cut above and below: there the bleed is the card's own
// picture, pixel for pixel where the card has it, and no mirror image.
TEST_F(PressPdf, WhereTheCardReachesBeyondTheTrimItsOwnPixelsFillTheBleed)
{
    sheet.cardWidth = 90;
    sheet.cardHeight = 60;
    const PressGeometry page({QSizeF(90, 50), 3, true}, QSizeF(90, 60));
    const QRectF cardRect = page.cardRect();
    ASSERT_NEAR(page.trimBox().top() - cardRect.top(), 5, 1e-9);
    PrintedCard card = pressCard(gradientPicture());
    card.textLines = {};
    const QImage rendered = renderedAt300Dpi(card, page);
    ASSERT_FALSE(rendered.isNull());
    const double px = 300 / 25.4;
    const QRectF trim = page.trimBox();
    Samples samples;
    for (double along = 5; along < 85; along += 2.3) {
        for (double out = 0.3; out < 2.8; out += 0.5) {
            for (const double mmY : {trim.top() - out, trim.bottom() + out}) {
                const double mmX = trim.left() + along;
                samples.add(rendered.pixel(int(mmX * px), int(mmY * px)),
                            card.canvasPrint.pixel(int((mmX - cardRect.left()) * 1760 / cardRect.width()),
                                                   int((mmY - cardRect.top()) * 1080 / cardRect.height())));
            }
        }
    }
    EXPECT_GT(samples.psnr(), 30);
}

// A gradient nothing was drawn over runs on into the bleed by its own rule: along the left
// edge the diagonal keeps darkening outwards, where a mirror would brighten again.
TEST_F(PressPdf, BleedContinuesAGradientByItsOwnRule)
{
    const PressGeometry page({QSizeF(90, 50), 3, true}, QSizeF(90, 50));
    QImage canvas(Gradients::CardSize, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    ASSERT_TRUE(Verloopkleur(canvas, 21)); // the grey diagonal
    PrintedCard card = pressCard(canvas.scaled(1760, 1080, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    card.canvas = canvas;
    card.textLines = {};
    const QImage rendered = renderedAt300Dpi(card, page);
    ASSERT_FALSE(rendered.isNull());
    const double px = 300 / 25.4;
    const QRectF trim = page.trimBox();
    // The rule on the card's own pixels: x + y up to the card's width, 710 - (x + y) beyond.
    const auto rule = [](double x, double y) {
        const double s = x + y;
        return std::clamp(s <= 440 ? s : 710 - s, 0.0, 255.0);
    };
    const auto at = [&](double mmX, double mmY) {
        return qRed(rendered.pixel(int(mmX * px), int(mmY * px)));
    };
    const auto cardX = [&](double mmX) { return (mmX - trim.left()) * 440 / 90; };
    const auto cardY = [&](double mmY) { return (mmY - trim.top()) * 270 / 50; };
    for (double out = 0.5; out < 2.8; out += 0.5) {
        for (double along = 5; along < 45; along += 5) {
            const double x = trim.left() - out, y = trim.top() + along;
            EXPECT_NEAR(at(x, y), rule(cardX(x), cardY(y)), 4) << "left, " << out << " mm out";
            const double bx = trim.left() + along * 1.8, by = trim.bottom() + out;
            EXPECT_NEAR(at(bx, by), rule(cardX(bx), cardY(by)), 4) << "bottom, " << out << " mm out";
            const double rx = trim.right() + out;
            EXPECT_NEAR(at(rx, y), rule(cardX(rx), cardY(y)), 4) << "right, " << out << " mm out";
        }
    }
    // Mirrored, 2.5 mm out on the left would show x + y of 12 pixels inside: 24 lighter.
    const double x = trim.left() - 2.5, y = trim.top() + 25;
    EXPECT_LT(at(x, y), rule(-cardX(x), cardY(y)) - 16);
}

class GhostscriptFailure : public PressPdf {
protected:
    void expectNothingWritten(const PressResult &result, const QString &said)
    {
        EXPECT_FALSE(result.written);
        EXPECT_TRUE(result.message.contains(said)) << result.message.toStdString();
        QFile earlier(pdf);
        ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
        EXPECT_EQ(earlier.readAll(), QByteArray("earlier"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
    void SetUp() override
    {
        QFile earlier(pdf);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    QTemporaryDir helpers;
    PrintedCard card = pressCard(plainPicture(Qt::white));
};

TEST_F(GhostscriptFailure, MissingLeavesTheEarlierFile)
{
    expectNothingWritten(write(card, {}, {QStringLiteral("/nonexistent/gs"), 5000}),
                         QStringLiteral("Ghostscript ontbreekt; installeer het pakket ghostscript"));
}

TEST_F(GhostscriptFailure, FailingLeavesTheEarlierFile)
{
    const QString gs = standInHelper(helpers, QStringLiteral("gs"), "echo 'Error: /undefined' >&2\nexit 1");
    expectNothingWritten(write(card, {}, {gs, 5000}), QStringLiteral("Ghostscript kon de drukklare PDF niet maken"));
}

TEST_F(GhostscriptFailure, TooSlowIsStoppedAndLeavesTheEarlierFile)
{
    const QString gs = standInHelper(helpers, QStringLiteral("gs"), "touch drukklaar.pdf\nexec sleep 30");
    QElapsedTimer timer;
    timer.start();
    expectNothingWritten(write(card, {}, {gs, 500}), QStringLiteral("Ghostscript was na 0,5 s nog niet klaar"));
    EXPECT_LT(timer.elapsed(), 15000); // killed, not waited for
}

} // namespace
