#include "core/FileFilter.h"
#include "stamp/PhotoFileFilter.h"
#include "stamp/PhotoLoader.h"
#include "core/PictureLimits.h"
#include "StampTestFiles.h"
#include "support/StuckReaderGuard.h"
#include "cardfile/HandMadeBitmap.h"
#include "stamp/PictureCompleteness.h"

#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace StampTestFiles;

namespace {

QImage twoColours(int w, int h, QColor left, QColor right)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(right);
    QPainter(&image).fillRect(0, 0, w / 2, h, left);
    return image;
}

bool near(QRgb pixel, QColor expected)
{
    return std::abs(qRed(pixel) - expected.red()) < 24 && std::abs(qGreen(pixel) - expected.green()) < 24
        && std::abs(qBlue(pixel) - expected.blue()) < 24;
}

class PhotoLoaderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const QString &name, const QByteArray &bytes) { return write(dir, name, bytes); }
};

TEST_F(PhotoLoaderTest, JpegLoadsAtItsSizeIn32Bits)
{
    const QImage picture = PhotoLoader::load(file("strand.jpg", encoded(twoColours(640, 480, Qt::red, Qt::blue), "JPG")));
    ASSERT_EQ(picture.size(), QSize(640, 480));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_TRUE(near(picture.pixel(100, 240), Qt::red));
    EXPECT_TRUE(near(picture.pixel(540, 240), Qt::blue));
}

TEST_F(PhotoLoaderTest, BmpAndPngKeepEveryPixel)
{
    const QImage source = numbered(37, 23);
    EXPECT_EQ(PhotoLoader::load(file("a.bmp", encoded(source, "BMP"))), source);
    EXPECT_EQ(PhotoLoader::load(file("a.png", encoded(source, "PNG"))), source);
}

TEST_F(PhotoLoaderTest, ContentDecidesNotTheName)
{
    const QImage source = numbered(20, 10);
    EXPECT_EQ(PhotoLoader::load(file("really-a-bmp.jpg", encoded(source, "BMP"))), source);
}

TEST_F(PhotoLoaderTest, GifGivesItsFirstFrame)
{
    const QImage first = twoColours(30, 20, QColor(200, 0, 0), QColor(0, 0, 200));
    QImage second(30, 20, QImage::Format_RGB32);
    second.fill(QColor(0, 200, 0));
    const QImage picture = PhotoLoader::load(file("anim.gif", gif({first, second})));
    ASSERT_EQ(picture.size(), QSize(30, 20));
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), first);
}

TEST_F(PhotoLoaderTest, JpegIsTurnedUprightAsItsExifSays)
{
    // Taken on its side: the left half (red) is the top of the upright picture.
    const QByteArray jpeg = encoded(twoColours(40, 20, Qt::red, Qt::blue), "JPG");
    const QImage picture = PhotoLoader::load(file("phone.jpg", withExifOrientation(jpeg, 6)));
    ASSERT_EQ(picture.size(), QSize(20, 40));
    EXPECT_TRUE(near(picture.pixel(10, 5), Qt::red));
    EXPECT_TRUE(near(picture.pixel(10, 35), Qt::blue));
}

TEST_F(PhotoLoaderTest, PlaceableMetafileIsDrawnAtItsSizeOnAScreenInch)
{
    const QImage picture = PhotoLoader::load(file("clip.wmf", placeableWmf()));
    ASSERT_EQ(picture.size(), QSize(100, 50));
    const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255);
    // Filled up to the rectangle's right and bottom edge, where Windows leaves a pixel out.
    for (QPoint inside : {QPoint(10, 10), QPoint(58, 38), QPoint(35, 25)})
        EXPECT_EQ(picture.pixel(inside), red) << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(9, 10), QPoint(10, 9), QPoint(62, 38), QPoint(58, 42), QPoint(0, 0), QPoint(99, 49)})
        EXPECT_EQ(picture.pixel(outside), white) << outside.x() << "," << outside.y();
}

TEST_F(PhotoLoaderTest, MetafileUnitsPerInchScaleIt)
{
    // 100 x 50 units at 192 units per inch is half an inch wide: 48 screen pixels.
    const QImage picture = PhotoLoader::load(file("clip.wmf", placeableWmf(200)));
    EXPECT_EQ(picture.size(), QSize(48, 24));
}

TEST_F(PhotoLoaderTest, PlainMetafileIsDrawnAtTheExtentOfItsDrawing)
{
    const QImage picture = PhotoLoader::load(file("plain.wmf", plainWmf()));
    ASSERT_FALSE(picture.isNull());
    // The rectangle is 50 x 30 units, one unit a pixel (give or take the edge pixel).
    EXPECT_NEAR(picture.width(), 50, 1);
    EXPECT_NEAR(picture.height(), 30, 1);
    EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() / 2), qRgb(255, 0, 0));
}

class BadFileTest : public PhotoLoaderTest {};

TEST_F(BadFileTest, MissingAndEmptyFilesFail)
{
    EXPECT_TRUE(PhotoLoader::load(dir.filePath("nothing-here.jpg")).isNull());
    EXPECT_TRUE(PhotoLoader::load(file("empty.jpg", {})).isNull());
    EXPECT_TRUE(PhotoLoader::load(dir.path()).isNull());
}

TEST_F(BadFileTest, TextRenamedToJpgFails)
{
    EXPECT_TRUE(PhotoLoader::load(file("notes.jpg", "Boodschappen: brood, kaas, melk\r\n")).isNull());
}

TEST_F(BadFileTest, CutOffJpegFails)
{
    const QByteArray jpeg = encoded(numbered(200, 150), "JPG");
    EXPECT_FALSE(PhotoLoader::load(file("whole.jpg", jpeg)).isNull());
    EXPECT_TRUE(PhotoLoader::load(file("half.jpg", jpeg.left(jpeg.size() / 2))).isNull());
    EXPECT_TRUE(PhotoLoader::load(file("header.jpg", jpeg.left(300))).isNull());
}

TEST_F(BadFileTest, CutOffJpegWithACompleteExifThumbnailStillFails)
{
    // The EXIF block may hold a whole small JPEG with its own end marker.
    const QByteArray thumbnail = encoded(numbered(16, 16), "JPG");
    const QByteArray jpeg = encoded(numbered(200, 150), "JPG");
    QByteArray app1("\xFF\xE1", 2);
    const int length = int(thumbnail.size()) + 2;
    app1.append(char(length >> 8));
    app1.append(char(length & 0xFF));
    app1.append(thumbnail);
    const QByteArray withThumbnail = jpeg.left(2) + app1 + jpeg.mid(2);
    EXPECT_FALSE(PhotoLoader::load(file("thumb.jpg", withThumbnail)).isNull());
    EXPECT_TRUE(PhotoLoader::load(file("thumb-cut.jpg", withThumbnail.left(withThumbnail.size() - 40))).isNull());
}

TEST_F(BadFileTest, CutOffBmpAndGifFail)
{
    const QByteArray bmp = encoded(numbered(40, 30), "BMP");
    EXPECT_TRUE(PhotoLoader::load(file("cut.bmp", bmp.left(bmp.size() - 10))).isNull());
    const QByteArray animation = gif({twoColours(40, 30, Qt::red, Qt::blue)});
    EXPECT_TRUE(PhotoLoader::load(file("cut.gif", animation.left(animation.size() - 40))).isNull());
    EXPECT_TRUE(PhotoLoader::load(file("header.gif", animation.left(13))).isNull());
}

TEST_F(BadFileTest, HeadersClaimingAHugePictureFail)
{
    // 100000 x 100000, 8-bit run-length BMP: no fixed size to check, only the header.
    QByteArray bmp("BM", 2);
    const auto put32 = [](QByteArray &b, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    put32(bmp, 1200);
    put32(bmp, 0);
    put32(bmp, 54 + 1024);
    put32(bmp, 40);
    put32(bmp, 100000);
    put32(bmp, 100000);
    bmp.append("\x01\x00\x08\x00", 4); // one plane, 8 bits
    put32(bmp, 1);                      // RLE8
    bmp.append(QByteArray(20 + 1024 + 64, '\0'));
    EXPECT_TRUE(PhotoLoader::load(file("huge.bmp", bmp)).isNull());

    const QByteArray png = encoded(numbered(8, 8), "PNG");
    EXPECT_EQ(PhotoLoader::load(file("sound.png", withPngSize(png, 8, 8))).size(), QSize(8, 8));
    const QByteArray huge = withPngSize(png, 100000, 100000);
    EXPECT_TRUE(PhotoLoader::load(file("huge.png", huge)).isNull());
}

TEST_F(PhotoLoaderTest, TopDownBitmapsLoadUpright)
{
    // Three rows of two: red over green over blue, left column darker.
    const std::vector<QColor> pixels = {QColor(200, 0, 0), QColor(255, 0, 0), QColor(0, 200, 0),
                                        QColor(0, 255, 0), QColor(0, 0, 200), QColor(0, 0, 255)};
    QImage expected(2, 3, QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i)
        expected.setPixel(i % 2, i / 2, pixels[size_t(i)].rgb());
    for (int bits : {24, 32}) {
        const QString name = QString("top-down-%1.bmp").arg(bits);
        EXPECT_EQ(PhotoLoader::load(file(name, handMadeBitmap(2, 3, pixels, bits, true))), expected) << bits;
        EXPECT_EQ(PhotoLoader::load(file("bottom-up.bmp", handMadeBitmap(2, 3, pixels, bits))), expected) << bits;
    }
}

TEST_F(BadFileTest, BitmapHeadersClaimingTheLargestSizesFailWithoutOverflow)
{
    // A 118-byte bitmap whose header claims (2^31 - 1) x (2^31 - 1) pixels, in every bit
    // depth: the rows such a header asks for do not fit in 64 bits at 32 bits a pixel.
    for (quint16 bits : {1, 4, 8, 24, 32, 64, 0xFFFF}) {
        for (qint32 height : {INT32_MAX, -INT32_MAX, INT32_MIN}) {
            std::vector<QColor> none;
            QByteArray bmp = handMadeBitmap(0, 0, none);
            const auto put = [&](int at, quint32 v, int bytes) {
                for (int i = 0; i < bytes; ++i)
                    bmp[at + i] = char((v >> (8 * i)) & 0xFF);
            };
            bmp.append(QByteArray(64, '\x7f')); // a 16-colour palette's worth
            put(2, quint32(bmp.size()), 4);
            put(10, quint32(bmp.size()), 4);
            put(18, INT32_MAX, 4);
            put(22, quint32(height), 4);
            put(28, bits, 2);
            ASSERT_EQ(bmp.size(), 118);
            EXPECT_FALSE(PictureCompleteness::bmpComplete(bmp)) << bits << " " << height;
            EXPECT_TRUE(PhotoLoader::load(file("claims.bmp", bmp)).isNull()) << bits << " " << height;
        }
    }
}

TEST_F(BadFileTest, NamedPipeFailsWithoutWaiting)
{
    const StuckReaderGuard pipe(dir.filePath("foto.jpg"));
    ASSERT_TRUE(pipe.made());
    EXPECT_TRUE(PhotoLoader::load(dir.filePath("foto.jpg")).isNull());
    EXPECT_FALSE(pipe.stuck());
}

TEST_F(BadFileTest, DamagedMetafilesFail)
{
    const QByteArray wmf = placeableWmf();
    EXPECT_TRUE(PhotoLoader::load(file("cut.wmf", wmf.left(wmf.size() - 20))).isNull());
    EXPECT_TRUE(PhotoLoader::load(file("text.wmf", "Dit is geen tekening.")).isNull());
    EXPECT_TRUE(PhotoLoader::load(file("no-inch.wmf", placeableWmf(0))).isNull());
    // 30000 units at one unit per inch: 2.88 million pixels a side.
    EXPECT_TRUE(PhotoLoader::load(file("huge.wmf", placeableWmf(1, 30000, 30000))).isNull());
}

TEST(PictureLimitsTest, OneGibibyteOf32BitPixelsIsTheLimit)
{
    EXPECT_TRUE(PictureLimits::fits(16384, 16384)); // exactly 1 GiB
    EXPECT_FALSE(PictureLimits::fits(16385, 16384));
    EXPECT_FALSE(PictureLimits::fits(100000, 100000));
    EXPECT_TRUE(PictureLimits::fits(268435456, 1));
    EXPECT_FALSE(PictureLimits::fits(268435457, 1));
    EXPECT_FALSE(PictureLimits::fits(0, 10));
    EXPECT_FALSE(PictureLimits::fits(10, -1));
    EXPECT_EQ(PictureLimits::allocationLimitMb(), 1024);
}

TEST(PhotoFileFilterTest, TheFirstEntryFindsEveryPhotoInEverySpellingAndTheClassicEntryStays)
{
    const QStringList entries = FileFilter::toDialogFilter(PhotoFileFilter::filter()).split(QStringLiteral(";;"));
    ASSERT_EQ(entries.size(), 2);
    ASSERT_TRUE(entries[1].startsWith("Foto ( Jpg, Bmp, Gif, Wmf ) ("));
    // As the file dialog matches: each pattern a wildcard, case-sensitive on Linux.
    const auto found = [](const QString &entry, const QString &name) {
        const QStringList patterns = entry.mid(entry.lastIndexOf(" (") + 2).chopped(1).split(QLatin1Char(' '));
        for (const QString &pattern : patterns)
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(name).hasMatch())
                return true;
        return false;
    };
    for (const char *name : {"strand.jpg", "IMG_0001.JPG", "zee.Jpeg", "logo.WMF", "a.gif", "b.Bmp", "foto.png",
                             "IMG_0002.HEIC", "x.heif", "y.WebP", "scan.tif", "scan.TIFF"})
        EXPECT_TRUE(found(entries[0], name)) << name;
    for (const char *name : {"kaart.crd", "strand.jpg.txt", "film.mov"})
        EXPECT_FALSE(found(entries[0], name)) << name;
    EXPECT_TRUE(found(entries[1], "IMG_0001.JPG"));
    EXPECT_FALSE(found(entries[1], "IMG_0002.HEIC"));
}

} // namespace
