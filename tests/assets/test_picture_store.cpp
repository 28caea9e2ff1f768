#include "assets/BuiltinPictures.h"
#include "assets/PictureMakers.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <set>

// The store behind the built-in pictures: sizes, the thumbnails' relation to their
// frames, and that what a caller does with its copy never reaches the stored picture.
namespace {

TEST(Thumbnails, SizesWithTheFourthNarrower)
{
    EXPECT_EQ(BuiltinPictures::thumbnail(1).size(), QSize(62, 80));
    EXPECT_EQ(BuiltinPictures::thumbnail(2).size(), QSize(62, 80));
    EXPECT_EQ(BuiltinPictures::thumbnail(3).size(), QSize(62, 80));
    EXPECT_EQ(BuiltinPictures::thumbnail(4).size(), QSize(60, 80));
}

TEST(Thumbnails, TopLeftOfTheirPortraitFrameWithADarkerGreyInside)
{
    const QRgb frameGrey = qRgb(220, 220, 220);
    const QRgb thumbnailGrey = qRgb(200, 200, 200);
    for (int k = 1; k <= 4; ++k) {
        const QImage thumbnail = BuiltinPictures::thumbnail(k);
        const QImage frame = BuiltinPictures::frame(2 * k - 1);
        ASSERT_FALSE(thumbnail.isNull());
        EXPECT_EQ(thumbnail.pixel(40, 60), thumbnailGrey) << "Klein(" << k << ")";
        int mismatches = 0;
        for (int y = 0; y < thumbnail.height(); ++y)
            for (int x = 0; x < thumbnail.width(); ++x) {
                const QRgb expected = frame.pixel(x, y) == frameGrey ? thumbnailGrey : frame.pixel(x, y);
                mismatches += thumbnail.pixel(x, y) != expected;
            }
        EXPECT_EQ(mismatches, 0) << "Klein(" << k << ")";
    }
}

TEST(WindowPictures, Sizes)
{
    EXPECT_EQ(BuiltinPictures::startPicture().size(), QSize(230, 420));
    EXPECT_EQ(BuiltinPictures::marginsDiagram().size(), QSize(240, 260));
    EXPECT_EQ(BuiltinPictures::printerPicture().size(), QSize(80, 43));
}

TEST(WindowPictures, StartPictureIsAPictureNotAFlatPlaceholder)
{
    const QImage picture = BuiltinPictures::startPicture();
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 3)
        for (int x = 0; x < picture.width(); x += 3)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 200u);
}

// The build draws the start picture once; a stale or wrongly stored copy (rows shifted,
// channels swapped, another size) shows here as a difference from drawing it now.
TEST(WindowPictures, StartPictureIsTheOneDrawnByItsRoutine)
{
    EXPECT_EQ(BuiltinPictures::startPicture(), PictureMakers::makeStartPicture().convertToFormat(QImage::Format_RGB32));
}

TEST(WindowPictures, MarginsDiagramCarriesRedLetters)
{
    const QImage diagram = BuiltinPictures::marginsDiagram();
    int red = 0;
    for (int y = 0; y < diagram.height(); ++y)
        for (int x = 0; x < diagram.width(); ++x) {
            const QRgb c = diagram.pixel(x, y);
            red += qRed(c) > 150 && qGreen(c) < 60 && qBlue(c) < 60;
        }
    EXPECT_GT(red, 6 * 20) << "six letters of a few dozen red pixels each";
}

TEST(Store, IndexesOutsideTheFamiliesGiveNoPicture)
{
    EXPECT_TRUE(BuiltinPictures::frame(0).isNull());
    EXPECT_TRUE(BuiltinPictures::frame(9).isNull());
    EXPECT_TRUE(BuiltinPictures::thumbnail(0).isNull());
    EXPECT_TRUE(BuiltinPictures::thumbnail(5).isNull());
}

TEST(Store, RepeatedRequestsShareOneDrawing)
{
    EXPECT_EQ(BuiltinPictures::frame(3).cacheKey(), BuiltinPictures::frame(3).cacheKey());
    EXPECT_EQ(BuiltinPictures::thumbnail(2).cacheKey(), BuiltinPictures::thumbnail(2).cacheKey());
    EXPECT_EQ(BuiltinPictures::startPicture().cacheKey(), BuiltinPictures::startPicture().cacheKey());
    EXPECT_EQ(BuiltinPictures::marginsDiagram().cacheKey(), BuiltinPictures::marginsDiagram().cacheKey());
    EXPECT_EQ(BuiltinPictures::printerPicture().cacheKey(), BuiltinPictures::printerPicture().cacheKey());
}

TEST(Store, PaintingOnAHandedOutFrameLeavesTheStoredOneAsDrawn)
{
    const QImage before = BuiltinPictures::frame(8).copy();
    QImage stamp = BuiltinPictures::frame(8);
    {
        QPainter p(&stamp);
        p.fillRect(QRect(8, 8, 164, 124), Qt::red);
    }
    EXPECT_EQ(BuiltinPictures::frame(8), before);
    EXPECT_NE(stamp, before);
}

TEST(Store, WritingPixelsOfAHandedOutPictureLeavesTheStoredOneAsDrawn)
{
    const QImage thumbnailBefore = BuiltinPictures::thumbnail(1).copy();
    QImage thumbnail = BuiltinPictures::thumbnail(1);
    thumbnail.invertPixels();
    EXPECT_EQ(BuiltinPictures::thumbnail(1), thumbnailBefore);

    const QImage startBefore = BuiltinPictures::startPicture().copy();
    QImage start = BuiltinPictures::startPicture();
    auto *pixels = reinterpret_cast<QRgb *>(start.bits());
    std::fill(pixels, pixels + start.width() * start.height(), qRgb(0, 0, 0));
    EXPECT_EQ(BuiltinPictures::startPicture(), startBefore);
}

} // namespace
