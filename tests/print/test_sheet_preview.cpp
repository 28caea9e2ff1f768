#include "print/SheetPreview.h"

#include <gtest/gtest.h>

namespace {

const QColor CanvasColor(10, 120, 200);
const QColor StampColor(250, 200, 0);
const QColor BorderColor(120, 120, 120);

PrintedCard plainCard(int layoutKind, bool border)
{
    PrintedCard card;
    card.canvas = QImage(440, 270, QImage::Format_RGB32);
    card.canvas.fill(CanvasColor);
    card.stamp = QImage(layoutKind == 3 ? QSize(180, 140) : QSize(140, 180), QImage::Format_RGB32);
    card.stamp.fill(StampColor);
    card.layoutKind = layoutKind;
    card.border = border;
    card.borderColor = BorderColor;
    return card;
}

QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }

int countPixels(const QImage &image, const QColor &color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == color;
    return n;
}

} // namespace

TEST(SheetPreviewGrid, TenCardsTwoColumnsFiveRowsFromSix)
{
    const QList<QPoint> expected = {{5, 6},  {65, 6},  {5, 40},  {65, 40},  {5, 74},
                                    {65, 74}, {5, 108}, {65, 108}, {5, 142}, {65, 142}};
    EXPECT_EQ(SheetPreview::cardPositions(10), expected);
}

TEST(SheetPreviewGrid, EightCardsFourRowsFromFifteen)
{
    const QList<QPoint> expected = {{5, 15}, {65, 15}, {5, 49}, {65, 49},
                                    {5, 83}, {65, 83}, {5, 117}, {65, 117}};
    EXPECT_EQ(SheetPreview::cardPositions(8), expected);
}

TEST(SheetPreviewPicture, CardThumbnailsCover59By33AtTheGridPlaces)
{
    const QImage preview = SheetPreview::draw(plainCard(0, false), 10);
    ASSERT_EQ(preview.size(), QSize(130, 180));
    EXPECT_EQ(at(preview, 0, 0), SheetPreview::background());
    for (const QPoint &p : SheetPreview::cardPositions(10)) {
        EXPECT_EQ(at(preview, p.x(), p.y()), CanvasColor);
        EXPECT_EQ(at(preview, p.x() + 58, p.y() + 32), CanvasColor);
        EXPECT_EQ(at(preview, p.x() + 59, p.y()), SheetPreview::background());
        EXPECT_EQ(at(preview, p.x(), p.y() + 33), SheetPreview::background());
    }
    EXPECT_EQ(countPixels(preview, CanvasColor), 10 * 59 * 33);
}

TEST(SheetPreviewPicture, EightCardsLeaveTheBottomEmpty)
{
    const QImage preview = SheetPreview::draw(plainCard(0, false), 8);
    EXPECT_EQ(at(preview, 5, 14), SheetPreview::background());
    EXPECT_EQ(at(preview, 5, 15), CanvasColor);
    EXPECT_EQ(at(preview, 65, 149), CanvasColor);
    EXPECT_EQ(at(preview, 65, 150), SheetPreview::background());
    EXPECT_EQ(countPixels(preview, CanvasColor), 8 * 59 * 33);
}

TEST(SheetPreviewPicture, NoStampThumbnailWithoutStampLayout)
{
    EXPECT_EQ(countPixels(SheetPreview::draw(plainCard(0, false), 10), StampColor), 0);
    EXPECT_EQ(countPixels(SheetPreview::draw(plainCard(1, false), 10), StampColor), 0);
}

struct StampCase {
    int layoutKind;
    QRect rect; // relative to the card thumbnail
};

class SheetPreviewStamp : public testing::TestWithParam<StampCase> {};

TEST_P(SheetPreviewStamp, StampThumbnailAtItsPlaceOnEveryCard)
{
    const StampCase c = GetParam();
    const QImage preview = SheetPreview::draw(plainCard(c.layoutKind, false), 10);
    for (const QPoint &p : SheetPreview::cardPositions(10)) {
        const QRect r = c.rect.translated(p);
        EXPECT_EQ(at(preview, r.left(), r.top()), StampColor);
        EXPECT_EQ(at(preview, r.right(), r.bottom()), StampColor);
        EXPECT_EQ(at(preview, r.right() + 1, r.top()), CanvasColor);
        EXPECT_EQ(at(preview, r.left(), r.bottom() + 1), CanvasColor);
        EXPECT_EQ(at(preview, r.left() - 1, r.top()), CanvasColor);
    }
    EXPECT_EQ(countPixels(preview, StampColor), 10 * c.rect.width() * c.rect.height());
}

INSTANTIATE_TEST_SUITE_P(Layouts, SheetPreviewStamp,
                         testing::Values(StampCase{2, QRect(6, 6, 14, 18)}, StampCase{3, QRect(6, 6, 18, 14)},
                                         StampCase{4, QRect(40, 6, 14, 18)}));

TEST(SheetPreviewPicture, BorderOutlineFromTwoThreeToFiftyFiveTwentyNine)
{
    const QImage preview = SheetPreview::draw(plainCard(2, true), 8);
    for (const QPoint &p : SheetPreview::cardPositions(8)) {
        EXPECT_EQ(at(preview, p.x() + 2, p.y() + 3), BorderColor);
        EXPECT_EQ(at(preview, p.x() + 55, p.y() + 3), BorderColor);
        EXPECT_EQ(at(preview, p.x() + 2, p.y() + 29), BorderColor);
        EXPECT_EQ(at(preview, p.x() + 55, p.y() + 29), BorderColor);
        EXPECT_EQ(at(preview, p.x() + 56, p.y() + 3), CanvasColor);
        EXPECT_EQ(at(preview, p.x() + 2, p.y() + 30), CanvasColor);
        EXPECT_EQ(at(preview, p.x() + 3, p.y() + 4), CanvasColor) << "an outline, not a filled box";
    }
    // 54 x 27 pixels round: 2 * 54 + 2 * 25 per card
    EXPECT_EQ(countPixels(preview, BorderColor), 8 * (2 * 54 + 2 * 25));
}

TEST(SheetPreviewPicture, NoOutlineWithoutBorder)
{
    EXPECT_EQ(countPixels(SheetPreview::draw(plainCard(4, false), 10), BorderColor), 0);
}
