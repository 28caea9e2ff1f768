#include "core/Algemeen.h"
#include "core/DataFolder.h"
#include "core/FileFilter.h"
#include "core/HelpMenu.h"
#include "core/InfoLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

TEST(WaitSeconds, ZeroOrNegativeReturnsAtOnce)
{
    for (const double seconds : {0.0, -1.0, -0.01}) {
        bool ran = false;
        QTimer::singleShot(0, [&ran] { ran = true; });
        QElapsedTimer clock;
        clock.start();
        Algemeen::WaitSeconds(seconds);
        EXPECT_LT(clock.elapsed(), 20) << seconds;
        EXPECT_FALSE(ran) << seconds;
        QCoreApplication::processEvents();
    }
}

TEST(WaitSeconds, WaitsTheTimeWhileHandlingQueuedEvents)
{
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    QElapsedTimer clock;
    clock.start();
    Algemeen::WaitSeconds(0.05);
    EXPECT_TRUE(ran);
    EXPECT_GE(clock.elapsed(), 50);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST(WaitSeconds, TimerFiresInsideALongerWait)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    Algemeen::WaitSeconds(0.1);
    EXPECT_GE(ticks, 3);
}

TEST(FileExists, AnswersForFilesOnly)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("kaart.crd"));
    EXPECT_FALSE(Algemeen::FileExists(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(Algemeen::FileExists(file));
    EXPECT_FALSE(Algemeen::FileExists(dir.path()));
    EXPECT_FALSE(Algemeen::FileExists(QString()));
}

namespace {

QString lineAt(int hour, int minute, int second, const QString &current = QStringLiteral("huidig"))
{
    const QDateTime now(QDate(2026, 3, 2), QTime(hour, minute, second));
    return InfoLine::text(now, current, QLocale(QLocale::Dutch, QLocale::Netherlands));
}

} // namespace

TEST(InfoLine, FirstTwelveSecondsKeepTheCurrentText)
{
    for (int second : {0, 5, 6, 11})
        EXPECT_EQ(lineAt(14, 5, second), QStringLiteral("huidig")) << second;
}

TEST(InfoLine, DateLineWithDutchNamesAndHourWithoutLeadingZero)
{
    EXPECT_EQ(lineAt(9, 5, 12), QStringLiteral("Het is nu maandag 2 maart 2026 / 9:05:12"));
    EXPECT_EQ(lineAt(14, 0, 17), QStringLiteral("Het is nu maandag 2 maart 2026 / 14:00:17"));
}

TEST(InfoLine, HintsInTheirSlots)
{
    const struct {
        int second;
        const char *text;
    } slots[] = {
        {18, "1. Selecteer een layout voor de kaartjes"},
        {23, "1. Selecteer een layout voor de kaartjes"},
        {24, "2. Klik op de regels 1..7 om een tekst in te voeren"},
        {30, "3. Kies een lettertype voor de teksten op de kaartjes"},
        {41, "4. Kies een achtergrond voor de kaartjes"},
        {42, "5. Maak eventueel een keuze voor de zegelfoto"},
        {48, "6. Selecteer een rechthoek uit de zegelfoto met de linkermuisknop (met Shift in de verhouding van de zegel)"},
        {54, "7. Nu kan de kaart worden opgeslagen op uw computer"},
        {59, "7. Nu kan de kaart worden opgeslagen op uw computer"},
    };
    for (const auto &s : slots)
        EXPECT_EQ(lineAt(10, 30, s.second), QString::fromUtf8(s.text)) << s.second;
}

TEST(HelpPanel, FourteenLinesEachEndedByCrLf)
{
    const QString text = HelpMenu::panelText();
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], QStringLiteral("Welkom bij Lumovander"));
    EXPECT_EQ(lines[1], QString(32, QLatin1Char('-')));
    EXPECT_EQ(lines[5], QString());
    EXPECT_EQ(lines[6], QStringLiteral("Maatvoering kaarten"));
    EXPECT_EQ(lines[7], QString(31, QLatin1Char('-')));
    EXPECT_TRUE(lines[10].contains(QStringLiteral("90 x 50 mm")));
    EXPECT_EQ(lines[11], QStringLiteral("hierop zitten 10 kaartjes per vel (A4), kijk"));
    EXPECT_EQ(lines[13], QString());
}

// Help opens the manual beside a program run from its build folder, and from
// share/lumovander beside the bin folder of an installed one.
TEST(HelpManual, FoundBesideTheProgramOrInTheInstalledShareFolder)
{
    QTemporaryDir dir;
    const auto touch = [](const QString &path) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    const QString bin = dir.filePath(QStringLiteral("usr/bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(HelpMenu::manualPath(bin), QString()) << "no manual anywhere";

    // A folder of that name is no manual.
    ASSERT_TRUE(QDir().mkpath(bin + QStringLiteral("/Lumovander.pdf")));
    EXPECT_EQ(HelpMenu::manualPath(bin), QString());
    ASSERT_TRUE(QDir(bin).rmdir(QStringLiteral("Lumovander.pdf")));

    const QString installed = dir.filePath(QStringLiteral("usr/share/lumovander/Lumovander.pdf"));
    touch(installed);
    EXPECT_EQ(HelpMenu::manualPath(bin), installed);

    // The build's own copy wins: a build run beside an installed program shows its own.
    touch(bin + QStringLiteral("/Lumovander.pdf"));
    EXPECT_EQ(HelpMenu::manualPath(bin), bin + QStringLiteral("/Lumovander.pdf"));
}

TEST(HelpManual, TheBuildPutsItWhereTheBuiltProgramLooks)
{
    const QString manual = HelpMenu::manualPath(QStringLiteral(LUMOVANDER_PROGRAM_FOLDER));
    ASSERT_FALSE(manual.isEmpty());
    QFile file(manual);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST(FileFilter, ShowsTheDescriptionAndMatchesWhateverTheCase)
{
    const QString filter = FileFilter::toDialogFilter(QStringLiteral("Foto ( Jpg, Bmp, Gif, Wmf )|*.jpg;*.bmp"));
    EXPECT_TRUE(filter.startsWith(QStringLiteral("Foto ( Jpg, Bmp, Gif, Wmf ) (")));
    const QString patterns = filter.mid(filter.lastIndexOf(QLatin1Char('(')) + 1).chopped(1);
    const auto matches = [&patterns](const QString &name) {
        for (const QString &p : patterns.split(QLatin1Char(' ')))
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(p)).match(name).hasMatch())
                return true;
        return false;
    };
    EXPECT_TRUE(matches(QStringLiteral("strand.jpg")));
    EXPECT_TRUE(matches(QStringLiteral("STRAND.JPG")));
    EXPECT_TRUE(matches(QStringLiteral("Strand.Bmp")));
    EXPECT_FALSE(matches(QStringLiteral("strand.png")));
    EXPECT_FALSE(matches(QStringLiteral("strand.jpgx")));
}

TEST(DataFolderRule, AWritableBuildFolderIsUsedButAnInstalledBinFolderNeverIs)
{
    QTemporaryDir root;
    const QString build = root.filePath(QStringLiteral("build/src/program"));
    const QString bin = root.filePath(QStringLiteral("usr/local/bin"));
    const QString user = root.filePath(QStringLiteral("home/.local/share/Lumovander"));
    ASSERT_TRUE(QDir().mkpath(build) && QDir().mkpath(bin));
    EXPECT_EQ(DataFolder::choose(build, user), build);
    // Writable as for root, still an installed program's folder.
    EXPECT_EQ(DataFolder::choose(bin, user), user);
    EXPECT_EQ(DataFolder::choose(bin + QLatin1Char('/'), user), user);
    EXPECT_TRUE(QFileInfo(user).isDir()) << "the per-user folder is made when chosen";
}
