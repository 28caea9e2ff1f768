#include "background/Verloopkleur.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb Marker = 0xff010203u;

QImage drawnOver(QSize size, int n, QRgb start = Marker)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(start);
    EXPECT_TRUE(Verloopkleur(image, n));
    return image;
}

QImage card(int n) { return drawnOver(Gradients::CardSize, n); }
QImage preview(int n) { return drawnOver(Gradients::PreviewSize, n); }

void expectRow(const QImage &image, int y, QRgb color)
{
    for (int x : {0, 1, image.width() / 2, image.width() - 1})
        EXPECT_EQ(image.pixel(x, y), color) << "row " << y << " column " << x;
}

void expectColumn(const QImage &image, int x, QRgb color)
{
    for (int y : {0, 1, image.height() / 2, image.height() - 1})
        EXPECT_EQ(image.pixel(x, y), color) << "column " << x << " row " << y;
}

bool coversEveryPixel(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == Marker)
                return false;
    return true;
}

} // namespace

TEST(Gradient, TopToBottomRedReachesFullRedAtRow255)
{
    const QImage image = card(1);
    expectRow(image, 0, qRgb(0, 0, 0));
    expectRow(image, 100, qRgb(100, 0, 0));
    expectRow(image, 254, qRgb(254, 0, 0));
    expectRow(image, 255, qRgb(255, 0, 0));
    expectRow(image, 269, qRgb(255, 0, 0));
}

TEST(Gradient, TopToBottomCyanLightsGreenAndBlue)
{
    const QImage image = card(5);
    expectRow(image, 0, qRgb(0, 0, 0));
    expectRow(image, 200, qRgb(0, 200, 200));
    expectRow(image, 255, qRgb(0, 255, 255));
    expectRow(image, 269, qRgb(0, 255, 255));
}

TEST(Gradient, BottomToTopIsFullRedInTheTopSixteenRows)
{
    const QImage image = card(8);
    expectRow(image, 0, qRgb(255, 0, 0));
    expectRow(image, 15, qRgb(255, 0, 0));
    expectRow(image, 16, qRgb(254, 0, 0));
    expectRow(image, 200, qRgb(70, 0, 0));
    expectRow(image, 269, qRgb(1, 0, 0));
}

TEST(Gradient, DiagonalOnTheCardFollowsXPlusY)
{
    const QImage image = card(15);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(100, 50), qRgb(150, 0, 0));
    EXPECT_EQ(image.pixel(0, 254), qRgb(254, 0, 0));
    EXPECT_EQ(image.pixel(200, 55), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(300, 140), qRgb(255, 0, 0)); // x + y = 440: both families
    EXPECT_EQ(image.pixel(439, 16), qRgb(255, 0, 0));  // x + y = 455
    EXPECT_EQ(image.pixel(439, 17), qRgb(254, 0, 0));  // x + y = 456
    EXPECT_EQ(image.pixel(300, 250), qRgb(160, 0, 0)); // x + y = 550
    EXPECT_EQ(image.pixel(439, 269), qRgb(2, 0, 0));
    EXPECT_TRUE(coversEveryPixel(image));
}

TEST(Gradient, HorizontalBandIsFullRedInTheMiddleRows)
{
    const QImage image = card(22);
    expectRow(image, 0, qRgb(0, 0, 0));
    expectRow(image, 1, qRgb(2, 0, 0));
    expectRow(image, 127, qRgb(254, 0, 0));
    expectRow(image, 128, qRgb(255, 0, 0));
    expectRow(image, 135, qRgb(255, 0, 0));
    expectRow(image, 142, qRgb(255, 0, 0));
    expectRow(image, 143, qRgb(254, 0, 0));
    expectRow(image, 269, qRgb(2, 0, 0)); // row 270, the black one, lies below the card
}

TEST(Gradient, FrameGrowsRedderInwards)
{
    const QImage image = card(29);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(0, 200), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(439, 100), qRgb(2, 0, 0)); // the outermost right side lies outside
    EXPECT_EQ(image.pixel(128, 200), qRgb(140, 0, 0)); // bottom side of inset 70
    EXPECT_EQ(image.pixel(127, 127), qRgb(254, 0, 0));
    EXPECT_EQ(image.pixel(128, 128), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(220, 135), qRgb(255, 0, 0));
}

TEST(Gradient, GreyFrameReplacesEveryPixelOfAPhoto)
{
    QImage image(Gradients::CardSize, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y, (x * y) % 253 + 1));
    ASSERT_TRUE(Verloopkleur(image, 35));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ASSERT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel)) << x << "," << y;
        }
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(5, 100), qRgb(10, 10, 10));
    EXPECT_EQ(image.pixel(220, 135), qRgb(255, 255, 255));
}

TEST(Gradient, VerticalBandReaches220NotFullInTheMiddle)
{
    const QImage image = card(36);
    expectColumn(image, 0, qRgb(0, 0, 0));
    expectColumn(image, 100, qRgb(100, 0, 0));
    expectColumn(image, 220, qRgb(220, 0, 0));
    expectColumn(image, 340, qRgb(100, 0, 0));
    expectColumn(image, 439, qRgb(1, 0, 0));
}

TEST(Gradient, VerticalBandGreyIsSymmetric)
{
    const QImage image = card(42);
    expectColumn(image, 100, qRgb(100, 100, 100));
    expectColumn(image, 340, qRgb(100, 100, 100));
}

TEST(Gradient, SchemesFollowTheNumberWithinAPattern)
{
    const QRgb expected[7] = {qRgb(100, 0, 0),   qRgb(0, 100, 0),   qRgb(0, 0, 100),    qRgb(100, 100, 0),
                              qRgb(0, 100, 100), qRgb(100, 0, 100), qRgb(100, 100, 100)};
    for (int s = 1; s <= 7; ++s)
        EXPECT_EQ(card(35 + s).pixel(100, 50), expected[s - 1]) << "gradient " << 35 + s;
}

TEST(Gradient, PreviewIsDarkerThanTheCard)
{
    expectRow(preview(1), 134, qRgb(134, 0, 0));
    expectRow(preview(8), 0, qRgb(135, 0, 0));
    // The half of 135 is 67.5: the band loop stops at 67, so row 67 and row 68 meet at 134.
    expectRow(preview(22), 67, qRgb(134, 0, 0));
    expectRow(preview(22), 68, qRgb(134, 0, 0));
    EXPECT_EQ(preview(29).pixel(110, 67), qRgb(134, 0, 0));
    expectColumn(preview(36), 110, qRgb(110, 0, 0));
}

TEST(Gradient, DiagonalInThePreviewLeavesAWedgeOfWhatWasThere)
{
    QImage image(Gradients::PreviewSize, QImage::Format_RGB32);
    image.fill(Marker);
    ASSERT_TRUE(Verloopkleur(image, 36));
    ASSERT_TRUE(Verloopkleur(image, 15));
    // Below x + y = 220 and left of the line (220, 0)-(170, 135): gradient 36 still.
    EXPECT_EQ(image.pixel(100, 130), qRgb(100, 0, 0));
    EXPECT_EQ(image.pixel(150, 100), qRgb(70, 0, 0));
    // The first family up to x + y = 220.
    EXPECT_EQ(image.pixel(50, 50), qRgb(100, 0, 0));
    EXPECT_EQ(image.pixel(219, 1), qRgb(220, 0, 0));
    // The second family's steep lines: i = 0 sets (219, 2); i = 0 and then i = 1 set (210, 27).
    EXPECT_EQ(image.pixel(219, 2), qRgb(135, 0, 0));
    EXPECT_EQ(image.pixel(210, 27), qRgb(134, 0, 0));
}

TEST(Gradient, NumbersOutsideTheRangeDrawNothing)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Marker);
    EXPECT_FALSE(Verloopkleur(image, 0));
    EXPECT_FALSE(Verloopkleur(image, 43));
    EXPECT_EQ(image.pixel(0, 0), Marker);
    QImage empty;
    EXPECT_FALSE(Verloopkleur(empty, 1));
}

// The bleed of a press page continues the gradient: inside the card it must be the very
// picture Verloopkleur draws, for every number, or the bleed would not meet the card.
TEST(GradientBeyond, InsideTheCardItIsTheDrawnGradientForEveryNumber)
{
    const QMargins beyond(17, 5, 9, 23);
    for (int n = Gradients::First; n <= Gradients::Last; ++n) {
        const QImage extended = gradientBeyond(n, beyond);
        ASSERT_EQ(extended.size(), QSize(440 + 26, 270 + 28));
        ASSERT_EQ(extended.copy(QRect(QPoint(17, 5), Gradients::CardSize)), card(n)) << "gradient " << n;
    }
}

// Outside, each pattern's rule runs on rather than turning back as a mirror would.
TEST(GradientBeyond, OutsideEachPatternsRuleRunsOn)
{
    const QMargins beyond(20, 20, 20, 20);
    const auto red = [&](int n, int x, int y) { return qRed(gradientBeyond(n, beyond).pixel(x + 20, y + 20)); };
    EXPECT_EQ(red(1, 10, -10), 0);     // top to bottom: darker upwards, held at 0
    EXPECT_EQ(red(8, 10, -10), 255);   // bottom to top: above the card it stays full
    EXPECT_EQ(red(15, -15, 100), 85);  // diagonal, first family: x + y (a mirror gives 114)
    EXPECT_EQ(red(15, 450, 200), 60);  // second family: 710 - (x + y) (a mirror gives 80)
    EXPECT_EQ(red(22, 100, 5), 10);    // horizontal band: twice the distance to the nearer edge
    EXPECT_EQ(red(22, 100, -10), 0);
    EXPECT_EQ(red(22, 100, 280), 0);
    EXPECT_EQ(red(29, -5, 100), 0);    // frame: darker outwards
    EXPECT_EQ(red(29, 6, 100), 12);
    EXPECT_EQ(red(36, 300, -10), 140); // vertical band: the column alone counts
    EXPECT_EQ(red(36, 438, 100), 2);
    EXPECT_EQ(red(36, 445, 100), 0);
    EXPECT_TRUE(gradientBeyond(0, beyond).isNull());
    EXPECT_TRUE(gradientBeyond(1, QMargins(-1, 0, 0, 0)).isNull());
}

TEST(GradientBeyond, ACardShowsItsGradientUntilAnythingIsDrawnOverIt)
{
    for (int n = Gradients::First; n <= Gradients::Last; ++n)
        ASSERT_EQ(shownGradient(card(n)), n);
    QImage touched = card(22);
    touched.setPixel(300, 200, qRgb(1, 2, 3));
    EXPECT_EQ(shownGradient(touched), 0);
    EXPECT_EQ(shownGradient(preview(22)), 0);
    QImage plain(Gradients::CardSize, QImage::Format_RGB32);
    plain.fill(Qt::black);
    EXPECT_EQ(shownGradient(plain), 0);
}
