#include "core/SettingsFile.h"
#include "support/StuckReaderGuard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray kDefaultBytes = "\"Vek Tarnholm Software 2009\"\r\n"
                                 "\"--------------------------\"\r\n"
                                 "15,23,90,50,0,0\r\n"
                                 "10\r\n";

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Lumovander.ini"));
};

} // namespace

TEST_F(SettingsFileTest, FirstStartWritesTheDefaults)
{
    PrintSettings settings;
    settings.CardsPerSheet = 8; // whatever was in memory is replaced by the defaults
    SettingsFile::loadAtStartup(path, settings);
    EXPECT_EQ(readBytes(path), kDefaultBytes);
    EXPECT_EQ(settings, PrintSettings());
}

TEST_F(SettingsFileTest, NumbersRoundTripBare)
{
    PrintSettings settings;
    settings.PrintMarginA = 12.5;
    settings.PrintMarginB = 20;
    settings.CardWidthMm = 85;
    settings.CardHeightMm = 55;
    settings.PrintOffsetH = -1.5;
    settings.PrintOffsetV = -2;
    settings.CardsPerSheet = 8;
    ASSERT_TRUE(SettingsFile::write(path, settings));
    EXPECT_EQ(readBytes(path).split('\n').at(2), "12.5,20,85,55,-1.5,-2\r");
    EXPECT_EQ(readBytes(path).split('\n').at(3), "8\r");

    PrintSettings back;
    EXPECT_TRUE(SettingsFile::read(path, back));
    EXPECT_EQ(back, settings);
    EXPECT_TRUE(back.PrintMarginA.isNumber());
}

TEST_F(SettingsFileTest, QuotedValuesStayTextsAndAreWrittenQuotedAgain)
{
    const QByteArray confirmed = "\"Vek Tarnholm Software 2009\"\r\n"
                                 "\"--------------------------\"\r\n"
                                 "\"15\",\"23\",\"90\",\"50\",\"0\",0\r\n"
                                 "10\r\n";
    writeBytes(path, confirmed);
    PrintSettings settings;
    EXPECT_TRUE(SettingsFile::read(path, settings));
    EXPECT_TRUE(settings.PrintMarginA.isText());
    EXPECT_EQ(settings.CardHeightMm.text(), QStringLiteral("50"));
    EXPECT_TRUE(settings.PrintOffsetH.isText());

    const QString again = dir.filePath(QStringLiteral("again.ini"));
    ASSERT_TRUE(SettingsFile::write(again, settings));
    EXPECT_EQ(readBytes(again), confirmed);
}

TEST_F(SettingsFileTest, HeaderTextsAreNotExamined)
{
    writeBytes(path, "\"Iets heel anders\"\r\n\"====\"\r\n10,11,12,13,14,15\r\n8\r\n");
    PrintSettings settings;
    EXPECT_TRUE(SettingsFile::read(path, settings));
    EXPECT_EQ(settings.PrintMarginA.toNumber(), 10);
    EXPECT_EQ(settings.PrintOffsetH.toNumber(), 14);
    EXPECT_EQ(settings.PrintOffsetV, 15);
    EXPECT_EQ(settings.CardsPerSheet, 8);
}

TEST_F(SettingsFileTest, ShortFileKeepsWhatWasReadAndIsWrittenWhole)
{
    writeBytes(path, "\"Vek Tarnholm Software 2009\"\r\n\"--------------------------\"\r\n20,30\r\n");
    PrintSettings settings;
    SettingsFile::loadAtStartup(path, settings);
    EXPECT_EQ(settings.PrintMarginA.toNumber(), 20);
    EXPECT_EQ(settings.PrintMarginB.toNumber(), 30);
    EXPECT_EQ(settings.CardWidthMm.toNumber(), 90);
    EXPECT_EQ(settings.CardsPerSheet, 10);
    EXPECT_EQ(readBytes(path).split('\n').at(2), "20,30,90,50,0,0\r");
    EXPECT_EQ(readBytes(path).split('\n').at(3), "10\r");
}

TEST_F(SettingsFileTest, EmptyFileGivesDefaults)
{
    writeBytes(path, "");
    PrintSettings settings;
    settings.PrintOffsetV = 7;
    SettingsFile::loadAtStartup(path, settings);
    EXPECT_EQ(settings, PrintSettings());
    EXPECT_EQ(readBytes(path), kDefaultBytes);
}

TEST_F(SettingsFileTest, DamagedValueTakesItsDefaultAndTheOthersStay)
{
    writeBytes(path, "\"h\"\r\n\"d\"\r\n11,abc,\"x\",44,5,6\r\n8\r\n");
    PrintSettings settings;
    EXPECT_FALSE(SettingsFile::read(path, settings));
    EXPECT_EQ(settings.PrintMarginA.toNumber(), 11);
    EXPECT_EQ(settings.PrintMarginB, GeneralValue(23)); // bare non-number
    EXPECT_EQ(settings.CardWidthMm, GeneralValue(90));  // quoted non-number
    EXPECT_EQ(settings.CardHeightMm.toNumber(), 44);
    EXPECT_EQ(settings.PrintOffsetH.toNumber(), 5);
    EXPECT_EQ(settings.PrintOffsetV, 6);
    EXPECT_EQ(settings.CardsPerSheet, 8);
}

// A hand-edited file: numbers far outside what a sheet can take count as damaged.
TEST_F(SettingsFileTest, ValuesOutsideTheirRangeTakeTheirDefaults)
{
    writeBytes(path, "\"h\"\r\n\"d\"\r\n1e18,10000,0.5,301,-51,400\r\n8\r\n");
    PrintSettings settings;
    EXPECT_FALSE(SettingsFile::read(path, settings));
    EXPECT_EQ(settings, (PrintSettings{15, 23, 90, 50, 0, 0, 8}));

    writeBytes(path, "\"h\"\r\n\"d\"\r\n\"nan\",inf,\"1e3\",-inf,\"-1e18\",-99999999\r\n10\r\n");
    EXPECT_FALSE(SettingsFile::read(path, settings));
    EXPECT_EQ(settings, PrintSettings());

    // The ends of the ranges are sane values.
    writeBytes(path, "\"h\"\r\n\"d\"\r\n-50,300,10,300,\"-50\",300\r\n8\r\n");
    EXPECT_TRUE(SettingsFile::read(path, settings));
    EXPECT_EQ(settings, (PrintSettings{-50, 300, 10, 300, QStringLiteral("-50"), 300, 8}));
}

TEST_F(SettingsFileTest, CardCountOtherThanTenOrEightTakesTen)
{
    for (const char *count : {"7", "0", "300", "-8", "x"}) {
        writeBytes(path, QByteArray("\"h\"\r\n\"d\"\r\n1,2,3,4,5,6\r\n") + count + "\r\n");
        PrintSettings settings;
        EXPECT_FALSE(SettingsFile::read(path, settings)) << count;
        EXPECT_EQ(settings.CardsPerSheet, 10) << count;
        EXPECT_EQ(settings.PrintOffsetV, 6) << count;
    }
}

TEST_F(SettingsFileTest, OffsetVIsAWholeNumber)
{
    writeBytes(path, "\"h\"\r\n\"d\"\r\n1,2,85,55,5,2.5\r\n10\r\n");
    PrintSettings settings;
    EXPECT_TRUE(SettingsFile::read(path, settings));
    EXPECT_EQ(settings.PrintOffsetV, 2); // halves to the even neighbour
}

TEST_F(SettingsFileTest, UnwritablePlaceFailsWithoutHarm)
{
    // A folder where the file should be: nothing can be written there.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Lumovander.ini")));
    PrintSettings settings;
    SettingsFile::loadAtStartup(path, settings);
    EXPECT_EQ(settings, PrintSettings());
    EXPECT_FALSE(SettingsFile::write(path, settings));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(SettingsFileTest, WriteLeavesNoHalfFileOrTemporaryBehind)
{
    writeBytes(path, kDefaultBytes);
    PrintSettings settings;
    settings.CardsPerSheet = 8;
    ASSERT_TRUE(SettingsFile::write(path, settings));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Lumovander.ini")});
    EXPECT_TRUE(readBytes(path).endsWith("\r\n8\r\n"));
}

TEST_F(SettingsFileTest, PipeOrOversizedFileGivesDefaultsWithoutWaiting)
{
    {
        const StuckReaderGuard pipe(path);
        ASSERT_TRUE(pipe.made());
        PrintSettings settings;
        settings.CardsPerSheet = 8;
        EXPECT_FALSE(SettingsFile::read(path, settings));
        EXPECT_EQ(settings.CardsPerSheet, 10);
        // At start-up a settings file that does not read is written anew, in place of the pipe.
        SettingsFile::loadAtStartup(path, settings);
        EXPECT_FALSE(pipe.stuck());
        EXPECT_EQ(readBytes(path), kDefaultBytes);
    }
    QFile::remove(path);
    // A sound file with two mebibytes of blank lines after it is no settings file.
    writeBytes(path, "\"a\"\r\n\"b\"\r\n1,2,60,40,3,4\r\n8\r\n" + QByteArray(2 << 20, '\n'));
    PrintSettings settings;
    EXPECT_FALSE(SettingsFile::read(path, settings));
    EXPECT_EQ(settings.CardsPerSheet, 10);
}
