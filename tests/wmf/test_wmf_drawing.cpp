// The metafile drawing layer, in process: one metafile per kind of record, made here,
// compared by pixels.
#include "support/WmfWriter.h"
#include "wmf/WmfDrawing.h"

#include <gtest/gtest.h>

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Black = qRgb(0, 0, 0);

// A 100 x 100 unit picture at one unit a pixel.
const QRect Box(0, 0, 100, 100);

QImage drawn(const WmfWriter &w, QRect box = Box)
{
    return WmfDrawing::draw(w.placeable(box));
}

int count(const QImage &image, QRect area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

bool dark(QRgb p) { return qGray(p) < 128; }

int darkPixels(const QImage &image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += dark(image.pixel(x, y));
    return n;
}

TEST(WmfDrawing, FilledEllipseIsFilledInsideItsOutline)
{
    WmfWriter w;
    w.brush(Blue).pen(Red, 2).ellipse(10, 20, 90, 80);
    const QImage image = drawn(w);
    ASSERT_EQ(image.size(), QSize(100, 100));
    EXPECT_EQ(count(image, QRect(40, 40, 20, 20), Blue), 400);
    EXPECT_EQ(image.pixel(10, 50), Red);
    EXPECT_EQ(image.pixel(50, 20), Red);
    for (QPoint corner : {QPoint(12, 22), QPoint(88, 78), QPoint(50, 10), QPoint(5, 50)})
        EXPECT_EQ(image.pixel(corner), White) << corner.x() << "," << corner.y();
}

TEST(WmfDrawing, PenWidthAndStyleShapeTheOutline)
{
    WmfWriter w;
    w.nullBrush().pen(Red, 1).line({10, 20}, {90, 20}).pen(Blue, 9).line({10, 60}, {90, 60});
    w.pen(Black, 1, 5).line({10, 80}, {90, 80}); // no pen: nothing
    const QImage image = drawn(w);
    EXPECT_EQ(count(image, QRect(20, 20, 60, 1), Red), 60) << "a thin line lights its own row";
    EXPECT_EQ(count(image, QRect(20, 19, 60, 1), White) + count(image, QRect(20, 21, 60, 1), White), 120);
    EXPECT_EQ(count(image, QRect(20, 56, 60, 9), Blue), 60 * 9) << "a nine unit pen is nine pixels wide";
    EXPECT_EQ(count(image, QRect(20, 55, 60, 1), White) + count(image, QRect(20, 65, 60, 1), White), 120);
    EXPECT_EQ(count(image, QRect(0, 70, 100, 20), White), 100 * 20);
}

TEST(WmfDrawing, RectanglesPolygonsAndPolyPolygonFillByTheirRule)
{
    WmfWriter w;
    w.nullPen().brush(Red).rectangle(0, 0, 50, 20).roundRect(60, 0, 100, 20, 10, 10);
    w.brush(Blue).polygon({{0, 30}, {40, 30}, {0, 70}});
    // A square with a square inside: a hole with alternate filling, none with winding.
    const QVector<QPoint> outer{{50, 30}, {90, 30}, {90, 70}, {50, 70}};
    const QVector<QPoint> inner{{60, 40}, {80, 40}, {80, 60}, {60, 60}};
    w.polyFillMode(1).polyPolygon({outer, inner});
    const QVector<QPoint> outer2{{0, 75}, {40, 75}, {40, 99}, {0, 99}};
    const QVector<QPoint> inner2{{10, 80}, {30, 80}, {30, 95}, {10, 95}};
    w.polyFillMode(2).polyPolygon({outer2, inner2});
    const QImage image = drawn(w);
    EXPECT_EQ(count(image, QRect(0, 0, 50, 20), Red), 1000);
    EXPECT_EQ(image.pixel(80, 10), Red);
    EXPECT_EQ(image.pixel(60, 0), White) << "the rounded corner stays white";
    EXPECT_EQ(image.pixel(5, 35), Blue);
    EXPECT_EQ(image.pixel(35, 65), White) << "outside the triangle's slope";
    EXPECT_EQ(image.pixel(52, 32), Blue);
    EXPECT_EQ(image.pixel(70, 50), White) << "alternate filling leaves the hole";
    EXPECT_EQ(image.pixel(20, 88), Blue) << "winding fills the inner square of the same turn";
}

TEST(WmfDrawing, PieChordAndArcFollowTheirRadials)
{
    WmfWriter w;
    // Quarter from the right (3 o'clock) counter-clockwise to the top (12 o'clock).
    w.nullPen().brush(Red).arcRecord(0x081A, QRect(0, 0, 50, 50), {50, 25}, {25, 0});
    w.brush(Blue).arcRecord(0x0830, QRect(50, 50, 50, 50), {100, 75}, {75, 50});
    const QImage image = drawn(w);
    EXPECT_EQ(image.pixel(35, 15), Red) << "upper right quarter";
    for (QPoint p : {QPoint(15, 15), QPoint(15, 35), QPoint(35, 35)})
        EXPECT_EQ(image.pixel(p), White) << p.x() << "," << p.y();
    EXPECT_EQ(image.pixel(92, 58), Blue) << "the chord's segment";
    EXPECT_EQ(image.pixel(78, 72), White) << "a chord leaves out the centre";
}

TEST(WmfDrawing, TextStandsAtItsPointInTheMetafilesColour)
{
    WmfWriter w;
    w.font(24).textColour(Blue).backgroundMode(1).textAlign(0).textOut({20, 30}, "HEH");
    const QImage image = drawn(w);
    int blueish = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 100) {
                ++blueish;
                EXPECT_TRUE(x >= 19 && y >= 29 && y <= 56) << "ink outside the text's box at " << x << "," << y;
            }
        }
    EXPECT_GT(blueish, 40);
}

TEST(WmfDrawing, RotatedTextRunsUpwards)
{
    WmfWriter w;
    // Escapement 900: a quarter turn, reading bottom to top from the reference point.
    w.font(20, "DejaVu Sans", 900).textColour(Black).backgroundMode(1).textOut({40, 90}, "HHHHH");
    const QImage image = drawn(w);
    EXPECT_GT(darkPixels(image, QRect(35, 20, 30, 70)), 40);
    EXPECT_EQ(darkPixels(image, QRect(70, 0, 30, 100)), 0);
    EXPECT_EQ(darkPixels(image, QRect(0, 92, 100, 8)), 0);
}

TEST(WmfDrawing, BitmapRecordIsDrawnUprightInItsRectangle)
{
    WmfWriter w;
    w.bitmap(QRect(20, 20, 40, 40), {{Qt::red, Qt::green}, {Qt::blue, Qt::black}});
    const QImage image = drawn(w);
    EXPECT_EQ(image.pixel(30, 30), Red);
    EXPECT_EQ(image.pixel(50, 30), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(30, 50), Blue);
    EXPECT_EQ(image.pixel(50, 50), Black);
    EXPECT_EQ(image.pixel(15, 30), White);
    EXPECT_EQ(image.pixel(65, 50), White);
}

TEST(WmfDrawing, FloodFillStopsAtItsBorderColour)
{
    WmfWriter w;
    w.nullBrush().pen(Black, 1).rectangle(20, 20, 80, 80).brush(Red).floodFill({50, 50}, Black);
    const QImage image = drawn(w);
    EXPECT_EQ(count(image, QRect(22, 22, 57, 57), Red), 57 * 57);
    EXPECT_EQ(count(image, QRect(0, 0, 100, 19), White), 100 * 19);
    EXPECT_EQ(image.pixel(90, 50), White);
}

TEST(WmfDrawing, ClipRectangleKeepsDrawingInside)
{
    WmfWriter w;
    w.nullPen().brush(Red).clipRect(0, 0, 50, 100).rectangle(0, 0, 100, 100);
    const QImage image = drawn(w);
    EXPECT_EQ(count(image, QRect(0, 0, 50, 100), Red), 5000);
    EXPECT_EQ(count(image, QRect(50, 0, 50, 100), White), 5000);
}

// Clip art sets its own window; it is the window that fills the picture, at any origin.
TEST(WmfDrawing, AnisotropicWindowFillsThePlaceablePicture)
{
    WmfWriter w;
    w.mapMode(8).windowOrg(-3000, 2000).windowExt(4000, 2000);
    w.nullPen().brush(Red).rectangle(-3000, 2000, -1000, 4000);
    const QImage image = drawn(w, QRect(0, 0, 200, 100));
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(count(image, QRect(0, 0, 100, 100), Red), 100 * 100);
    EXPECT_EQ(count(image, QRect(100, 0, 100, 100), White), 100 * 100);
}

TEST(WmfDrawing, PlaceableOriginIsTheHeadersBox)
{
    WmfWriter w;
    w.nullPen().brush(Red).rectangle(500, 300, 550, 350);
    const QImage image = drawn(w, QRect(500, 300, 100, 100));
    ASSERT_EQ(image.size(), QSize(100, 100));
    EXPECT_EQ(count(image, QRect(0, 0, 50, 50), Red), 2500);
    EXPECT_EQ(image.pixel(60, 60), White);
}

TEST(WmfDrawing, HeaderAskingForTooManyPixelsIsRefusedBeforeDrawing)
{
    WmfWriter w;
    w.nullPen().brush(Red).rectangle(0, 0, 150, 150);
    // One unit an inch: 150 units are 14400 pixels a side, 830 MB.
    EXPECT_TRUE(WmfDrawing::draw(w.placeable(QRect(0, 0, 150, 150), 1)).isNull());
    EXPECT_FALSE(WmfDrawing::draw(w.placeable(QRect(0, 0, 150, 150), 96), 150 * 150).isNull());
    EXPECT_TRUE(WmfDrawing::draw(w.placeable(QRect(0, 0, 150, 150), 96), 150 * 150 - 1).isNull());
}

TEST(WmfDrawing, VeryWidePenCoversThePictureWithoutRunningAway)
{
    WmfWriter w;
    w.pen(Blue, 30000).line({0, 0}, {100, 100}).polygon({{0, 0}, {100, 0}, {50, 100}});
    const QImage image = drawn(w);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(count(image, QRect(0, 0, 100, 100), Blue), 100 * 100);
}

TEST(WmfDrawing, TextRecordsAreFound)
{
    WmfWriter plain, withText;
    plain.brush(Red).rectangle(0, 0, 10, 10);
    withText.brush(Red).font(10).textOut({0, 0}, "x");
    EXPECT_FALSE(WmfDrawing::hasText(plain.placeable(Box)));
    EXPECT_TRUE(WmfDrawing::hasText(withText.placeable(Box)));
    EXPECT_TRUE(WmfDrawing::hasText(withText.plain()));
}

} // namespace

// For paper a metafile is drawn again at a scale: the same picture, lines drawn at the
// scale rather than enlarged, and only the part asked for.
TEST(WmfDrawing, DrawnAtAScaleIsTheSamePictureFinerAndCut)
{
    WmfWriter w;
    w.brush(Blue).pen(Red, 3).ellipse(10, 20, 190, 80).pen(Black, 1).line({0, 50}, {200, 50});
    const QByteArray file = w.placeable(QRect(0, 0, 200, 100));
    const QImage screen = WmfDrawing::draw(file);
    const QImage whole = WmfDrawing::draw(file, 4, QSize());
    ASSERT_EQ(whole.size(), QSize(800, 400));
    const QImage back = whole.scaled(screen.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int differing = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            differing += std::abs(qGray(back.pixel(x, y)) - qGray(screen.pixel(x, y))) > 64;
    EXPECT_LT(differing, screen.width() * screen.height() / 50) << "the same picture, reduced back";
    // The 3-unit outline is 12 pixels of solid red, not 3 enlarged and blurred.
    EXPECT_EQ(count(whole, QRect(396, 77, 8, 6), Red), 48);

    const QImage part = WmfDrawing::draw(file, 4, QSize(120, 300));
    ASSERT_EQ(part.size(), QSize(480, 400)) << "the crop is in pixels of the picture's own size";
    EXPECT_EQ(part, whole.copy(0, 0, 480, 400));
    // The budget counts what is drawn: a part may fit where the whole would not.
    EXPECT_TRUE(WmfDrawing::draw(file, 4, QSize(), 800 * 400 - 1).isNull());
    EXPECT_FALSE(WmfDrawing::draw(file, 4, QSize(50, 50), 800 * 400 - 1).isNull());
}

namespace {

// The box that holds every dark pixel; an empty rectangle when there is none.
QRect inkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (dark(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// A shape drawing of 2000 x 1000 units drawn from its window's origin, as drawing
// programs write them: a filled polygon on the left, an ellipse after SaveDC on the
// right, a polyline along the bottom.
WmfWriter shapeDrawing(int mapMode)
{
    WmfWriter w;
    if (mapMode)
        w.mapMode(mapMode);
    w.windowOrg(0, 0).windowExt(2000, 1000);
    w.record(0x001E, {}); // SaveDC
    w.nullPen().brush(Qt::black).polygon({{100, 100}, {900, 100}, {900, 600}, {100, 600}});
    w.record(0x001E, {}).ellipse(1100, 100, 1900, 600);
    w.record(0x0127, {-1}); // RestoreDC
    w.pen(Qt::black, 40).nullBrush().polyline({{100, 850}, {1900, 850}});
    return w;
}

} // namespace

// The placeable box says how large the picture is; the window the records set says
// what is in it. A box far from the origin moves nothing.
TEST(WmfDrawing, ShapeDrawingWithABoxFarFromTheOriginFillsItsWindow)
{
    for (int mapMode : {0, 1, 8}) {
        SCOPED_TRACE(mapMode);
        // 2000 x 1000 thousandths of an inch: 192 x 96 pixels.
        const QByteArray file = shapeDrawing(mapMode).placeable(QRect(10866, 9154, 2000, 1000), 1000);
        const QImage image = WmfDrawing::draw(file);
        ASSERT_EQ(image.size(), QSize(192, 96));
        // Each unit is 0.096 pixel: the polygon covers x 10..86, y 10..58.
        EXPECT_EQ(darkPixels(image, QRect(12, 12, 72, 44)), 72 * 44) << "the polygon";
        EXPECT_EQ(darkPixels(image, QRect(134, 28, 20, 12)), 20 * 12) << "the ellipse's middle";
        EXPECT_EQ(darkPixels(image, QRect(106, 12, 6, 6)), 0) << "outside the ellipse, inside its box";
        EXPECT_GE(darkPixels(image, QRect(12, 80, 168, 4)), 168 * 3) << "the polyline";
        EXPECT_EQ(darkPixels(image, QRect(0, 62, 192, 16)), 0);
        EXPECT_EQ(darkPixels(image, QRect(186, 0, 6, 96)), 0);
    }
}

// An equation as equation editors write it: single characters placed on a baseline in
// a window of its own units, a fraction bar of MoveTo/LineTo, escapes and mapper flags
// between, and a box in screen pixels around it.
TEST(WmfDrawing, EquationWithABoxInOtherUnitsThanItsWindowIsDrawnWhereItsRecordsPutIt)
{
    for (int mapMode : {0, 1, 8}) {
        SCOPED_TRACE(mapMode);
        WmfWriter w;
        if (mapMode)
            w.mapMode(mapMode);
        w.windowOrg(0, 0).windowExt(4416, 736);
        w.rawRecord(0x0626, QByteArray("\x0f\x00\x08\x00" "MathType", 12)); // Escape
        w.record(0x0231, {1, 0});                                        // SetMapperFlags
        w.textColour(Qt::black).backgroundMode(1).textAlign(24);          // TA_BASELINE
        w.font(480, "Times New Roman");
        const auto character = [&w](int x, int y, char c) {
            // ExtTextOut of one character without options: y, x, count, options, text.
            QByteArray p;
            for (int v : {y, x, 1, 0})
                WmfWriter::put16(p, v);
            p.append(c);
            w.rawRecord(0x0A32, p);
        };
        character(200, 560, 'x');
        character(700, 560, '=');
        w.font(480, "Symbol");
        character(1300, 560, 'p');
        w.pen(Qt::black, 20);
        w.line({2000, 380}, {2600, 380}); // a short fraction bar
        w.font(300, "Times New Roman");
        character(2200, 300, '1');
        character(2200, 700, '2');
        const QImage image = WmfDrawing::draw(w.placeable(QRect(0, 0, 222, 41), 96));
        ASSERT_EQ(image.size(), QSize(222, 41));
        // 4416 units over 222 pixels: 0.0503 a unit across, 736 over 41 (0.0557) down.
        EXPECT_GT(darkPixels(image, QRect(8, 12, 20, 18)), 10) << "the x left of the equals sign";
        EXPECT_GT(darkPixels(image, QRect(34, 12, 22, 18)), 6) << "the equals sign";
        EXPECT_GT(darkPixels(image, QRect(63, 12, 24, 18)), 6) << "pi";
        EXPECT_GE(darkPixels(image, QRect(102, 20, 28, 2)), 26) << "the fraction bar at y 21";
        EXPECT_GT(darkPixels(image, QRect(108, 3, 14, 14)), 3) << "the numerator";
        EXPECT_GT(darkPixels(image, QRect(108, 25, 14, 16)), 3) << "the denominator";
        const QRect ink = inkBox(image);
        EXPECT_LT(ink.right(), 135) << "nothing right of the fraction";
        EXPECT_GT(ink.left(), 5);
    }
}

// A plain metafile without window: the extent of what it draws, turned text included.
TEST(WmfDrawing, RotatedTextInAPlainMetafileIsTurnedAndWhole)
{
    const auto drawnText = [](int escapement) {
        WmfWriter w;
        w.font(40, "DejaVu Sans", escapement).textColour(Qt::black).backgroundMode(1).textAlign(0);
        w.nullPen().brush(Qt::white).rectangle(0, 0, 10, 10); // some extent besides the text
        w.textOut({100, 300}, "HHHH");
        return WmfDrawing::draw(w.plain());
    };
    const QImage level = drawnText(0);
    const QImage turned = drawnText(900);
    ASSERT_FALSE(level.isNull());
    ASSERT_FALSE(turned.isNull());
    const QRect levelInk = inkBox(level), turnedInk = inkBox(turned);
    ASSERT_FALSE(levelInk.isEmpty());
    ASSERT_FALSE(turnedInk.isEmpty());
    EXPECT_GT(levelInk.width(), levelInk.height());
    EXPECT_GT(turnedInk.height(), 2 * turnedInk.width()) << "a quarter turn runs upwards";
    // Whole: as much ink as the level text, and clear of the picture's edges.
    const int levelDark = darkPixels(level, level.rect()), turnedDark = darkPixels(turned, turned.rect());
    EXPECT_NEAR(turnedDark, levelDark, levelDark / 5);
    EXPECT_GE(turnedInk.top(), 0);
    EXPECT_LT(turnedInk.bottom(), turned.height() - 1);
    EXPECT_LT(turnedInk.right(), turned.width() - 1);
}
