// Metafiles through the real helper, lumovander-wmf: its drawing and its own limits. What
// the program does with a helper that crashes, hangs or garbles: test_decoder_process.cpp.
#include "stamp/WmfPicture.h"
#include "support/StandInHelper.h"
#include "support/WmfWriter.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class WmfDecoderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    static QByteArray picture()
    {
        WmfWriter w;
        w.nullPen().brush(Qt::red).rectangle(0, 0, 10, 10);
        return w.placeable(QRect(0, 0, 10, 10));
    }
};

TEST_F(WmfDecoderTest, HelperDrawsThePicture)
{
    ASSERT_FALSE(WmfPicture::decoderPath().isEmpty());
    const QImage image = WmfPicture::render(picture());
    ASSERT_EQ(image.size(), QSize(10, 10));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
}

TEST_F(WmfDecoderTest, EnvironmentNamesTheHelperFirst)
{
    const QString good = standInHelper(dir, QStringLiteral("decoder"), R"(printf 'LWMF\001\000\000\000\001\000\000\000\000\000\377\000')");
    qputenv("LUMO_WMF_DECODER", good.toLocal8Bit());
    EXPECT_EQ(WmfPicture::decoderPath(), good);
    EXPECT_EQ(WmfPicture::render(picture()).size(), QSize(1, 1));
    qunsetenv("LUMO_WMF_DECODER");
    EXPECT_NE(WmfPicture::decoderPath(), good);
}

// Border flood fills over a large picture, again and again: minutes of work for the real
// helper, which its own CPU limit ends (a signal, not an answer).
TEST_F(WmfDecoderTest, HelperThatRunsOutOfCpuTimeEndsAndGivesABadPicture)
{
    WmfWriter w;
    w.brush(Qt::red);
    for (int i = 0; i < 400; ++i)
        w.floodFill({10, 10}, Qt::black);
    const QByteArray slow = w.placeable(QRect(0, 0, 3000, 3000));

    QProcess helper;
    helper.start(WmfPicture::decoderPath(), {"--cpu-seconds", "1"});
    ASSERT_TRUE(helper.waitForStarted());
    helper.write(slow);
    helper.closeWriteChannel();
    ASSERT_TRUE(helper.waitForFinished(-1));
    EXPECT_EQ(helper.exitStatus(), QProcess::CrashExit);

    WmfPicture::DecoderLimits limits;
    limits.cpuSeconds = 1;
    EXPECT_TRUE(WmfPicture::render(slow, limits).isNull());
}

// Found by fuzzing our own seeds: a damaged bitmap record on which libwmf's bitmap
// reader loops for ever. The helper's CPU limit ends it; one second here.
TEST_F(WmfDecoderTest, BitmapThatMakesLibwmfLoopEndsAtTheCpuLimit)
{
    const QByteArray looping = QByteArray::fromBase64(
        "183GmgAAAAAAAGQAZABgAAAAAABxVwEACQAAA0AAAAAIAEAAAAAAADQAAABDDyAAzAAAAAMABAAAAAAAPABQAAoAKAoAAAAABAAAAAMA"
        "AAABABgAAAAAACQAAAAAAAAAAAAAAAAAAAAAAAAAAACAKACAUACAeACAADyAKDyAUDyAeDyAAHiAKHiAUHiAeHiAAwAAAAAA");
    WmfPicture::DecoderLimits limits;
    limits.cpuSeconds = 1;
    EXPECT_TRUE(WmfPicture::render(looping, limits).isNull());
}

// Found by fuzzing: libwmf allocates the header's largest record up front, and a header
// claiming 2.9 GB ran the helper out of its memory limit though the file is fine.
TEST_F(WmfDecoderTest, HeaderOverstatingItsLargestRecordStillDraws)
{
    QByteArray bytes = picture();
    const char huge[4] = {0, 0, 0x71, 0x57};
    bytes.replace(22 + 12, 4, huge, 4);
    const QImage image = WmfPicture::render(bytes);
    ASSERT_EQ(image.size(), QSize(10, 10));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
}

TEST_F(WmfDecoderTest, HeaderBeyondThePixelBudgetIsRefused)
{
    WmfWriter w;
    w.nullPen().brush(Qt::red).rectangle(0, 0, 150, 150);
    // 14400 pixels a side at one unit an inch: within what the program holds (1 GB), past
    // what a metafile may ask for.
    EXPECT_TRUE(WmfPicture::render(w.placeable(QRect(0, 0, 150, 150), 1)).isNull());
}

} // namespace
