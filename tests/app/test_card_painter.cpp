#include "core/CardDocument.h"
#include "core/CardPainter.h"
#include "support/CardEdit.h"
#include "core/VisibleText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage paintCard(const CardDocument &doc, int scale = 1)
{
    QImage image(440 * scale, 270 * scale, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    painter.scale(scale, scale);
    CardPainter::paint(painter, doc);
    return image;
}

// Columns of row band [top, bottom) holding exactly the colour.
int rightmostOf(const QImage &image, QColor colour, int top, int bottom)
{
    int right = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                right = std::max(right, x);
    return right;
}

} // namespace

TEST(CardPainter, DrawsTheCanvasUnderEverything)
{
    CardDocument doc;
    doc.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image.setPixel(430, 5, qRgb(1, 2, 3)); });
    const QImage card = paintCard(doc);
    EXPECT_EQ(card.pixel(430, 5), qRgb(1, 2, 3));
    EXPECT_EQ(card.pixelColor(439, 269), QColor(200, 230, 200));
}

TEST(CardPainter, OutlineCoversExactlyItsOnePixelRectangle)
{
    CardDocument doc;
    const QColor back(200, 230, 200);
    EXPECT_EQ(paintCard(doc).pixelColor(11, 11), back); // off at start

    doc.chooseBorderItem(3);
    const QImage card = paintCard(doc);
    const QColor grey(120, 120, 120);
    for (const QPoint p : {QPoint(11, 11), QPoint(429, 11), QPoint(11, 259), QPoint(429, 259), QPoint(200, 11),
                           QPoint(11, 100)})
        EXPECT_EQ(card.pixelColor(p), grey) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(10, 10), QPoint(12, 12), QPoint(430, 260), QPoint(428, 258), QPoint(430, 100)})
        EXPECT_EQ(card.pixelColor(p), back) << p.x() << "," << p.y();
}

TEST(CardPainter, TextLinesStandAtTheirPlacesInTheCardColour)
{
    CardDocument doc;
    doc.setTextColorComponent(CardDocument::Red, 255);
    doc.setTextColorComponent(CardDocument::Green, 0);
    doc.setTextColorComponent(CardDocument::Blue, 0);
    doc.enterTextLine(1, QStringLiteral("HHHHHHHH"));
    const QImage card = paintCard(doc);
    const QRect line1 = CardPainter::textLineRect(doc.state(), 1);
    EXPECT_EQ(line1.topLeft(), QPoint(25, 30));
    const int right = rightmostOf(card, Qt::red, line1.top(), line1.bottom() + 1);
    EXPECT_GT(right, line1.left());
    EXPECT_LE(right, line1.right() + 1);
    // Nothing of the text left of its place or above it.
    EXPECT_EQ(rightmostOf(card.copy(0, 0, 25, 270), Qt::red, 0, 270), -1);
    EXPECT_EQ(rightmostOf(card, Qt::red, 0, 30), -1);
}

TEST(CardPainter, StampBoxCoversTextAndOutlineBeneathIt)
{
    CardDocument doc;
    doc.chooseBorderItem(2);
    doc.enterTextLine(1, QString(60, QLatin1Char('W')));
    doc.applyLayout(4);
    doc.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image.fill(QColor(9, 9, 9)); });
    const QImage card = paintCard(doc);
    const QRect stamp(281, 18, 140, 180);
    EXPECT_EQ(card.copy(stamp), doc.stamp().image());
    EXPECT_EQ(card.pixelColor(280, 18), QColor(200, 230, 200)); // 281, not 280
}

TEST(CardPainter, ScaledPainterDrawsTheSameCardAtItsResolution)
{
    CardDocument doc;
    doc.chooseBorderItem(2);
    doc.applyLayout(2);
    doc.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image.fill(QColor(9, 9, 9)); });
    doc.setTextColorComponent(CardDocument::Red, 255);
    doc.setTextColorComponent(CardDocument::Green, 0);
    doc.setTextColorComponent(CardDocument::Blue, 0);
    const QImage once = paintCard(doc, 1);
    const QImage twice = paintCard(doc, 2);
    ASSERT_EQ(twice.size(), QSize(880, 540));
    EXPECT_EQ(twice.pixelColor(22, 300), QColor(0, 0, 0)); // outline 2 pixels wide
    EXPECT_EQ(twice.pixelColor(23, 300), QColor(0, 0, 0));
    EXPECT_EQ(twice.pixelColor(24, 300), QColor(200, 230, 200));
    EXPECT_EQ(twice.pixelColor(36, 36), QColor(9, 9, 9)); // stamp from (36, 36)
    EXPECT_EQ(twice.pixelColor(315, 395), QColor(9, 9, 9));
    EXPECT_NE(twice.pixelColor(317, 397), QColor(9, 9, 9));
    // Text twice as wide: drawn as text at the resolution, not a scaled copy of a small one.
    const int right1 = rightmostOf(once, Qt::red, 27, 55);
    const int right2 = rightmostOf(twice, Qt::red, 54, 110);
    EXPECT_NEAR(right2, 2 * right1, 4);
}

TEST(CardPainter, TextSizeIsPointsOnTheCardWhateverTheDevice)
{
    CardDocument doc;
    QImage fine(440, 270, QImage::Format_RGB32);
    fine.setDotsPerMeterX(11811); // 300 dots per inch
    fine.setDotsPerMeterY(11811);
    const QFont onFine = CardPainter::textFont(doc.state(), fine);
    QImage plain(440, 270, QImage::Format_RGB32);
    plain.setDotsPerMeterX(3780);
    plain.setDotsPerMeterY(3780);
    const QFont onPlain = CardPainter::textFont(doc.state(), plain);
    EXPECT_NEAR(QFontMetricsF(onFine, &fine).height(), QFontMetricsF(onPlain, &plain).height(), 1.0);
    EXPECT_NEAR(onPlain.pointSizeF(), 16.0, 0.01);
}

// A pasted page of text on one line: only what can show is shaped, and what shows is
// unchanged, also through a scaled painter (the print and the batch render use one).
TEST(CardPainter, VeryLongLineDrawsTheSamePixelsAsItsVisiblePrefix)
{
    QString longLine;
    while (longLine.size() < 300 * 1024)
        longLine += QStringLiteral("Vlinderstraat 12, Wijk bij Duurstede fiiii ");
    CardDocument whole;
    CardDocument cut;
    editCard(whole, [&](Card &card) {
        card.state.FontSize = 8; // small: many characters fit
        card.state.TextLines[3] = longLine;
    });
    editCard(cut, [&](Card &card) {
        card.state.FontSize = 8;
        card.state.TextLines[3] = longLine.left(400);
    });
    for (const int scale : {1, 3})
        EXPECT_EQ(paintCard(whole, scale), paintCard(cut, scale)) << "scale " << scale;

    const QImage device(440, 270, QImage::Format_RGB32);
    const QFontMetricsF metrics(CardPainter::textFont(whole.state(), device), &device);
    ASSERT_GT(metrics.horizontalAdvance(longLine.left(400)), 3 * 440) << "the prefix reaches past the card";
    EXPECT_LT(VisibleText::prefix(metrics, 440, longLine).size(), 4000) << "the rest is never measured";
}

// Combining marks advance nothing, so no width is ever reached: the line is cut by
// characters, else every paint shapes tens of thousands of them (seconds each).
TEST(CardPainter, LineOfZeroWidthMarksIsCutByCharacters)
{
    const QString marks = QLatin1Char('a') + QString(71000, QChar(0x0301));
    const QString rightToLeft = QString(40000, QChar(0x05D0)) + QString(40000, QChar(0x05B4));
    const QImage device(440, 270, QImage::Format_RGB32);
    CardDocument doc;
    const QFontMetricsF metrics(CardPainter::textFont(doc.state(), device), &device);
    EXPECT_LE(VisibleText::prefix(metrics, 440, marks).size(), 600);
    EXPECT_LE(VisibleText::prefix(metrics, 440, rightToLeft).size(), 600);

    QImage image(440, 270, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(CardPainter::textFont(doc.state(), image));
    EXPECT_LE(VisibleText::prefix(painter, QFontMetricsF(painter.font(), &image), 10, marks).size(), 600);
}
