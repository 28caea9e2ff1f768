#include "FilterTestPictures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

using namespace TestPictures;

namespace {
struct BatchRun {
    int exitCode = -1;
    QString errors;
};

BatchRun Batch(const QStringList &words)
{
    // A desktop session's runtime folder, so that Qt has nothing to say on stderr.
    static QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LUMO_BATCH_PATH), QStringList{QStringLiteral("filter")} + words);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class BatchFilter : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        input = folder.filePath(QStringLiteral("in.bmp"));
        ASSERT_TRUE(Grey(3, 2, {0, 1, 2, 10, 11, 12}).save(input));
    }
    QString path(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }

    // A bad command: one line on stderr, a non-zero status and no output file.
    void ExpectRefused(const QStringList &words, const QString &output)
    {
        const BatchRun run = Batch(words);
        EXPECT_NE(run.exitCode, 0) << words.join(' ').toStdString();
        EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1) << run.errors.toStdString();
        EXPECT_FALSE(QFile::exists(output)) << words.join(' ').toStdString();
    }

    QTemporaryDir folder;
    QString input;
};
} // namespace

TEST_F(BatchFilter, WritesTheFilteredPictureAs32BitBmp)
{
    const QString output = path("out.BMP");
    const BatchRun run = Batch({QStringLiteral("2"), QStringLiteral("0"), input, output});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.isEmpty());
    const QByteArray bytes = FileBytes(output);
    ASSERT_GT(bytes.size(), 30);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 32); // bits per pixel
    EXPECT_EQ(GreyValues(QImage(output)), (std::vector<int>{255, 254, 253, 245, 244, 243}));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2); // no temporary file left
}

TEST_F(BatchFilter, WritesPngWithFourBytesPerPixel)
{
    const QString output = path("out.png");
    const BatchRun run = Batch({QStringLiteral("16"), QStringLiteral("4"), input, output});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QByteArray bytes = FileBytes(output);
    ASSERT_GT(bytes.size(), 26);
    EXPECT_EQ(int(bytes[24]), 8); // bits per channel
    EXPECT_EQ(int(bytes[25]), 6); // colour type: red, green, blue and alpha
    EXPECT_EQ(GreyValues(QImage(output)), (std::vector<int>{0, 1, 2, 10, 11, 12}));
    EXPECT_EQ(QImage(output).pixel(2, 1), qRgba(12, 12, 12, 255));
}

TEST_F(BatchFilter, MirrorsByName)
{
    for (auto [word, expected] : {std::pair{"fliph", std::vector<int>{2, 1, 0, 12, 11, 10}},
                                  std::pair{"mirror", std::vector<int>{2, 1, 0, 12, 11, 10}},
                                  std::pair{"flipv", std::vector<int>{10, 11, 12, 0, 1, 2}}}) {
        const QString output = path("mirrored.png");
        const BatchRun run = Batch({QString::fromLatin1(word), QStringLiteral("0"), input, output});
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        EXPECT_EQ(GreyValues(QImage(output)), expected) << word;
    }
}

TEST_F(BatchFilter, StartsTheRandomSequenceAfreshEveryRun)
{
    const QString photo = path("photo.png");
    ASSERT_TRUE(Varied(40, 30).save(photo));
    ASSERT_EQ(Batch({QStringLiteral("29"), QStringLiteral("50"), photo, path("a.png")}).exitCode, 0);
    ASSERT_EQ(Batch({QStringLiteral("29"), QStringLiteral("50"), photo, path("b.png")}).exitCode, 0);
    EXPECT_EQ(QImage(path("a.png")), QImage(path("b.png")));
    EXPECT_NE(QImage(path("a.png")), QImage(photo));
}

TEST_F(BatchFilter, RefusesBadInputWithOneLineAndNoOutput)
{
    const QString output = path("out.bmp");
    QFile text(path("text.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is not a picture\n");
    text.close();

    ExpectRefused({QStringLiteral("2"), QStringLiteral("0"), path("missing.bmp"), output}, output);
    ExpectRefused({QStringLiteral("2"), QStringLiteral("0"), text.fileName(), output}, output);
    ExpectRefused({QStringLiteral("5"), QStringLiteral("0"), input, output}, output);
    ExpectRefused({QStringLiteral("sharpen"), QStringLiteral("10"), input, output}, output);
    ExpectRefused({QStringLiteral("14"), QStringLiteral("1.5"), input, output}, output);
    ExpectRefused({QStringLiteral("14"), QStringLiteral("ten"), input, output}, output);
    ExpectRefused({QStringLiteral("14"), QStringLiteral("99999999999"), input, output}, output);
    ExpectRefused({QStringLiteral("14"), QStringLiteral("4"), input}, output);
    ExpectRefused({QStringLiteral("2"), QStringLiteral("0"), input, path("out.jpg")}, path("out.jpg"));
    const QString unreachable = path("no/such/folder/out.png");
    ExpectRefused({QStringLiteral("2"), QStringLiteral("0"), input, unreachable}, unreachable);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(BatchFilter, LeavesAnExistingOutputAloneWhenItFails)
{
    const QString output = path("kept.png");
    QFile existing(output);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();
    EXPECT_NE(Batch({QStringLiteral("2"), QStringLiteral("0"), path("missing.bmp"), output}).exitCode, 0);
    EXPECT_EQ(FileBytes(output), QByteArray("old"));
}

TEST_F(BatchFilter, ReadsPhonePhotosAndScans)
{
    // heif-enc's 48 x 32 picture: red top left, blue top right, green below.
    const QString heic = QStringLiteral(HEIF_SEED);
    const QString mirrored = path("mirrored.bmp");
    BatchRun run = Batch({QStringLiteral("fliph"), QStringLiteral("0"), heic, mirrored});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QImage picture(mirrored);
    ASSERT_EQ(picture.size(), QSize(48, 32));
    EXPECT_GT(qBlue(picture.pixel(4, 4)), 150);
    EXPECT_GT(qRed(picture.pixel(44, 4)), 150);

    const QString scan = path("scan.tif");
    ASSERT_TRUE(Grey(3, 2, {0, 1, 2, 10, 11, 12}).save(scan, "TIFF"));
    const QString negative = path("negative.bmp");
    run = Batch({QStringLiteral("2"), QStringLiteral("0"), scan, negative});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(GreyValues(QImage(negative)), (std::vector<int>{255, 254, 253, 245, 244, 243}));
}
