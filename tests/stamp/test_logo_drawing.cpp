// A logo's SVG is drawn in pixels only by the helper, within its limits: what the helper
// cannot draw in time is refused by name, what it draws is kept with the logo, and every
// picture of the logo in pixels is made from those pixels, paper from the paths.
#include "core/DesignPainter.h"
#include "stamp/DecoderProcess.h"
#include "stamp/LogoLoader.h"
#include "stamp/SvgPixels.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

namespace {

// One path of 250 thin teeth: 1,000 coordinates, far within the rewriting's caps, and
// minutes of work for Qt's rasteriser at a logo's size.
QByteArray comb()
{
    QByteArray d = "M0 0";
    for (int i = 0; i < 250; ++i)
        d += " L" + QByteArray::number(i * 4 + 2) + " 1000 L" + QByteArray::number(i * 4 + 4) + " 0";
    return R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 1000 1000"><path d=")" + d + R"( Z"/></svg>)";
}

// Red on the left half, half-transparent blue on the right.
const QByteArray HalfClear = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 20 10">)"
                             R"(<rect width="10" height="10" fill="#ff0000"/>)"
                             R"(<rect x="10" width="10" height="10" fill="#0000ff" fill-opacity="0.5"/></svg>)";

} // namespace

TEST(LogoDrawing, ACombThatKeepsTheRasteriserBusyIsRefusedByNameWithinTheHelpersLimit)
{
    QElapsedTimer timer;
    timer.start();
    const LogoLoader::Loaded loaded = LogoLoader::fromBytes(comb(), QStringLiteral("Kam.svg"));
    EXPECT_EQ(loaded.fault.toStdString(), "\"Kam.svg\" kon niet als logo worden geopend: de tekening kost te veel "
                                          "rekenwerk (niet binnen 5 seconden en 700 MB getekend).");
    EXPECT_TRUE(loaded.logo.isNull());
    std::printf("[ figure ] a 250-tooth comb refused after %.1f s\n", timer.elapsed() / 1000.0);
}

TEST(LogoDrawing, AKeptSvgCarriesItsPixelsInItsOwnShapeWithTheirTransparency)
{
    const LogoLoader::Loaded loaded = LogoLoader::fromBytes(HalfClear, QStringLiteral("logo.svg"));
    ASSERT_TRUE(loaded) << loaded.fault.toStdString();
    const QImage &drawn = loaded.logo.drawn;
    ASSERT_EQ(drawn.size(), QSize(SvgPixels::DrawnSide, SvgPixels::DrawnSide / 2));
    EXPECT_EQ(drawn.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(drawn.pixel(600, 600), qRgba(255, 0, 0, 255));
    const QRgb clear = drawn.pixel(1800, 600);
    EXPECT_NEAR(qAlpha(clear), 128, 1);
    EXPECT_NEAR(qBlue(clear), 128, 1) << "premultiplied, as it was drawn";
    EXPECT_EQ(qRed(clear), 0);
    EXPECT_EQ(SvgPixels::sizeFor(QSizeF(10, 40)), QSize(600, SvgPixels::DrawnSide));
}

// Pictures in pixels come from the helper's pixels, never from drawing the SVG in the
// program's own process; paper and PDFs keep the paths.
TEST(LogoDrawing, PixelsComeFromTheHelpersDrawingAndPaperFromThePaths)
{
    LogoPicture logo;
    logo.svg = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 20 10"><rect width="20" height="10" fill="#0000ff"/></svg>)";
    logo.drawn = QImage(40, 20, QImage::Format_ARGB32_Premultiplied);
    logo.drawn.fill(Qt::red);

    QImage screen(200, 100, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::white);
    QPainter onScreen(&screen);
    DesignPainter::drawLogo(onScreen, logo, QRectF(0, 0, 200, 100));
    onScreen.end();
    EXPECT_EQ(QColor(screen.pixel(100, 50)), QColor(Qt::red));

    QPicture paper;
    QPainter onPaper(&paper);
    DesignPainter::drawLogo(onPaper, logo, QRectF(0, 0, 200, 100));
    onPaper.end();
    QImage played(200, 100, QImage::Format_ARGB32_Premultiplied);
    played.fill(Qt::white);
    QPainter replay(&played);
    paper.play(&replay);
    replay.end();
    EXPECT_EQ(QColor(played.pixel(100, 50)), QColor(Qt::blue));
}

// A helper's answer with transparency is held to premultiplied colours.
TEST(LogoDrawing, AGarbledAnswerWithTransparencyIsHeldToPremultipliedColours)
{
    QByteArray answer("LSVG\001\000\000\000\001\000\000\000", 12);
    const quint32 pixel = qRgba(200, 10, 90, 50);
    answer.append(reinterpret_cast<const char *>(&pixel), 4);
    const QImage image = DecoderProcess::readAnswer(answer, "LSVG", true);
    ASSERT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(image.pixel(0, 0), qRgba(50, 10, 50, 50));
    EXPECT_EQ(DecoderProcess::readAnswer(answer, "LSVG").pixel(0, 0), qRgba(200, 10, 90, 255));
}
