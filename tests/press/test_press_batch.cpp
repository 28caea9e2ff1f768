#include "PressFixture.h"
#include "batch/BatchCommandTable.h"
#include "cardfile/CardWriter.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "support/CardEdit.h"
#include "support/MaskedPdf.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BatchDrukklaar : public testing::Test {
protected:
    void SetUp() override
    {
        DataFolder::setOverride(folder.path());
        CardDocument card;
        editCard(card, [&](Card &card) {
            card.state.TextLines[1] = QStringLiteral("Jan Jansen");
            card.state.TextLines[2] = QStringLiteral("Drukker");
            card.state.TextColorR = 20; // almost black
            card.state.TextColorG = 20;
            card.state.TextColorB = 20;
        });
        ASSERT_FALSE(CardWriter::write(card, QStringLiteral("Jan")).has_value());
        DataFolder::setOverride(QString());
    }

    int run(const QStringList &args)
    {
        errors.clear();
        QString output;
        QTextStream out(&output), err(&errors);
        return runBatch(QStringList{QStringLiteral("drukklaar")} + args, out, err);
    }

    QTemporaryDir folder;
    QTemporaryDir outputs;
    QString pdf = outputs.filePath(QStringLiteral("jan.pdf"));
    QString errors;
};

} // namespace

TEST_F(BatchDrukklaar, WritesTheTrimAskedForAndWarnsOnStandardError)
{
    ASSERT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--folder"), folder.path(), QStringLiteral("--output"), pdf,
                   QStringLiteral("--size"), QStringLiteral("85x55"), QStringLiteral("--bleed"), QStringLiteral("5"),
                   QStringLiteral("--no-marks")}),
              0)
        << errors.toStdString();
    EXPECT_NEAR(pdfBoxMm(pdf, QStringLiteral("MediaBox")).width(), 95, 0.01);
    EXPECT_NEAR(pdfBoxMm(pdf, QStringLiteral("MediaBox")).height(), 65, 0.01);
    EXPECT_NEAR(pdfBoxMm(pdf, QStringLiteral("TrimBox")).width(), 85, 0.01);
    EXPECT_TRUE(errors.contains(QStringLiteral("waarschuwing: Regels 1, 2, 3, 4, 5, 6 en 7 zijn bijna zwart (20, 20, 20)")))
        << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("5,0 mm smaller geschaald")));
    EXPECT_TRUE(runTool(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("PDF/X-3:2002")));
}

TEST_F(BatchDrukklaar, RefusesABleedBeyondFiveMillimetresAndWritesNothing)
{
    EXPECT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--folder"), folder.path(), QStringLiteral("--output"), pdf,
                   QStringLiteral("--bleed"), QStringLiteral("5.5")}),
              2);
    EXPECT_TRUE(errors.contains(QStringLiteral("--bleed must be from 0 to 5 mm")));
    EXPECT_FALSE(QFile::exists(pdf));
}

// Qt reads "nan" and "inf" as numbers; a bleed of NaN once made a page without the card.
TEST_F(BatchDrukklaar, RefusesABleedThatIsNoFiniteNumberInDutchAndWritesNothing)
{
    for (const QString &bad : {QStringLiteral("nan"), QStringLiteral("NaN"), QStringLiteral("inf"), QStringLiteral("-inf"),
                               QStringLiteral("vijf")}) {
        EXPECT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--folder"), folder.path(), QStringLiteral("--output"), pdf,
                       QStringLiteral("--bleed"), bad}),
                  2)
            << bad.toStdString();
        EXPECT_TRUE(errors.contains(QStringLiteral("--bleed: '%1' is geen getal").arg(bad))) << errors.toStdString();
        EXPECT_EQ(errors.count(QLatin1Char('\n')), 1) << errors.toStdString();
        EXPECT_FALSE(QFile::exists(pdf)) << bad.toStdString();
    }
}

// A card without a back is pressed exactly as before cards had backs: the PDF written then
// (tests/press/reference, of the card in tests/design/plain) comes out again, dates and
// identifiers aside.
TEST(BatchDrukklaarPlain, ACardWithoutABackGivesThePressPdfItGaveBefore)
{
    QTemporaryDir folder;
    const QString plain = QStringLiteral(LUMO_PLAIN_DATA "/stamp_left/");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Cards")));
    for (const char *file : {"stamp_left.crd", "stamp_left-back.bmp", "stamp_left.bmp", "stamp_left.print.png"})
        ASSERT_TRUE(QFile::copy(plain + QLatin1String(file), folder.filePath(QStringLiteral("Cards/")) + QLatin1String(file)));
    const QString pdf = folder.filePath(QStringLiteral("kaart.pdf"));
    QString output, errors;
    QTextStream out(&output), err(&errors);
    ASSERT_EQ(runBatch({QStringLiteral("drukklaar"), QStringLiteral("stamp_left"), QStringLiteral("--output"), pdf,
                        QStringLiteral("--folder"), folder.path()},
                       out, err),
              0)
        << errors.toStdString();
    QFile written(pdf), before(QStringLiteral(LUMO_PRESS_REFERENCE "/stamp_left-press.pdf"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    EXPECT_TRUE(maskedPdf(written.readAll()) == maskedPdf(before.readAll()));
}

// A team: a page for each person with their own lines, and a warning that holds for one
// person only (a name long enough to reach the cut) names that person.
TEST_F(BatchDrukklaar, ATeamGivesAPagePerPersonAndNamesWhoAWarningIsAbout)
{
    const QString data = outputs.filePath(QStringLiteral("team.csv"));
    QFile file(data);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Naam;Functie\r\nAnna Bakker;Zetter\r\n"
               "Bartholomeus Wilhelmus Maria van der Kleij-Boschhuizen;Drukker\r\nCees Smit;Binder\r\n");
    file.close();
    ASSERT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--folder"), folder.path(), QStringLiteral("--output"), pdf,
                   QStringLiteral("--rgb"), QStringLiteral("--gegevens"), data}),
              0)
        << errors.toStdString();
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
    const QString third = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("3"),
                                                                 QStringLiteral("-l"), QStringLiteral("3"), pdf,
                                                                 QStringLiteral("-")});
    EXPECT_TRUE(third.contains(QStringLiteral("Cees Smit")) && third.contains(QStringLiteral("Binder")))
        << third.toStdString();
    EXPECT_FALSE(third.contains(QStringLiteral("Anna")));
    // The almost black text holds for everyone and is said once, of nobody in particular.
    EXPECT_EQ(errors.count(QStringLiteral("bijna zwart")), 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("waarschuwing: Bartholomeus Wilhelmus Maria van der Kleij-Boschhuizen: Regel 1")))
        << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("Cees Smit:"))) << errors.toStdString();
}
