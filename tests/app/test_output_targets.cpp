// Where an output goes: a regular file (or a link) is replaced whole by a rename, but a
// FIFO, a device or standard output cannot be renamed into; they are written directly
// and stay what they were.
#include "batch/BatchCommands.h"
#include "cardfile/CardWriter.h"
#include "core/AtomicFile.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "support/CardEdit.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t typeOf(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

// Everything a FIFO gives until its writer closes it, read on a thread of its own.
std::future<QByteArray> readAllOf(const QString &fifo)
{
    return std::async(std::launch::async, [fifo] {
        QByteArray all;
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return all;
        char buffer[65536];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
            all.append(buffer, n);
        ::close(fd);
        return all;
    });
}

class OutputTargets : public testing::Test {
protected:
    void SetUp() override
    {
        DataFolder::setOverride(data.path());
        CardDocument card;
        editCard(card, [&](Card &card) { card.state.TextLines[1] = QStringLiteral("Jan Jansen"); });
        ASSERT_FALSE(CardWriter::write(card, QStringLiteral("Jan")).has_value());
    }
    void TearDown() override { DataFolder::setOverride(QString()); }

    int render(const QString &output)
    {
        errors.clear();
        QTextStream err(&errors);
        return batchRender({QStringLiteral("Jan"), output}, err);
    }

    // The real batch program, its standard output kept apart from its errors.
    QProcess &batch(const QStringList &words)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(LUMO_BATCH_PATH), words);
        process.waitForFinished(120000);
        return process;
    }

    QTemporaryDir data;
    QTemporaryDir outputs;
    QTemporaryDir runtime;
    QProcess process;
    QString errors;
};

} // namespace

TEST_F(OutputTargets, RenderIntoAFifoWritesThePictureThroughItAndLeavesAFifo)
{
    const QString fifo = outputs.filePath(QStringLiteral("kaart.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    auto read = readAllOf(fifo);
    ASSERT_EQ(render(fifo), 0) << errors.toStdString();
    const QImage picture = QImage::fromData(read.get(), "png");
    EXPECT_EQ(picture.size(), QSize(440, 270));
    EXPECT_EQ(typeOf(fifo), mode_t(S_IFIFO));
    EXPECT_EQ(QDir(outputs.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("kaart.png")})
        << "no hidden file left beside it";
}

TEST_F(OutputTargets, DevNullStaysACharacterDevice)
{
    ASSERT_EQ(typeOf(QStringLiteral("/dev/null")), mode_t(S_IFCHR));
    ASSERT_EQ(render(QStringLiteral("/dev/null")), 0) << errors.toStdString();
    EXPECT_FALSE(AtomicFile::write(QStringLiteral("/dev/null"), QByteArray("niets"), AtomicFile::Destination::Output).has_value());
    EXPECT_EQ(typeOf(QStringLiteral("/dev/null")), mode_t(S_IFCHR));
}

// A link stays the rule it was: replaced itself, the file it points to untouched.
TEST_F(OutputTargets, ALinkToARegularFileIsReplacedItselfNeverWrittenThrough)
{
    const QString target = outputs.filePath(QStringLiteral("doel.txt"));
    const QString link = outputs.filePath(QStringLiteral("link.png"));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("blijft");
    file.close();
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_EQ(render(link), 0) << errors.toStdString();
    EXPECT_EQ(typeOf(link), mode_t(S_IFREG));
    EXPECT_EQ(QImage(link).size(), QSize(440, 270));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("blijft"));
}

TEST_F(OutputTargets, ADashIsStandardOutputForRenderPrintAndFilters)
{
    QProcess &run = batch({QStringLiteral("render"), QStringLiteral("Jan"), QStringLiteral("-"), QStringLiteral("--folder"),
                           data.path()});
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_EQ(QImage::fromData(run.readAllStandardOutput(), "png").size(), QSize(440, 270));
    EXPECT_FALSE(QFile::exists(QStringLiteral("-")));

    QProcess &print = batch({QStringLiteral("print"), QStringLiteral("Jan"), QStringLiteral("--output"),
                             QStringLiteral("-"), QStringLiteral("--folder"), data.path()});
    EXPECT_EQ(print.exitCode(), 0) << print.readAllStandardError().toStdString();
    const QByteArray pdf = print.readAllStandardOutput();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));

    QProcess &gradient = batch({QStringLiteral("gradient"), QStringLiteral("7"), QStringLiteral("-"),
                                QStringLiteral("--size"), QStringLiteral("30x20")});
    EXPECT_EQ(gradient.exitCode(), 0) << gradient.readAllStandardError().toStdString();
    EXPECT_EQ(QImage::fromData(gradient.readAllStandardOutput(), "png").size(), QSize(30, 20));
}

// /dev/stdout is a link into the process's open files: it means standard output, and is
// never replaced by a file (as root that would break it for every program).
TEST_F(OutputTargets, DevStdoutIsWrittenAndStaysALink)
{
    const mode_t before = typeOf(QStringLiteral("/dev/stdout"));
    QProcess &run = batch({QStringLiteral("render"), QStringLiteral("Jan"), QStringLiteral("/dev/stdout"),
                           QStringLiteral("--folder"), data.path()});
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_EQ(QImage::fromData(run.readAllStandardOutput(), "png").size(), QSize(440, 270));
    EXPECT_EQ(typeOf(QStringLiteral("/dev/stdout")), before);
}

// A shell's "> file" reaches the program as /dev/stdout pointing to a regular file: the
// picture goes into that file, and the link stays.
TEST_F(OutputTargets, DevStdoutRedirectedToAFileFillsThatFile)
{
    const QString file = outputs.filePath(QStringLiteral("uit.png"));
    process.setStandardOutputFile(file);
    QProcess &run = batch({QStringLiteral("render"), QStringLiteral("Jan"), QStringLiteral("/dev/stdout"),
                           QStringLiteral("--folder"), data.path()});
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(file).size(), QSize(440, 270));
    EXPECT_EQ(typeOf(QStringLiteral("/dev/stdout")), mode_t(S_IFLNK));
}
