// Tiny files whose headers claim pictures of gigabytes: refused from the header, in
// moments and without the memory, and a photo decoded no larger than its use needs.
#include "cardfile/PictureFile.h"
#include "stamp/PhotoLoader.h"
#include "stamp/PngChunks.h"
#include "StampTestFiles.h"
#include "support/HostilePictures.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace StampTestFiles;

namespace {

qint64 peakResidentMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

class HostilePicturesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const QString &name, const QByteArray &bytes) { return write(dir, name, bytes); }
};

TEST_F(HostilePicturesTest, TinyFilesClaimingGigabytesAreRefusedFromTheirHeader)
{
    const struct {
        const char *name;
        QByteArray bytes;
        QSize claimed;
    } files[] = {
        {"scherm.gif", HostilePictures::gifScreen(), QSize(16000, 16000)},
        {"rle4.bmp", HostilePictures::rle4Bitmap(), QSize(16384, 16384)},
        {"progressief.jpg", HostilePictures::progressiveJpeg(), QSize(16000, 16000)},
        {"groot.png", HostilePictures::plainPng(), QSize(16384, 16384)},
    };
    PhotoLoader::Use asBackground;
    asBackground.cover = QSize(1760, 1080);
    QElapsedTimer clock;
    clock.start();
    for (const auto &hostile : files) {
        ASSERT_FALSE(hostile.bytes.isEmpty()) << hostile.name;
        const QString path = file(QString::fromLatin1(hostile.name), hostile.bytes);
        for (const PhotoLoader::Use &use : {PhotoLoader::Use{}, asBackground}) {
            const PhotoLoader::Loaded loaded = PhotoLoader::read(path, use);
            EXPECT_TRUE(loaded.picture.isNull()) << hostile.name;
            EXPECT_EQ(loaded.fault, PhotoLoader::Fault::TooLarge) << hostile.name;
            EXPECT_EQ(loaded.claimed, hostile.claimed) << hostile.name;
        }
        // As a card's own bitmap only its exact size is read.
        EXPECT_TRUE(PictureFile::read(path, QSize(440, 270)).isNull()) << hostile.name;
    }
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_LT(peakResidentMb(), 400);
}

TEST_F(HostilePicturesTest, CardBitmapOfAnyOtherSizeIsRefused)
{
    const QImage card = numbered(440, 270);
    EXPECT_EQ(PictureFile::read(file("kaart.bmp", encoded(card, "BMP")), QSize(440, 270)), card);
    EXPECT_TRUE(PictureFile::read(file("breder.bmp", encoded(numbered(441, 270), "BMP")), QSize(440, 270)).isNull());
    PhotoLoader::Use exact;
    exact.exact = QSize(440, 270);
    const PhotoLoader::Loaded small = PhotoLoader::read(file("klein.bmp", encoded(numbered(40, 27), "BMP")), exact);
    EXPECT_EQ(small.fault, PhotoLoader::Fault::WrongSize);
    EXPECT_EQ(small.claimed, QSize(40, 27));
}

TEST_F(HostilePicturesTest, LargeJpegIsDecodedOnlyAsLargeAsItsUseNeeds)
{
    const QString path = file("camera.jpg", encoded(numbered(3600, 2400), "JPG"));
    PhotoLoader::Use use;
    use.cover = QSize(1760, 1080);
    const PhotoLoader::Loaded covering = PhotoLoader::read(path, use);
    ASSERT_FALSE(covering.picture.isNull());
    // The smallest size of the same shape that covers the use: 1760 by 1174.
    EXPECT_EQ(covering.picture.size(), QSize(1760, 1174));
    EXPECT_EQ(covering.claimed, QSize(3600, 2400));

    // A template's part on the card: only that part.
    const PhotoLoader::WithFinerCopy part = PhotoLoader::loadWithFinerCopy(path, 4, QSize(440, 270));
    EXPECT_EQ(part.picture.size(), QSize(440, 270));
    EXPECT_TRUE(part.finer.isNull());
}

} // namespace

namespace {

// A photo of a few hundred bytes whose text chunk claims a gigabyte: the PNG library
// would take that memory just to read the header. One cut short in its pixels is a
// download that stopped, and still shows.
TEST_F(HostilePicturesTest, PngWhoseChunkClaimsMoreThanTheFileIsRefusedWithoutTheMemory)
{
    QImage image(48, 32, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QByteArray sound = encoded(image, "PNG");
    QByteArray claim(8, '\0');
    claim[0] = 0x40; // 1 GiB, big-endian
    claim.replace(4, 4, "zTXt");
    QByteArray hostile = sound;
    hostile.insert(33, claim + QByteArray("Comment\0\0x\x9c", 11)); // right after the header chunk

    const qint64 before = peakResidentMb();
    const PhotoLoader::Loaded loaded = PhotoLoader::read(file(QStringLiteral("tekst.png"), hostile));
    EXPECT_TRUE(loaded.picture.isNull());
    EXPECT_EQ(loaded.fault, PhotoLoader::Fault::Damaged);
    EXPECT_LT(peakResidentMb() - before, 256) << "megabytes taken for a file of a few hundred bytes";

    EXPECT_FALSE(PhotoLoader::read(file(QStringLiteral("heel.png"), sound)).picture.isNull());
    const qsizetype pixelChunk = sound.indexOf("IDAT");
    ASSERT_GT(pixelChunk, 0);
    const QByteArray cut = sound.left(pixelChunk + 12);
    EXPECT_TRUE(PngChunks::lieInFile(cut, PngChunks::End::MayBeCut)) << "a photo cut short in its pixels";
    EXPECT_FALSE(PngChunks::lieInFile(cut, PngChunks::End::Required)) << "a copy the program wrote is whole";
    EXPECT_FALSE(PngChunks::lieInFile(hostile, PngChunks::End::MayBeCut));
}

} // namespace
