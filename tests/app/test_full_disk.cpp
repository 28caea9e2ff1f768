#include "batch/BatchCommands.h"
#include "cardfile/CardWriter.h"
#include "core/AtomicFile.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "core/SettingsFile.h"
#include "print/PdfSheetWriter.h"
#include "support/CardEdit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Everything in a folder and its subfolders, hidden files included, as relative paths.
QStringList everythingBelow(const QString &folder)
{
    QStringList found;
    const QDir root(folder);
    for (const QString &name : root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        found << name;
        if (QFileInfo(root.filePath(name)).isDir())
            for (const QString &inner : everythingBelow(root.filePath(name)))
                found << name + QLatin1Char('/') + inner;
    }
    return found;
}

// A real file system that runs full: a small tmpfs mounted for the test. Files written
// before fill() are the old files every failed write must leave as they were.
class FullDisk : public testing::Test {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "a full disk is made with a tmpfs mount, which needs root";
        ASSERT_TRUE(m_dir.isValid());
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=2m") != 0)
            GTEST_SKIP() << "a tmpfs cannot be mounted here: " << std::strerror(errno);
        m_mounted = true;
    }
    void TearDown() override
    {
        DataFolder::setOverride(QString());
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Leaves room for this many more files (tmpfs counts a second name of a file too).
    void allowFilesMore(int count)
    {
        struct statvfs disk {};
        ASSERT_EQ(::statvfs(QFile::encodeName(m_dir.path()).constData(), &disk), 0);
        const QByteArray options = "size=2m,nr_inodes=" + QByteArray::number(qulonglong(disk.f_files - disk.f_ffree) + count);
        ASSERT_EQ(::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_REMOUNT, options.constData()), 0)
            << std::strerror(errno);
    }

    void fill()
    {
        const int fd = ::open(QFile::encodeName(path(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0);
        const QByteArray block(4096, 'x');
        while (::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        ::close(fd);
    }

    QStringList allFiles() const { return everythingBelow(m_dir.path()); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace

TEST_F(FullDisk, SettingsFileIsReportedAndKeptWhole)
{
    const QString ini = path(QStringLiteral("Lumovander.ini"));
    PrintSettings settings;
    settings.CardsPerSheet = 8;
    ASSERT_TRUE(SettingsFile::write(ini, settings));
    const QByteArray old = bytesOf(ini);
    fill();
    const QStringList before = allFiles();

    EXPECT_FALSE(SettingsFile::write(ini, PrintSettings()));
    EXPECT_EQ(bytesOf(ini), old);
    EXPECT_EQ(allFiles(), before) << "nothing half-written is left";
}

TEST_F(FullDisk, CardSaveNamesTheFullDiskAndKeepsTheOldCard)
{
    DataFolder::setOverride(path(QStringLiteral("data")));
    CardDocument card;
    editCard(card, [](Card &c) { c.state.TextLines[1] = QStringLiteral("Oud"); });
    ASSERT_FALSE(CardWriter::write(card, QStringLiteral("Jan")).has_value());
    const QString cards = DataFolder::cardsFolder();
    const QByteArray oldRecord = bytesOf(cards + "/Jan.crd");
    const QByteArray oldBack = bytesOf(cards + "/Jan-back.bmp");
    fill();
    const QStringList before = allFiles();

    editCard(card, [](Card &c) { c.state.TextLines[1] = QStringLiteral("Nieuw"); });
    const auto failure = CardWriter::write(card, QStringLiteral("Jan"));
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->startsWith(QStringLiteral("De kaart kon niet worden opgeslagen.\r\n")));
    EXPECT_TRUE(failure->endsWith(QStringLiteral("De schijf is vol."))) << failure->toStdString();
    EXPECT_EQ(bytesOf(cards + "/Jan.crd"), oldRecord);
    EXPECT_EQ(bytesOf(cards + "/Jan-back.bmp"), oldBack);
    EXPECT_EQ(allFiles(), before);
}

TEST_F(FullDisk, CardWhoseOldFilesCannotBeKeptMeanwhileNamesTheFullDisk)
{
    DataFolder::setOverride(path(QStringLiteral("data")));
    CardDocument card;
    ASSERT_FALSE(CardWriter::write(card, QStringLiteral("Jan")).has_value());
    const QStringList before = allFiles();
    // Room for the two new files, none for the second names that keep the old ones
    // until the new ones are in place.
    allowFilesMore(2);

    editCard(card, [](Card &c) { c.state.TextLines[1] = QStringLiteral("Nieuw"); });
    const auto failure = CardWriter::write(card, QStringLiteral("Jan"));
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->endsWith(QStringLiteral("' kon niet worden vervangen. De schijf is vol.")))
        << failure->toStdString();
    EXPECT_EQ(allFiles(), before);
}

TEST_F(FullDisk, PdfIsReportedAndTheOldOneKept)
{
    const QString pdf = path(QStringLiteral("kaartjes.pdf"));
    PrintedCard card;
    card.textLines[1] = QStringLiteral("Jan");
    ASSERT_TRUE(writeSheetPdf(pdf, card, SheetGeometry(), 1).isPrinted());
    const QByteArray old = bytesOf(pdf);
    fill();
    const QStringList before = allFiles();

    const PrintOutcome outcome = writeSheetPdf(pdf, card, SheetGeometry(), 3);
    EXPECT_TRUE(outcome.isFailed());
    EXPECT_TRUE(outcome.message.contains(QStringLiteral("De schijf is vol."))) << outcome.message.toStdString();
    EXPECT_EQ(bytesOf(pdf), old);
    EXPECT_EQ(allFiles(), before);
}

TEST_F(FullDisk, BatchOutputGivesOneLineAndAFailingExit)
{
    const QString out = path(QStringLiteral("verloop.png"));
    QString errors;
    QTextStream err(&errors);
    ASSERT_EQ(batchGradient({QStringLiteral("29"), out}, err), 0);
    const QByteArray old = bytesOf(out);
    fill();
    const QStringList before = allFiles();

    EXPECT_NE(batchGradient({QStringLiteral("12"), out}, err), 0);
    err.flush();
    EXPECT_EQ(errors.count(QLatin1Char('\n')), 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("De schijf is vol."))) << errors.toStdString();
    EXPECT_EQ(bytesOf(out), old);
    EXPECT_EQ(allFiles(), before);
}

// Failures that need no full disk: the content cannot be made, or making it throws.
TEST(AtomicFile, FailedOrThrowingContentLeavesTheOldFileAndNoHiddenFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("uit.dat"));
    ASSERT_FALSE(AtomicFile::write(file, QByteArray("oud")).has_value());

    const auto failure = AtomicFile::write(file, [](QIODevice &device) {
        device.write("half");
        return false;
    });
    EXPECT_TRUE(failure.has_value());
    EXPECT_THROW(AtomicFile::write(file,
                                   [](QIODevice &device) -> bool {
                                       device.write(QByteArray(200000, 'x'));
                                       throw std::runtime_error("kapot");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(bytesOf(file), QByteArray("oud"));
    EXPECT_EQ(everythingBelow(dir.path()), QStringList{QStringLiteral("uit.dat")});

    ASSERT_FALSE(AtomicFile::write(file, QByteArray(100000, 'n')).has_value());
    EXPECT_EQ(bytesOf(file), QByteArray(100000, 'n')) << "large content crosses the write buffer whole";
}
