#include "core/CardDocument.h"
#include "background/GradientChooser.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

bool isEmptyPreview(const QImage &preview)
{
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x)
            if (preview.pixel(x, y) != GradientChooser::EmptyPreviewColor)
                return false;
    return true;
}

} // namespace

TEST(GradientChooser, OpensAtOneWithAnEmptyPreview)
{
    const GradientChooser chooser;
    EXPECT_EQ(chooser.value(), 1);
    EXPECT_EQ(chooser.numberText(), QStringLiteral("1"));
    EXPECT_EQ(chooser.preview().size(), QSize(220, 135));
    EXPECT_TRUE(isEmptyPreview(chooser.preview()));
}

TEST(GradientChooser, OkRightAfterOpeningPaintsGradientOneOnTheCard)
{
    CardDocument document;
    QSignalSpy changed(&document, &CardDocument::canvasChanged);
    const GradientChooser chooser;

    chooser.accept(document);

    const QImage &card = document.canvas().image();
    EXPECT_EQ(card.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(card.pixel(300, 100), qRgb(100, 0, 0));
    EXPECT_EQ(card.pixel(439, 269), qRgb(255, 0, 0));
    EXPECT_EQ(changed.count(), 1);
}

TEST(GradientChooser, MovingToTwoAndBackShowsGradientOne)
{
    GradientChooser chooser;
    chooser.setValue(2);
    EXPECT_EQ(chooser.numberText(), QStringLiteral("2 / 42"));
    EXPECT_EQ(chooser.preview().pixel(10, 100), qRgb(0, 100, 0));

    chooser.setValue(1);
    EXPECT_EQ(chooser.value(), 1);
    EXPECT_EQ(chooser.numberText(), QStringLiteral("1 / 42"));
    EXPECT_EQ(chooser.preview().pixel(10, 100), qRgb(100, 0, 0));
    EXPECT_EQ(chooser.preview().pixel(219, 134), qRgb(134, 0, 0));
}

TEST(GradientChooser, OkDrawsTheChosenNumberOnTheCardAtFullSize)
{
    CardDocument document;
    GradientChooser chooser;
    chooser.setValue(36);
    chooser.accept(document);
    // On the card pattern 6 reaches 220 in column 220; the preview stops at 110.
    EXPECT_EQ(document.canvas().image().pixel(220, 50), qRgb(220, 0, 0));
    EXPECT_EQ(chooser.preview().pixel(110, 50), qRgb(110, 0, 0));
}

TEST(GradientChooser, PreviewIsNeverClearedBetweenGradients)
{
    GradientChooser chooser;
    chooser.setValue(36);
    chooser.setValue(15);
    EXPECT_EQ(chooser.preview().pixel(100, 130), qRgb(100, 0, 0)); // still gradient 36
    EXPECT_EQ(chooser.preview().pixel(50, 50), qRgb(100, 0, 0));   // gradient 15's x + y
}

TEST(GradientChooser, ScrollBarStaysWithinOneToFortyTwo)
{
    GradientChooser chooser;
    chooser.setValue(0);
    EXPECT_EQ(chooser.value(), 1);
    EXPECT_TRUE(isEmptyPreview(chooser.preview()));
    chooser.setValue(99);
    EXPECT_EQ(chooser.value(), 42);
    EXPECT_EQ(chooser.numberText(), QStringLiteral("42 / 42"));
}
