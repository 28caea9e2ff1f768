#include "QrReader.h"
#include "qr/QrCode.h"
#include "qr/QrPainting.h"
#include "qr/QrPath.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>

namespace {

QrCode sampleCode()
{
    return QrCode::encode(QByteArrayLiteral("https://www.voorbeeld.nl/kaartje?naam=Jos%C3%A9"), QrLevel::M);
}

bool isMultipleOf(double value, double step, double tolerance)
{
    const double k = value / step;
    return std::abs(k - std::round(k)) * step <= tolerance;
}

} // namespace

// Painted without antialiasing at five pixels a module, the outlines fill exactly the dark
// modules: light holes inside dark areas and modules touching only at a corner included.
TEST(QrPath, OutlinesFillExactlyTheDarkModules)
{
    const QrCode code = QrCode::encode(QByteArrayLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Test;;;;\r\n"), QrLevel::H);
    const int n = code.size();
    const int across = n + 2 * QrQuietZone;
    for (const Qt::FillRule rule : {Qt::WindingFill, Qt::OddEvenFill}) {
        QPainterPath path = modulePath(code, QRectF(0, 0, 5 * across, 5 * across));
        path.setFillRule(rule);
        QImage image(5 * across, 5 * across, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).fillPath(path, Qt::black);
        for (int y = 0; y < 5 * across; ++y)
            for (int x = 0; x < 5 * across; ++x) {
                const int mx = x / 5 - QrQuietZone, my = y / 5 - QrQuietZone;
                const bool dark = mx >= 0 && my >= 0 && mx < n && my < n && code.isDark(mx, my);
                ASSERT_EQ(image.pixel(x, y) == qRgb(0, 0, 0), dark) << x << "," << y << " rule " << rule;
            }
    }
}

// Outlines, not squares: far fewer corners than four per dark module.
TEST(QrPath, PaperPathHasACornerOnlyWhereTheOutlineTurns)
{
    const QrCode code = sampleCode();
    int dark = 0;
    for (int y = 0; y < code.size(); ++y)
        for (int x = 0; x < code.size(); ++x)
            dark += code.isDark(x, y) ? 1 : 0;
    const QPainterPath path = modulePath(code, QRectF(0, 0, 40, 40));
    EXPECT_LT(path.elementCount(), dark * 2);
    for (int i = 1; i < path.elementCount(); ++i) {
        const QPainterPath::Element a = path.elementAt(i - 1), b = path.elementAt(i);
        if (b.isLineTo()) {
            EXPECT_TRUE(a.x == b.x || a.y == b.y) << i; // sides run along the grid only
        }
    }
}

TEST(QrPath, PaperEdgesLieOnTheModuleGrid)
{
    const QrCode code = sampleCode();
    const QRectF target(3.3, 7.1, 12, 12);
    const double module = 12.0 / (code.size() + 2 * QrQuietZone);
    const QPainterPath path = modulePath(code, target);
    EXPECT_EQ(path.fillRule(), Qt::WindingFill);
    ASSERT_GT(path.elementCount(), 0);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        EXPECT_TRUE(isMultipleOf(e.x - target.left(), module, 0.02)) << e.x;
        EXPECT_TRUE(isMultipleOf(e.y - target.top(), module, 0.02)) << e.y;
    }
    // Quiet zone: nothing dark within four modules of the edge.
    EXPECT_TRUE(target.adjusted(4 * module - 1e-9, 4 * module - 1e-9, -4 * module + 1e-9, -4 * module + 1e-9)
                    .contains(path.boundingRect()));
    EXPECT_TRUE(modulePath(QrCode(), target).isEmpty());
}

TEST(QrPath, ScreenUsesTheLargestWholeModuleAndCentresIt)
{
    const QrCode code = sampleCode();
    const int across = code.size() + 2 * QrQuietZone;
    const QRect device(10, 20, 3 * across + 7, 3 * across + 2);
    const QrPixelPath pixels = modulePixelPath(code, device);
    EXPECT_EQ(pixels.modulePixels, 3);
    // The leftover 7 and 2 pixels split, rounded down.
    EXPECT_EQ(pixels.square, QRect(10 + 3, 20 + 1, 3 * across, 3 * across));
    QImage image(device.right() + 5, device.bottom() + 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillPath(pixels.dark, Qt::black);
    const QPoint origin = pixels.square.topLeft() + QPoint(4 * 3, 4 * 3);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int mx = (x - origin.x()) / 3, my = (y - origin.y()) / 3;
            const bool inCode = x >= origin.x() && y >= origin.y() && mx < code.size() && my < code.size();
            ASSERT_EQ(image.pixel(x, y) == qRgb(0, 0, 0), inCode && code.isDark(mx, my)) << x << "," << y;
        }
}

TEST(QrPath, ScreenSmallerThanOnePixelAModuleShowsTheModuleUnderEachCentre)
{
    const QrCode code = sampleCode();
    const int across = code.size() + 2 * QrQuietZone;
    const int side = across - 5;
    const QrPixelPath pixels = modulePixelPath(code, QRect(0, 0, side, side));
    EXPECT_EQ(pixels.modulePixels, 0);
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillPath(pixels.dark, Qt::black);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int mx = int(std::floor((x + 0.5) * across / side)) - 4;
            const int my = int(std::floor((y + 0.5) * across / side)) - 4;
            const bool dark = mx >= 0 && my >= 0 && mx < code.size() && my < code.size() && code.isDark(mx, my);
            ASSERT_EQ(image.pixel(x, y) == qRgb(0, 0, 0), dark) << x << "," << y;
        }
}

// A card view scales its painter; the code still lands on whole pixels, with no grey.
TEST(QrPath, PaintingOnPixelsUnderAScaledPainterHasOnlyTheTwoColours)
{
    const QrCode code = sampleCode();
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(13.4, 17.7);
    painter.scale(2.37, 2.37);
    const QColor dark(120, 0, 40);
    paintQrCodeOnPixels(painter, code, QRectF(10, 10, 120, 120), dark);
    painter.end();
    const QRect covered(int(std::lround(13.4 + 23.7)), int(std::lround(17.7 + 23.7)), 284, 284);
    for (int y = covered.top(); y <= covered.bottom(); ++y)
        for (int x = covered.left(); x <= covered.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            ASSERT_TRUE(p == dark.rgb() || p == qRgb(255, 255, 255)) << x << "," << y;
        }
    const ReadCode read = readQrCode(image);
    ASSERT_TRUE(read.found);
    EXPECT_EQ(read.bytes, QByteArrayLiteral("https://www.voorbeeld.nl/kaartje?naam=Jos%C3%A9"));
}
