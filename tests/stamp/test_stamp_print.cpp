#include "assets/BuiltinPictures.h"
#include "core/CardDocument.h"
#include "stamp/PhotoWorkspace.h"
#include "StampTestFiles.h"
#include "support/ImageCompare.h"
#include "support/WmfWriter.h"

#include <gtest/gtest.h>

using namespace StampTestFiles;

// The stamp's print copy is cut from the photo's own pixels: whatever the zoom the user
// cut at, the printed window shows the photo region under the rectangle, resampled from
// the photo, inside the frame drawn at print scale exactly where the screen frame lies.
namespace {

constexpr int S = BuiltinPictures::PrintScale;

struct Cut {
    int zoom;       // index in tenths
    QPoint from, to; // the drag in view pixels
};

class StampPrintCopy : public testing::TestWithParam<Cut> {
protected:
    QTemporaryDir dir;
    CardDocument document;
    PhotoWorkspace workspace{document};
};

TEST_P(StampPrintCopy, ShowsTheSourceRegionInsideTheScaledFrame)
{
    const Cut cut = GetParam();
    const QImage photo = ImageCompare::detailedPhoto(1200, 900, 6.0);
    document.applyLayout(2);
    ASSERT_TRUE(workspace.loadPhoto(write(dir, "foto.png", encoded(photo, "PNG"))));
    workspace.toggleEnlargedView();
    workspace.zoom(cut.zoom);
    workspace.mouseDown(1, cut.from);
    workspace.mouseMove(1, cut.to);
    workspace.mouseUp(1, cut.to);

    const StampBox &stamp = document.stamp();
    ASSERT_TRUE(stamp.hasPrintCopy());
    const QImage print = stamp.printImage();
    ASSERT_EQ(print.size(), stamp.image().size() * S);
    const QRect window(8 * S, 8 * S, 124 * S, 164 * S);
    EXPECT_TRUE(frameAround(print, BuiltinPictures::frame(1, S), window)) << "zoom " << cut.zoom;

    const QRect viewRect(cut.from, cut.to); // the drag takes both end pixels
    const double perView = 10.0 / cut.zoom;
    const QRectF source(viewRect.x() * perView, viewRect.y() * perView, viewRect.width() * perView,
                        viewRect.height() * perView);
    const QImage expected = ImageCompare::resample(photo, source, window.size());
    const double printed = ImageCompare::psnr(print.copy(window), expected);
    // The screen stamp enlarged, for the figure of what paper got before.
    const QImage screenWindow = stamp.image().copy(8, 8, 124, 164);
    const double enlarged =
        ImageCompare::psnr(ImageCompare::resample(screenWindow, QRectF(0, 0, 124, 164), window.size()), expected);
    RecordProperty("print_copy_psnr_db", std::to_string(printed));
    RecordProperty("enlarged_screen_psnr_db", std::to_string(enlarged));
    EXPECT_GE(printed, 35.0) << "zoom " << cut.zoom << ": print copy " << printed << " dB, enlarged screen stamp "
                             << enlarged << " dB";
    if (cut.zoom < 10) // the photo holds more pixels than the screen window
        EXPECT_GT(printed, enlarged + 3) << "zoom " << cut.zoom;
}

// 10 %, 100 % and 200 % (the largest zoom level): the photo is reduced, kept and
// enlarged in the view, and each time the print copy must come from the photo itself.
INSTANTIATE_TEST_SUITE_P(ZoomLevels, StampPrintCopy,
                         testing::Values(Cut{1, {10, 10}, {100, 80}}, Cut{10, {40, 30}, {300, 330}},
                                         Cut{20, {100, 50}, {400, 350}}));

// A metafile has no pixels of its own: paper gets the cut from the metafile drawn again
// finer, not from its screen drawing enlarged.
TEST_F(StampPrintCopy, MetafileCutComesFromTheMetafileDrawnAgainFiner)
{
    // 200 x 300 pixels at 96 units an inch; a line every 10 pixels.
    WmfWriter lines;
    lines.nullBrush().pen(Qt::black, 1);
    for (int x = 5; x < 200; x += 10)
        lines.line({x, 0}, {x, 300});
    document.applyLayout(2);
    ASSERT_TRUE(workspace.loadPhoto(write(dir, "lijnen.wmf", lines.placeable(QRect(0, 0, 200, 300)))));
    EXPECT_EQ(workspace.backPic().size(), QSize(200, 300)) << "the panel shows the metafile at its own size";
    // The stamp window's own size at 100 %: its print window needs 4 x the pixels.
    workspace.mouseDown(1, {0, 0});
    workspace.mouseMove(1, {123, 163});
    workspace.mouseUp(1, {123, 163});

    const QImage window = document.stamp().printImage().copy(8 * S, 8 * S, 124 * S, 164 * S);
    const QImage enlarged = document.stamp().image().copy(8, 8, 124, 164).scaled(
        window.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Twelve lines cross the cut, each 4 print pixels of solid black.
    EXPECT_EQ(ImageCompare::solidBlackInRow(window, 300), 12 * S);
    EXPECT_LT(ImageCompare::solidBlackInRow(enlarged, 300), 12 * S / 2);
}

TEST(StampPrintCopyRules, DrawingOnTheStampLeavesNoStalePrintCopy)
{
    CardDocument document;
    document.applyLayout(2);
    ASSERT_TRUE(document.stamp().hasPrintCopy()) << "the bare frame prints from the frame drawn at scale";
    document.drawOnStamp(QStringLiteral("Punt"), [](QImage &image) { image.setPixel(0, 0, qRgb(1, 2, 3)); });
    EXPECT_FALSE(document.stamp().hasPrintCopy());
    EXPECT_TRUE(document.stamp().printImage().isNull());
}

} // namespace
