// Today's photo formats: PNG, WebP and TIFF through Qt's plugins, HEIC through libheif in its
// helper process.
#include "core/CardDocument.h"
#include "heif/HeifContainer.h"
#include "stamp/HeifPicture.h"
#include "stamp/PhotoLoader.h"
#include "stamp/PhotoWorkspace.h"
#include "StampTestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace StampTestFiles;

namespace {

bool near(QRgb pixel, QColor expected)
{
    return std::abs(qRed(pixel) - expected.red()) < 24 && std::abs(qGreen(pixel) - expected.green()) < 24
        && std::abs(qBlue(pixel) - expected.blue()) < 24;
}

struct Sample {
    const char *name;
    QByteArray bytes;
};

QList<Sample> everyNewFormat(const QImage &picture)
{
    return {{"foto.png", encoded(picture, "PNG")}, {"foto.webp", webp(picture)},
            {"foto.tiff", tiff(picture)},          {"IMG_0001.HEIC", heic(picture)}};
}

class PhotoFormats : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

TEST_F(PhotoFormats, EachLoadsAtItsSizeWithItsColours)
{
    for (const Sample &sample : everyNewFormat(redLeftBlueRight())) {
        ASSERT_FALSE(sample.bytes.isEmpty()) << sample.name << ": the test could not write it";
        const QImage picture = PhotoLoader::load(write(dir, sample.name, sample.bytes));
        ASSERT_EQ(picture.size(), QSize(64, 32)) << sample.name;
        EXPECT_EQ(picture.format(), QImage::Format_RGB32) << sample.name;
        EXPECT_TRUE(near(picture.pixel(8, 16), Qt::red)) << sample.name;
        EXPECT_TRUE(near(picture.pixel(56, 16), Qt::blue)) << sample.name;
    }
}

TEST_F(PhotoFormats, LosslessOnesKeepEveryPixel)
{
    const QImage source = numbered(37, 23);
    EXPECT_EQ(PhotoLoader::load(write(dir, "a.webp", webp(source))), source);
    EXPECT_EQ(PhotoLoader::load(write(dir, "a.tif", tiff(source))), source);
}

TEST_F(PhotoFormats, ThePhonesOrientationIsApplied)
{
    // Stored 64 x 32 with red on the left; turned clockwise, red comes on top.
    const QImage tiffTurned = PhotoLoader::load(write(dir, "scan.tif", tiff(redLeftBlueRight(), 0x4)));
    const QImage heicTurned = PhotoLoader::load(write(dir, "IMG_0002.heic", heic(redLeftBlueRight(), 6)));
    for (const QImage &turned : {tiffTurned, heicTurned}) {
        ASSERT_EQ(turned.size(), QSize(32, 64));
        EXPECT_TRUE(near(turned.pixel(16, 8), Qt::red));
        EXPECT_TRUE(near(turned.pixel(16, 56), Qt::blue));
    }
    // Mirrored: red comes on the right.
    const QImage mirrored = HeifPicture::read(heic(redLeftBlueRight(), 2));
    ASSERT_EQ(mirrored.size(), QSize(64, 32));
    EXPECT_TRUE(near(mirrored.pixel(56, 16), Qt::red));
}

TEST_F(PhotoFormats, CutOffCopiesGiveNothingAndDamagedOnesNeverCrash)
{
    for (const Sample &sample : everyNewFormat(numbered(96, 64))) {
        const qsizetype size = sample.bytes.size();
        for (const qsizetype keep : {qsizetype(12), size / 4, size / 2, size * 9 / 10, size - 13})
            EXPECT_TRUE(PhotoLoader::load(write(dir, sample.name, sample.bytes.left(keep))).isNull())
                << sample.name << " cut to " << keep << " bytes";
        // (size - 13 cuts into the last chunk before a PNG's 12-byte end marker.)
        // Scrambled after the header: a picture of its size or nothing, never a crash.
        for (qsizetype at = 16; at < sample.bytes.size(); at += sample.bytes.size() / 7) {
            QByteArray damaged = sample.bytes;
            for (qsizetype i = at; i < std::min(at + 24, damaged.size()); ++i)
                damaged[i] = char(damaged[i] ^ 0x5A);
            const QImage picture = PhotoLoader::load(write(dir, sample.name, damaged));
            EXPECT_TRUE(picture.isNull() || picture.size() == QSize(96, 64)) << sample.name << " at " << at;
        }
    }
}

TEST_F(PhotoFormats, AHeicAsStampPhotoIsNamedUprightAndABrokenOneChangesNothing)
{
    CardDocument document;
    PhotoWorkspace workspace{document};
    ASSERT_TRUE(workspace.loadPhoto(write(dir, "IMG_0003.HEIC", heic(redLeftBlueRight(), 6))));
    EXPECT_EQ(document.nameCaption(), "IMG_0003.HEIC / 32 x 64 pixels");
    EXPECT_TRUE(near(workspace.viewImage().pixel(16, 8), Qt::red));
    const QImage before = workspace.viewImage();

    const QByteArray whole = heic(redLeftBlueRight(128, 96));
    EXPECT_FALSE(workspace.loadPhoto(write(dir, "kapot.heic", whole.left(whole.size() * 2 / 3))));
    EXPECT_EQ(document.nameCaption(), "IMG_0003.HEIC / 32 x 64 pixels");
    EXPECT_EQ(workspace.viewImage(), before);
    EXPECT_EQ(workspace.backPic().size(), QSize(32, 64));
}

TEST(HeifCorpus, KeptFilesGiveAPictureTheProgramHoldsOrNothing)
{
    // heif-enc's picture, an AVIF (refused: only HEVC is read) and what fuzzing kept.
    const QDir corpus(QStringLiteral(HEIF_CORPUS));
    const QStringList names = corpus.entryList(QDir::Files);
    ASSERT_GE(names.size(), 3);
    for (const QString &name : names) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QImage picture = HeifPicture::read(bytes);
        EXPECT_TRUE(picture.isNull() || picture.format() == QImage::Format_RGB32) << name.toStdString();
        if (name == QLatin1String("rgb-48x32.heic")) {
            ASSERT_EQ(picture.size(), QSize(48, 32));
            EXPECT_TRUE(near(picture.pixel(4, 4), QColor(220, 40, 40)));
            EXPECT_TRUE(near(picture.pixel(44, 4), QColor(40, 60, 200)));
            EXPECT_TRUE(near(picture.pixel(24, 28), QColor(40, 160, 60)));
        }
        if (name == QLatin1String("rgb-48x32.avif")) {
            EXPECT_TRUE(picture.isNull());
        }
        // 515 bytes whose grid (in the idat box, or pointed at elsewhere in the file)
        // claims a canvas of gigabytes for a 48 x 32 picture: refused before libheif
        // allocates it (2.2 GB and seconds of the window's time).
        if (name.startsWith(QLatin1String("huge-grid")) || name == QLatin1String("damaged-sps.heic")) {
            EXPECT_FALSE(HeifContainer::codedSizesFit(bytes)) << name.toStdString();
        }
        if (name == QLatin1String("rgb-48x32.heic")) {
            EXPECT_TRUE(HeifContainer::codedSizesFit(bytes));
        }
    }
}

} // namespace
