// HEIC photos through the real helper, lumovander-heif: a good photo comes back upright,
// and a file on which libheif aborts costs a bad picture, not the program.
#include "stamp/HeifPicture.h"
#include "stamp/PhotoLoader.h"
#include "StampTestFiles.h"
#include "support/StandInHelper.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <gtest/gtest.h>

using namespace StampTestFiles;

namespace {

QByteArray corpusFile(const char *name)
{
    QFile file(QStringLiteral(HEIF_CORPUS "/%1").arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A stand-in helper's script that answers a 1 x 1 picture after the magic.
QByteArray onePixel(const char *magic)
{
    return QByteArray("printf '") + magic + R"(\001\000\000\000\001\000\000\000\000\000\377\000')";
}

class HeifDecoderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

TEST_F(HeifDecoderTest, HelperDecodesAPhotoMirroredAsRecorded)
{
    ASSERT_TRUE(HeifPicture::decoderPath().endsWith(QLatin1String("lumovander-heif")));
    QImage source(64, 32, QImage::Format_RGB32);
    source.fill(Qt::blue);
    QPainter(&source).fillRect(0, 0, 32, 32, Qt::red);
    // Orientation 2: mirrored, so red comes on the right.
    const QImage mirrored = PhotoLoader::load(write(dir, "IMG_0004.HEIC", heic(source, 2)));
    ASSERT_EQ(mirrored.size(), QSize(64, 32));
    EXPECT_EQ(mirrored.format(), QImage::Format_RGB32);
    EXPECT_GT(qRed(mirrored.pixel(56, 16)), 200);
    EXPECT_GT(qBlue(mirrored.pixel(8, 16)), 200);
}

// 515 bytes, found by fuzzing, on which libheif 1.15 ends its process through assert().
// Our own checks of the boxes let it through, so it reaches libheif: in the helper.
TEST_F(HeifDecoderTest, FileOnWhichLibheifAbortsIsABadPictureAndTheProgramLivesOn)
{
    const QByteArray aborting = corpusFile("libheif-assert.heic");
    ASSERT_EQ(aborting.size(), 515);

    // The helper itself does go down on it: the test would prove nothing otherwise.
    QProcess helper;
    helper.start(HeifPicture::decoderPath(), {});
    ASSERT_TRUE(helper.waitForStarted());
    helper.write(aborting);
    helper.closeWriteChannel();
    ASSERT_TRUE(helper.waitForFinished(-1));
    EXPECT_EQ(helper.exitStatus(), QProcess::CrashExit);

    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(PhotoLoader::load(write(dir, "kapot.heic", aborting)).isNull());
    // And the next photo loads as ever.
    const QImage after = PhotoLoader::load(write(dir, "goed.heic", corpusFile("rgb-48x32.heic")));
    EXPECT_EQ(after.size(), QSize(48, 32));
}

TEST_F(HeifDecoderTest, EnvironmentNamesTheHelperWhichMustAnswerAsTheHeicHelper)
{
    const auto standIn = [this](const char *magic) { return standInHelper(dir, QLatin1String(magic), onePixel(magic)); };
    const QByteArray photo = corpusFile("rgb-48x32.heic");
    qputenv("LUMO_HEIF_DECODER", standIn("LHEF").toLocal8Bit());
    EXPECT_EQ(HeifPicture::read(photo).size(), QSize(1, 1));
    qputenv("LUMO_HEIF_DECODER", standIn("LWMF").toLocal8Bit());
    EXPECT_TRUE(HeifPicture::read(photo).isNull());
    qunsetenv("LUMO_HEIF_DECODER");
    EXPECT_EQ(HeifPicture::read(photo).size(), QSize(48, 32));
}

// 515 bytes whose grid claims a canvas of gigabytes: refused by our reading of the boxes,
// before any helper starts (a helper that says it succeeded is not asked).
TEST_F(HeifDecoderTest, HugeCanvasIsRefusedWithoutAskingTheHelper)
{
    const QString liar = standInHelper(dir, QStringLiteral("liar"), onePixel("LHEF"));
    EXPECT_EQ(HeifPicture::read(corpusFile("rgb-48x32.heic"), HeifPicture::defaultLimits(), liar).size(), QSize(1, 1));
    EXPECT_TRUE(HeifPicture::read(corpusFile("huge-grid.heic"), HeifPicture::defaultLimits(), liar).isNull());
}

} // namespace
