#include "cardfile/CardName.h"
#include "cardfile/CardFolder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

TEST(CardName, OrdinaryNamesAreAccepted)
{
    for (const char *name : {"Jan", "Jan Jansen 2", " voorblank", "kaart.v2", "CONSOLE", "COM0",
                             "LPT10", "Caf\xc3\xa9", "a-back", ".verborgen", "achterkant", "Jan-achterkant",
                             "Jan.achterkant 2", "Jan.achterkant.x"})
        EXPECT_FALSE(CardName::problem(QString::fromUtf8(name))) << name;
}

TEST(CardName, ForbiddenCharactersAreRefused)
{
    for (const char *name : {"a/b", "a\\b", "c:", "a*", "wat?", "\"x\"", "<a", "a>", "a|b"})
        EXPECT_TRUE(CardName::problem(QString::fromUtf8(name))) << name;
    EXPECT_TRUE(CardName::problem(QString("a") + QChar(9) + "b"));
    EXPECT_TRUE(CardName::problem(QString("a") + QChar(0x7F)));
    EXPECT_TRUE(CardName::problem(QString("a") + QChar(0)));
}

TEST(CardName, TrailingDotOrBlankAndDotNamesAreRefused)
{
    for (const char *name : {"kaart.", "kaart ", ".", ".."})
        EXPECT_TRUE(CardName::problem(QString::fromUtf8(name))) << name;
}

TEST(CardName, DeviceNamesAreRefusedAlsoWithAnExtension)
{
    for (const char *name : {"CON", "con", "Prn", "AUX", "NUL", "COM1", "com9", "LPT1", "lpt9",
                             "nul.txt", "CON .crd", "aux.x.y"})
        EXPECT_TRUE(CardName::problem(QString::fromUtf8(name))) << name;
}

// Its files would be the back of the card "Jan", and on Windows in any letters.
TEST(CardName, ANameOfAnotherCardsBackIsRefused)
{
    for (const char *name : {"Jan.achterkant", "Jan.ACHTERKANT", ".achterkant", "a b.Achterkant"}) {
        const auto problem = CardName::problem(QString::fromUtf8(name));
        ASSERT_TRUE(problem) << name;
        EXPECT_TRUE(problem->contains(QStringLiteral("'.achterkant'"))) << problem->toStdString();
    }
}

TEST(CardName, EmptyAndTooLongNamesAreRefused)
{
    EXPECT_TRUE(CardName::problem(QString()));
    EXPECT_FALSE(CardName::problem(QString(240, 'a')));
    const auto problem = CardName::problem(QString(241, 'a'));
    ASSERT_TRUE(problem) << "with -back.print.png it passes 255 bytes";
    EXPECT_TRUE(problem->startsWith(QStringLiteral("De naam is te lang"))) << problem->toStdString();
    EXPECT_TRUE(problem->contains(QStringLiteral("1 teken korter"))) << problem->toStdString();
    // Counted in bytes: an é is two of them.
    EXPECT_FALSE(CardName::problem(QString(120, QChar(0xE9))));
    EXPECT_TRUE(CardName::problem(QString(121, QChar(0xE9))));
}

// Whatever files a save writes, the longest name the check lets through gives none
// that the file system would refuse.
TEST(CardName, EveryFileOfTheLongestAcceptedNameFitsTheFileSystem)
{
    QString longest(200, 'a');
    while (!CardName::problem(longest + QLatin1Char('a')))
        longest += QLatin1Char('a');
    const CardFolder::CardFiles files = CardFolder::cardFiles(QStringLiteral("/nonexistent"), longest);
    for (const QString &path : {files.record, files.background, files.stamp, files.backgroundPrint, files.stampPrint})
        EXPECT_LE(QFileInfo(path).fileName().toUtf8().size(), 255) << QFileInfo(path).fileName().toStdString();
    EXPECT_EQ(longest.size(), 240) << "a card without a back takes the names it always took";

    // A card with a back is held to its back's longer names as well.
    EXPECT_TRUE(CardName::problem(longest, true));
    QString longestWithBack(200, 'a');
    while (!CardName::problem(longestWithBack + QLatin1Char('a'), true))
        longestWithBack += QLatin1Char('a');
    const CardFolder::BackFiles back = CardFolder::backFiles(QStringLiteral("/nonexistent"), longestWithBack);
    for (const QString &path : {back.record, back.background, back.backgroundPrint})
        EXPECT_LE(QFileInfo(path).fileName().toUtf8().size(), 255) << QFileInfo(path).fileName().toStdString();
    EXPECT_EQ(QFileInfo(back.backgroundPrint).fileName().toUtf8().size(), 255);
}

TEST(CardName, RejectionMessageNamesTheNameAndTheReason)
{
    EXPECT_EQ(CardName::rejectionMessage("a/b", "Reden."),
              QString("De naam 'a/b' kan niet als bestandsnaam worden gebruikt.\r\nReden."));
}

TEST(CardName, NamesFromAListingStayInTheirFolder)
{
    EXPECT_TRUE(CardName::staysInFolder("CON"));
    EXPECT_TRUE(CardName::staysInFolder("kaart."));
    for (const char *name : {"", ".", "..", "../x", "a/b", "a\\b"})
        EXPECT_FALSE(CardName::staysInFolder(name)) << name;
}
