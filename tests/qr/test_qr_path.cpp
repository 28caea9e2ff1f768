#include "QrReader.h"
#include "qr/QrCode.h"
#include "qr/QrPainting.h"
#include "qr/QrPath.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

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

// The rectangles a PDF gets fill exactly the dark modules, none twice, and far fewer of
// them than modules: runs taken down over the rows with the same run.
TEST(QrPath, RectanglesCoverEachDarkModuleOnce)
{
    for (const QrLevel level : {QrLevel::L, QrLevel::H}) {
        const QrCode code = QrCode::encode(QByteArrayLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:M\xc3\xbcller;Jos\xc3\xa9;;;\r\n"), level);
        const int n = code.size();
        std::vector<int> covered(size_t(n * n), 0);
        int dark = 0;
        for (const QRect &r : moduleRects(code))
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    ++covered[size_t(y * n + x)];
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                dark += code.isDark(x, y) ? 1 : 0;
                ASSERT_EQ(covered[size_t(y * n + x)], code.isDark(x, y) ? 1 : 0) << x << "," << y;
            }
        EXPECT_LT(moduleRects(code).size(), size_t(dark / 2));
    }
    EXPECT_TRUE(moduleRects(QrCode()).empty());
}

// In a PDF the code is rectangle operators alone, no outline points, and every side of
// every rectangle lies on the module grid within 0.02 mm once drawn through its matrix.
TEST(QrPath, PdfCodeIsRectanglesOnTheModuleGrid)
{
    const QrCode code = sampleCode();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("code.pdf"));
    // In the writer's own units, as the sheet draws, so that the PDF holds them as they are.
    const double perMm = 1200 / 25.4;
    const QRectF target(3.3 * perMm, 7.1 * perMm, 15 * perMm, 15 * perMm);
    {
        QPdfWriter writer(pdf);
        writer.setResolution(1200);
        QPainter painter(&writer);
        paintQrCode(painter, code, target, Qt::black);
    }
    const QString open = dir.filePath(QStringLiteral("open.pdf"));
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"), pdf, open});
    ASSERT_TRUE(qpdf.waitForFinished(60000));
    QFile file(open);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const double module = target.width() / (code.size() + 2 * QrQuietZone);
    // Each rectangle through the matrix it is drawn under: x' = a x + e, y' = d y + f.
    double a = 1, d = 1, e = 0, f = 0;
    int rects = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        EXPECT_FALSE(line.endsWith(" l")) << "an outline point: " << line.toStdString();
        const QList<QByteArray> v = line.split(' ');
        if (line == "Q")
            a = d = 1, e = f = 0; // the writer sets its matrices within q ... Q, one deep
        if (line.endsWith(" cm") && v.size() == 7) {
            a = v[0].toDouble(), d = v[3].toDouble(), e = v[4].toDouble(), f = v[5].toDouble();
            continue;
        }
        if (!line.endsWith(" re"))
            continue;
        ASSERT_EQ(v.size(), 5);
        const double x = v[0].toDouble(), y = v[1].toDouble(), w = v[2].toDouble(), h = v[3].toDouble();
        for (const double edge : {x, x + w})
            EXPECT_TRUE(isMultipleOf(a * edge + e - target.left(), module, 0.02 * perMm)) << line.toStdString();
        for (const double edge : {y, y + h})
            EXPECT_TRUE(isMultipleOf(d * edge + f - target.top(), module, 0.02 * perMm)) << line.toStdString();
        if (rects > 0) { // the modules, after the light square: none in the quiet zone
            const QRectF inner = target.adjusted(4 * module, 4 * module, -4 * module, -4 * module);
            EXPECT_TRUE(inner.adjusted(-0.1, -0.1, 0.1, 0.1).contains(QRectF(a * x + e, d * y + f, a * w, d * h)))
                << line.toStdString();
        }
        ++rects;
    }
    EXPECT_EQ(rects, int(moduleRects(code).size()) + 1); // and the light square under them
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
