// A card's team saved with the card: N.gegevens.csv and N.samenvoegen, written in the
// card's one save, read back on opening, removed with the card and by a save without a
// team, and carried by the recovery card.
#include "DataFolderFixture.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardWriter.h"
#include "cardfile/OpenFileModel.h"
#include "cardfile/RecoveryCard.h"
#include "cardfile/RecoveryFolder.h"
#include "cardfile/TeamFile.h"
#include "support/CardEdit.h"
#include "support/ScriptedQuestions.h"

#include <functional>

namespace {

CardTeam team()
{
    CardTeam team;
    team.data.kind = MergeData::Kind::VCard;
    team.data.hasHeader = false;
    team.data.headers = {QStringLiteral("Naam"), QStringLiteral("Functie"), QStringLiteral("Adres")};
    team.data.rows = {{QStringLiteral("Jansen, Jan"), QStringLiteral(" Baas "), QStringLiteral("Dorp 1\nHoek")},
                      {QString(), QString(), QString()},
                      {QStringLiteral("Zoë \"Z\""), QString(), QStringLiteral("Straße 2")}};
    team.mapping.lines[0] = LineSource::ofColumn(2);
    team.mapping.lines[1] = LineSource::empty();
    team.mapping.lines[3] = LineSource::ofColumn(0);
    team.sourceName = QStringLiteral("Team, najaar.vcf");
    team.skipEmpty = false;
    team.leftOut = {0, 2};
    return team;
}

std::string filesIn(const QString &folder)
{
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)
        .join(' ')
        .toStdString();
}

void fillCard(CardDocument &doc, const std::optional<CardTeam> &withTeam)
{
    doc.applyLayout(2);
    doc.enterTextLine(1, QStringLiteral("Regel 1"));
    editCard(doc, [&](Card &card) { card.team = withTeam; });
}

class TeamFiles : public DataFolderFixture {
protected:
    CardOpening::Opened saveAndOpen(const std::optional<CardTeam> &withTeam, CardDocument &opened,
                                    const QString &name = QStringLiteral("Jan"))
    {
        CardDocument doc;
        fillCard(doc, withTeam);
        EXPECT_FALSE(CardWriter::write(doc, name).has_value());
        return CardOpening::openCard(opened, name);
    }
    // Opens Jan after one of its team files was changed, on a document that had a team.
    CardOpening::Opened openAfter(const std::function<void()> &change, CardDocument &opened)
    {
        saveAndOpen(team(), opened);
        change();
        return CardOpening::openCard(opened, QStringLiteral("Jan"));
    }
};

} // namespace

TEST_F(TeamFiles, EveryPartOfTheTeamComesBack)
{
    CardDocument opened;
    const auto result = saveAndOpen(team(), opened);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result.notes.isEmpty());
    EXPECT_EQ(filesIn(cards()),
              std::string("Jan-back.bmp Jan.bmp Jan.crd Jan.gegevens.csv Jan.print.png Jan.samenvoegen"));
    ASSERT_TRUE(opened.card().team.has_value());
    EXPECT_EQ(*opened.card().team, team());
    EXPECT_EQ(bytesOf(cards("Jan.samenvoegen")),
              QByteArray("bron=Team, najaar.vcf\r\nsoort=vcard\r\nkop=nee\r\nregels=3,leeg,kaart,1,kaart,kaart,kaart\r\n"
                         "overslaan=nee\r\nweg=1,3\r\n"));

    // Under another name the team goes with it; the first card keeps its own.
    CardDocument again;
    ASSERT_TRUE(CardOpening::openCard(again, "Jan"));
    ASSERT_FALSE(CardWriter::write(again, "Piet").has_value());
    EXPECT_EQ(bytesOf(cards("Piet.gegevens.csv")), bytesOf(cards("Jan.gegevens.csv")));
    CardDocument piet;
    ASSERT_TRUE(CardOpening::openCard(piet, "Piet"));
    EXPECT_EQ(piet.card().team, team());
}

TEST_F(TeamFiles, ACardWithoutTeamHasTodaysFilesAndOpensWithoutTheTeamShownBefore)
{
    CardDocument opened;
    fillCard(opened, team());
    ASSERT_TRUE(saveAndOpen(std::nullopt, opened, "Kaal"));
    EXPECT_EQ(filesIn(cards()), std::string("Kaal-back.bmp Kaal.bmp Kaal.crd Kaal.print.png"));
    EXPECT_FALSE(opened.card().team.has_value());
}

TEST_F(TeamFiles, ASaveWithoutTeamRemovesTheOldFilesAndALinkItselfNotWhatItPointsTo)
{
    CardDocument opened;
    saveAndOpen(team(), opened);
    saveAndOpen(std::nullopt, opened);
    EXPECT_EQ(filesIn(cards()), std::string("Jan-back.bmp Jan.bmp Jan.crd Jan.print.png"));

    QTemporaryDir elsewhere;
    const QString target = QDir(elsewhere.path()).filePath("van-iemand-anders");
    writeBytes(target, "keep me");
    ASSERT_TRUE(QFile::link(target, cards("Jan.gegevens.csv")));
    ASSERT_TRUE(QFile::link(target, cards("Jan.samenvoegen")));
    saveAndOpen(std::nullopt, opened);
    EXPECT_EQ(bytesOf(target), QByteArray("keep me"));
    EXPECT_EQ(filesIn(cards()), std::string("Jan-back.bmp Jan.bmp Jan.crd Jan.print.png"));

    // A save with a team replaces a link, never writes through it.
    ASSERT_TRUE(QFile::link(target, cards("Jan.gegevens.csv")));
    saveAndOpen(team(), opened);
    EXPECT_EQ(bytesOf(target), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(cards("Jan.gegevens.csv")).isSymLink());
    EXPECT_EQ(opened.card().team, team());
}

TEST_F(TeamFiles, DeletingTheCardRemovesItsTeamFilesAndNoOtherCards)
{
    CardDocument opened;
    saveAndOpen(team(), opened);
    for (const char *other : {"JAN.samenvoegen", "Janneke.gegevens.csv"})
        writeBytes(cards(other), "other");
    CardDocument doc;
    ScriptedQuestions questions;
    questions.yesNoAnswers = {true};
    OpenFileModel model(OpenFileModel::Mode::Cards, doc, questions);
    model.select(int(model.entries().indexOf("Jan")));
    model.deleteSelected();
    EXPECT_EQ(filesIn(cards()), std::string("JAN.samenvoegen Janneke.gegevens.csv"));
}

TEST_F(TeamFiles, AMissingOrDamagedPartOpensTheCardWithoutTeamAndSaysSo)
{
    const QString settings = cards("Jan.samenvoegen");
    const QString data = cards("Jan.gegevens.csv");
    const QByteArray good = "bron=x.csv\nsoort=csv\nkop=ja\nregels=1,2,3,kaart,kaart,kaart,kaart\noverslaan=ja\nweg=\n";
    const std::vector<std::pair<std::string, std::function<void()>>> damages = {
        {"settings missing", [&] { QFile::remove(settings); }},
        {"rows missing", [&] { QFile::remove(data); }},
        {"settings garbage", [&] { QFile::remove(settings); writeBytes(settings, "\x01\xff\xfe"); }},
        {"unknown kind", [&] { QFile::remove(settings); writeBytes(settings, QByteArray(good).replace("=csv", "=xls")); }},
        {"key twice", [&] { QFile::remove(settings); writeBytes(settings, good + "kop=nee\n"); }},
        {"mapping past the columns", [&] { QFile::remove(settings); writeBytes(settings, QByteArray(good).replace("1,2,3,", "1,2,4,")); }},
        {"left out past the rows", [&] { QFile::remove(settings); writeBytes(settings, QByteArray(good).replace("weg=", "weg=4")); }},
        {"left out not ascending", [&] { QFile::remove(settings); writeBytes(settings, QByteArray(good).replace("weg=", "weg=2,1")); }},
        {"rows unclosed quote", [&] { QFile::remove(data); writeBytes(data, "Naam,Functie\r\n\"Jan,Baas\r\n"); }},
        {"rows not UTF-8", [&] { QFile::remove(data); writeBytes(data, "Naam\r\nJos\xe9\r\n"); }},
        {"rows a folder", [&] { QFile::remove(data); QDir().mkpath(data); }},
    };
    for (const auto &[what, damage] : damages) {
        CardDocument opened;
        const auto result = openAfter(damage, opened);
        EXPECT_TRUE(result) << what;
        EXPECT_FALSE(opened.card().team.has_value()) << what;
        ASSERT_EQ(result.notes.size(), 1) << what;
        EXPECT_TRUE(result.notes[0].startsWith("De gegevens voor samenvoegen (Jan.")) << what;
        EXPECT_EQ(opened.card().state.TextLines[1], QStringLiteral("Regel 1")) << what << ": the card itself opens";
        QDir(data).removeRecursively();
    }
    // The pair as written by hand, with the choices the user may type.
    CardDocument opened;
    const auto result = openAfter([&] { QFile::remove(settings); writeBytes(settings, good); }, opened);
    ASSERT_TRUE(opened.card().team.has_value());
    EXPECT_TRUE(result.notes.isEmpty());
    EXPECT_EQ(opened.card().team->data.kind, MergeData::Kind::Csv);
    EXPECT_TRUE(opened.card().team->data.hasHeader);
}

TEST_F(TeamFiles, TheRecoveryCardCarriesTheTeam)
{
    const QString folder = QDir(DataFolder::path()).filePath("Herstel");
    CardDocument doc;
    fillCard(doc, team());
    ASSERT_FALSE(RecoveryCard::write(doc, folder).has_value());
    EXPECT_TRUE(RecoveryFolder::isOurs(folder)) << filesIn(folder);
    CardDocument restored;
    ASSERT_TRUE(RecoveryCard::restore(restored, folder));
    EXPECT_EQ(restored.card().team, team());

    const auto kept = RecoveryFolder::keepAside(folder, QDateTime(QDate(2026, 12, 9), QTime(16, 5)));
    ASSERT_TRUE(kept.has_value());
    EXPECT_NE(filesIn(folder).find("Bewaard-20261209-1605.samenvoegen"), std::string::npos) << filesIn(folder);
    EXPECT_TRUE(RecoveryFolder::isOurs(folder)) << filesIn(folder);
}
