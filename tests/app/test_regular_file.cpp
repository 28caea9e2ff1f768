#include "cardfile/RecoveryCard.h"
#include "core/CardDocument.h"
#include "core/RegularFile.h"
#include "core/SettingsFile.h"
#include "print/CorrectionFile.h"
#include "support/ScriptedQuestions.h"
#include "support/StuckReaderGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString written(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace

TEST(RegularFile, ReadsUpToItsCapAndRefusesMore)
{
    QTemporaryDir dir;
    const QByteArray bytes(5000, 'x');
    EXPECT_EQ(RegularFile::read(written(dir, "a", bytes), 5000), bytes);
    EXPECT_FALSE(RegularFile::read(written(dir, "b", bytes), 4999));
    EXPECT_EQ(RegularFile::read(written(dir, "c", {}), 0), QByteArray());
    EXPECT_FALSE(RegularFile::read(dir.filePath("missing"), 100));
}

TEST(RegularFile, DirectoriesDevicesAndPipesAreRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    EXPECT_FALSE(RegularFile::read(dir.path(), 1 << 20));
    EXPECT_FALSE(RegularFile::read("/dev/zero", 1 << 20));
    const StuckReaderGuard pipe(dir.filePath("pipe"));
    ASSERT_TRUE(pipe.made());
    EXPECT_FALSE(RegularFile::read(dir.filePath("pipe"), 1 << 20));
    EXPECT_FALSE(pipe.stuck());
}

// The readers of the program's own files, each handed a named pipe, a link to a device
// that never ends and a file past its cap in place of its file: none waits, none reads
// without bound, each takes the file as missing.
namespace {

class OwnFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString settings = dir.filePath("Lumovander.ini");
    QString corrections = CorrectionFile::besideSettings(settings);
};

} // namespace

TEST_F(OwnFiles, SettingsFileThatIsNoPlainSmallFileGivesTheDefaults)
{
    PrintSettings eight;
    eight.CardsPerSheet = 8;
    // Blanks after the last field read as nothing; a file this size is no settings file.
    written(dir, "Lumovander.ini", SettingsFile::encode(eight) + QByteArray(RegularFile::SettingsLimit, ' '));
    PrintSettings read;
    EXPECT_FALSE(SettingsFile::read(settings, read));
    EXPECT_EQ(read.CardsPerSheet, PrintSettings().CardsPerSheet);

    QFile::remove(settings);
    ASSERT_TRUE(QFile::link("/dev/zero", settings));
    EXPECT_FALSE(SettingsFile::read(settings, read));
    QFile::remove(settings);
    const StuckReaderGuard pipe(settings);
    ASSERT_TRUE(pipe.made());
    EXPECT_FALSE(SettingsFile::read(settings, read));
    EXPECT_FALSE(pipe.stuck());
}

TEST_F(OwnFiles, CorrectionFileThatIsNoPlainSmallFileIsNoCorrection)
{
    PrinterCorrection shifted;
    shifted.shiftX = 1.5;
    const QByteArray entry = CorrectionFile::encode({{"PDF", shifted}});
    written(dir, "Lumovander-correctie.ini", entry);
    ASSERT_EQ(CorrectionFile::correctionFor(corrections, "PDF").shiftX, 1.5);
    written(dir, "Lumovander-correctie.ini", entry + QByteArray(RegularFile::SettingsLimit, '\n'));
    EXPECT_TRUE(CorrectionFile::read(corrections).isEmpty());

    // Both would run the print dialogs and batch print out of memory or wait for ever.
    QFile::remove(corrections);
    ASSERT_TRUE(QFile::link("/dev/zero", corrections));
    EXPECT_TRUE(CorrectionFile::read(corrections).isEmpty());
    QFile::remove(corrections);
    const StuckReaderGuard pipe(corrections);
    ASSERT_TRUE(pipe.made());
    EXPECT_TRUE(CorrectionFile::correctionFor(corrections, "PDF").isNeutral());
    EXPECT_FALSE(pipe.stuck());
}

TEST_F(OwnFiles, RecoveryRecordThatIsAPipeIsNotWaitedForNorAskedAbout)
{
    const QString folder = dir.filePath("Herstel");
    CardDocument designed;
    designed.enterTextLine(1, "Ontwerp");
    ASSERT_EQ(RecoveryCard::write(designed, folder), std::nullopt);
    const QString record = QDir(folder).filePath("Kaart.crd");
    QFile::remove(record);
    const StuckReaderGuard pipe(record);
    ASSERT_TRUE(pipe.made());

    CardDocument fresh;
    ScriptedQuestions questions;
    EXPECT_FALSE(RecoveryCard::offer(fresh, questions, folder));
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_TRUE(questions.messages.isEmpty()) << "a pipe is no recovery card of ours";
    EXPECT_FALSE(pipe.stuck());
    RecoveryCard::remove(folder);
    EXPECT_TRUE(QFileInfo(record).exists()) << "nor removed";
}
