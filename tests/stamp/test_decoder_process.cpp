// The program's side of the decoder helpers, once for both kinds: stand-in helpers
// (shell scripts) that answer well, crash, hang or garble; whatever goes wrong is a bad
// picture, and nothing more.
#include "stamp/DecoderProcess.h"
#include "support/StandInHelper.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// 2 x 1: red, blue.
const QByteArray RedBlue = R"('\002\000\000\000\001\000\000\000\000\000\377\000\377\000\000\000')";

class DecoderProcessTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    DecoderProcess::Helper helper{QStringLiteral("lumovander-test-helper"), "LUMO_TEST_DECODER",
                                  QByteArrayLiteral("LTST"), {}, {}};

    QString fakeHelper(const QByteArray &script)
    {
        return standInHelper(dir, QStringLiteral("helper-%1").arg(++scripts), script);
    }
    QImage decode(const QByteArray &script) { return DecoderProcess::decode(helper, "picture", {}, fakeHelper(script)); }
    int scripts = 0;
};

TEST_F(DecoderProcessTest, WellFormedAnswerIsTaken)
{
    // The stand-ins below are only worth something if a good answer from one is taken.
    const QImage image = decode("printf 'LTST'" + RedBlue);
    ASSERT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 255));
}

TEST_F(DecoderProcessTest, CrashGarbageShortForeignOrFailedAnswersAreBadPictures)
{
    for (const QByteArray &script : {QByteArray("kill -SEGV $$"), QByteArray("kill -ABRT $$"),
                                     QByteArray("head -c 5000 /dev/urandom"),
                                     QByteArray(R"(printf 'LTST\002\000\000\000\001\000\000\000\000\000\377\000\377')"),
                                     QByteArray(R"(printf 'LTST\000\000\001\000\000\000\001\000')"),
                                     "printf 'LWMF'" + RedBlue, "printf 'LTST'" + RedBlue + "; exit 3"})
        EXPECT_TRUE(decode(script).isNull()) << script.constData();
    EXPECT_TRUE(DecoderProcess::decode(helper, "picture", {}, dir.filePath("no-such-helper")).isNull());
}

TEST_F(DecoderProcessTest, HangingHelperIsKilledAtTheWallClock)
{
    DecoderProcess::Limits limits;
    limits.wallClockMs = 1000;
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(DecoderProcess::decode(helper, "picture", limits, fakeHelper("while :; do :; done")).isNull());
    // Not a timing check: the helper would spin for ever without the kill.
    EXPECT_LT(timer.elapsed(), 60000);
}

TEST_F(DecoderProcessTest, LimitsReachTheHelpersArguments)
{
    DecoderProcess::Limits limits;
    limits.cpuSeconds = 3;
    limits.memoryMb = 77;
    const QString helperPath = fakeHelper(R"([ "$*" = "--cpu-seconds 3 --memory-mb 77" ] || exit 1; printf 'LTST')" + RedBlue);
    EXPECT_EQ(DecoderProcess::decode(helper, "picture", limits, helperPath).size(), QSize(2, 1));
}

// A spare helper waits for the next file of its own program only: the environment
// names another helper, and its answer, not the spare's, is the picture.
TEST_F(DecoderProcessTest, SpareHelperServesOnlyItsOwnProgram)
{
    const QString oneByOne = fakeHelper(R"(printf 'LTST\001\000\000\000\001\000\000\000\000\000\377\000')");
    const QString twoByOne = fakeHelper("printf 'LTST'" + RedBlue);
    qputenv("LUMO_TEST_DECODER", oneByOne.toLocal8Bit());
    EXPECT_EQ(DecoderProcess::helperPath(helper), oneByOne);
    EXPECT_EQ(DecoderProcess::decode(helper, "picture").size(), QSize(1, 1));
    EXPECT_EQ(DecoderProcess::decode(helper, "picture").size(), QSize(1, 1)); // through the spare
    qputenv("LUMO_TEST_DECODER", twoByOne.toLocal8Bit());
    EXPECT_EQ(DecoderProcess::decode(helper, "picture").size(), QSize(2, 1));
    qunsetenv("LUMO_TEST_DECODER");
    EXPECT_TRUE(DecoderProcess::helperPath(helper).isEmpty());
}

TEST(DecoderAnswer, SizeMustMatchThePixelsAndTheBudget)
{
    QByteArray answer("LTST\001\000\000\000\002\000\000\000", 12);
    answer += QByteArray(8, '\x10');
    const QImage image = DecoderProcess::readAnswer(answer, "LTST");
    ASSERT_EQ(image.size(), QSize(1, 2));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0x10, 0x10, 0x10)); // made opaque
    EXPECT_TRUE(DecoderProcess::readAnswer(answer.chopped(1), "LTST").isNull());
    EXPECT_TRUE(DecoderProcess::readAnswer(answer + "x", "LTST").isNull());
    EXPECT_TRUE(DecoderProcess::readAnswer(answer, "LWMF").isNull());
    // 65536 x 65536 with 16 GB short: refused from the header.
    EXPECT_TRUE(DecoderProcess::readAnswer(QByteArray("LTST\000\000\001\000\000\000\001\000", 12), "LTST").isNull());
}

} // namespace
