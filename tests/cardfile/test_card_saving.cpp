#include "core/CardDocument.h"
#include "support/CardEdit.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardWriter.h"
#include "DataFolderFixture.h"
#include "cardfile/SaveCardCommand.h"
#include "support/ScriptedQuestions.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

namespace {

using Outcome = SaveCardCommand::Outcome;

void paintPattern(QImage &image, int seed)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed) % 256, (y * 13 + seed) % 256, (x + y) % 256));
}

QStringList everythingIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

class CardSaving : public DataFolderFixture {
protected:
    void SetUp() override
    {
        DataFolderFixture::SetUp();
        doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { paintPattern(image, 1); });
    }
    void TearDown() override
    {
        EXPECT_EQ(questions.unexpected, 0);
        DataFolderFixture::TearDown();
    }

    Outcome saveAs(const QString &name, std::deque<bool> yesNo = {})
    {
        questions.inputAnswers.push_back(name);
        questions.yesNoAnswers = std::move(yesNo);
        return SaveCardCommand::run(doc, questions);
    }

    // A card "Jan" with layout 2 whose three files hold recognisable old bytes.
    void putOldCard()
    {
        writeBytes(cards("Jan.crd"), "old record");
        writeBytes(cards("Jan-back.bmp"), "old background");
        writeBytes(cards("Jan.bmp"), "old stamp");
    }
    void expectOldCard()
    {
        EXPECT_EQ(bytesOf(cards("Jan.crd")), QByteArray("old record"));
        EXPECT_EQ(bytesOf(cards("Jan-back.bmp")), QByteArray("old background"));
        EXPECT_EQ(bytesOf(cards("Jan.bmp")), QByteArray("old stamp"));
    }

    CardDocument doc;
    ScriptedQuestions questions;
};

} // namespace

TEST_F(CardSaving, StampLayoutWritesRecordAndTwo24BitBitmapsIntoANewCardsFolder)
{
    doc.applyLayout(2);
    doc.setLastFileName("Vorige");
    doc.setNameCaption("Vorige");
    ASSERT_FALSE(QFileInfo::exists(cards()));

    EXPECT_EQ(saveAs("Jan"), Outcome::Saved);

    EXPECT_EQ(questions.asked, QStringList{" Opslaan Kaart|Geef een bestandsnaam voor deze kaart..."});
    EXPECT_EQ(questions.initialTexts, QStringList{"Vorige"});
    EXPECT_TRUE(questions.messages.isEmpty());
    // The bare frame has its print copy (drawn at print scale); the painted canvas has none.
    EXPECT_EQ(everythingIn(cards()), (QStringList{"Jan-back.bmp", "Jan.bmp", "Jan.crd", "Jan.print.png"}));
    EXPECT_TRUE(bytesOf(cards("Jan.crd")).startsWith("\"Vek Tarnholm Software 2009\"\r\n"));

    struct Picture {
        const char *file;
        int width, height;
    };
    for (const auto &[file, width, height] : {Picture{"Jan-back.bmp", 440, 270}, Picture{"Jan.bmp", 140, 180}}) {
        const QByteArray bmp = bytesOf(cards(file));
        ASSERT_GE(bmp.size(), 54) << file;
        EXPECT_TRUE(bmp.startsWith("BM")) << file;
        EXPECT_EQ(qFromLittleEndian<qint32>(bmp.constData() + 18), width) << file;
        EXPECT_EQ(qFromLittleEndian<qint32>(bmp.constData() + 22), height) << file;
        EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), 24) << file;
    }
    EXPECT_EQ(doc.fileName(), QString("Jan"));
    EXPECT_EQ(doc.lastFileName(), QString("Vorige")) << "saving does not change it";
    EXPECT_EQ(doc.nameCaption(), QString("Vorige"));
}

TEST_F(CardSaving, SavedCardReopensPixelForPixel)
{
    doc.applyLayout(3);
    doc.drawOnStamp(QStringLiteral("Test"), [](QImage &image) { paintPattern(image, 5); });
    editCard(doc, [&](Card &card) { card.state.TextLines[2] = "Tweede regel"; });
    editCard(doc, [&](Card &card) { card.state.TextColorR = 12; });
    const QImage canvas = doc.canvas().image();
    const QImage stamp = doc.stamp().image();
    ASSERT_EQ(saveAs("Jan"), Outcome::Saved);

    CardDocument reopened;
    editCard(reopened, [&](Card &card) { card.canvas.setBackColor(Qt::black); });
    ASSERT_TRUE(CardOpening::openCard(reopened, "Jan"));
    EXPECT_EQ(reopened.canvas().image(), canvas);
    EXPECT_EQ(reopened.stamp().image(), stamp);
    EXPECT_EQ(reopened.stamp().geometry(), QRect(18, 18, 180, 140));
    EXPECT_EQ(reopened.state().TextLines[2], QString("Tweede regel"));
    EXPECT_EQ(reopened.state().TextColorR, GeneralValue(12));
}

TEST_F(CardSaving, DoubleQuoteInALineSurvivesAsTypographicQuotes)
{
    editCard(doc, [&](Card &card) { card.state.TextLines[1] = "Bakkerij \"Het Zoete\""; });
    ASSERT_EQ(saveAs("Bakker"), Outcome::Saved);
    CardDocument reopened;
    ASSERT_TRUE(CardOpening::openCard(reopened, "Bakker"));
    EXPECT_EQ(reopened.state().TextLines[1], QString::fromUtf8("Bakkerij \u201cHet Zoete\u201d"));
    EXPECT_EQ(reopened.state().TextLines[2], QString("Regel 2"));
}

TEST_F(CardSaving, NameWithAccentsIsSavedAndOpened)
{
    const QString name = QString::fromUtf8("Ri\u00eblle d\u00e9j\u00e0");
    ASSERT_EQ(saveAs(name), Outcome::Saved);
    EXPECT_TRUE(QFileInfo::exists(cards(name + ".crd")));
    CardDocument reopened;
    EXPECT_TRUE(CardOpening::openCard(reopened, name));
}

TEST_F(CardSaving, LayoutsWithoutStampLeaveAnOldStampFileAlone)
{
    for (int layout : {0, 1}) {
        writeBytes(cards("Jan.bmp"), "old stamp");
        doc.applyLayout(layout);
        ASSERT_EQ(saveAs("Jan", {true}), Outcome::Saved) << layout;
        EXPECT_EQ(bytesOf(cards("Jan.bmp")), QByteArray("old stamp")) << layout;

        CardDocument reopened;
        reopened.applyLayout(2);
        ASSERT_TRUE(CardOpening::openCard(reopened, "Jan"));
        EXPECT_EQ(reopened.state().LayoutKind, layout);
        EXPECT_FALSE(reopened.stamp().isVisible()) << "the old stamp file is ignored";
    }
}

TEST_F(CardSaving, LayoutWithoutStampWritesNoStampFile)
{
    doc.applyLayout(1);
    ASSERT_EQ(saveAs("Jan"), Outcome::Saved);
    EXPECT_EQ(everythingIn(cards()), (QStringList{"Jan-back.bmp", "Jan.crd"}));
}

TEST_F(CardSaving, OverwriteAnsweredNoLeavesAllThreeFilesUntouched)
{
    putOldCard();
    doc.applyLayout(2);
    EXPECT_EQ(saveAs("Jan", {false}), Outcome::KeptExisting);
    ASSERT_EQ(questions.asked.size(), 2);
    EXPECT_EQ(questions.asked[1],
              QString(" Opslaan|Kaart met de naam 'Jan' bestaat reeds!\r\nWilt u dit bestand overschrijven?"));
    expectOldCard();
}

TEST_F(CardSaving, OverwriteAnsweredYesReplacesTheCard)
{
    putOldCard();
    doc.applyLayout(4);
    EXPECT_EQ(saveAs("Jan", {true}), Outcome::Saved);
    EXPECT_TRUE(bytesOf(cards("Jan.crd")).contains("\r\n4\r\n"));
    EXPECT_TRUE(bytesOf(cards("Jan.bmp")).startsWith("BM"));
    EXPECT_EQ(everythingIn(cards()), (QStringList{"Jan-back.bmp", "Jan.bmp", "Jan.crd", "Jan.print.png"}));
}

TEST_F(CardSaving, NoQuestionWhenOnlyCompanionFilesExist)
{
    writeBytes(cards("Jan-back.bmp"), "orphan");
    EXPECT_EQ(saveAs("Jan"), Outcome::Saved);
    EXPECT_EQ(questions.asked.size(), 1) << "only the name was asked";
    EXPECT_TRUE(bytesOf(cards("Jan-back.bmp")).startsWith("BM"));
}

TEST_F(CardSaving, EmptyOrCancelledNameWritesNothing)
{
    questions.inputAnswers = {QString(), std::nullopt};
    EXPECT_EQ(SaveCardCommand::run(doc, questions), Outcome::Cancelled);
    EXPECT_EQ(SaveCardCommand::run(doc, questions), Outcome::Cancelled);
    EXPECT_FALSE(QFileInfo::exists(cards()));
    EXPECT_TRUE(questions.messages.isEmpty());
}

TEST_F(CardSaving, InvalidNamesGetAMessageAndNothingIsWritten)
{
    for (const char *name : {"../buiten", "a/b", "CON", "kaart.", "wat?", "Jan.achterkant", "Jan.Achterkant"}) {
        questions.messages.clear();
        EXPECT_EQ(saveAs(name), Outcome::InvalidName) << name;
        ASSERT_EQ(questions.messages.size(), 1) << name;
        EXPECT_TRUE(questions.messages[0].startsWith(QString(" Opslaan Kaart|De naam '") + name + "'"));
    }
    EXPECT_FALSE(QFileInfo::exists(cards()));
    EXPECT_EQ(everythingIn(DataFolder::path()), QStringList());
}

TEST_F(CardSaving, NameThatIsNoValidUnicodeIsRefusedBeforeAnythingIsWritten)
{
    putOldCard();
    doc.applyLayout(2);
    // An unpaired surrogate, as a damaged paste leaves it in the input box.
    const QString name = QStringLiteral("Jan") + QChar(0xD800);
    EXPECT_EQ(saveAs(name), Outcome::InvalidName);
    ASSERT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(questions.messages[0].endsWith("Een naam mag alleen geldige tekens bevatten."));
    expectOldCard();
    EXPECT_EQ(everythingIn(cards()), (QStringList{"Jan-back.bmp", "Jan.bmp", "Jan.crd"}))
        << "no hidden files are left in Cards";
}

TEST_F(CardSaving, CardsFolderThatCannotBeMadeGivesAMessage)
{
    writeBytes(DataFolder::path() + "/Cards", "a file where the folder should be");
    EXPECT_EQ(saveAs("Jan"), Outcome::Failed);
    EXPECT_EQ(questions.messages,
              QStringList{" Opslaan Kaart|De kaart kon niet worden opgeslagen.\r\n"
                          "De map 'Cards' kon niet worden aangemaakt."});
    EXPECT_EQ(bytesOf(cards()), QByteArray("a file where the folder should be"));
}

TEST_F(CardSaving, StampThatCannotBeReplacedLeavesTheOldCard)
{
    writeBytes(cards("Jan.crd"), "old record");
    writeBytes(cards("Jan-back.bmp"), "old background");
    QDir().mkpath(cards("Jan.bmp"));
    doc.applyLayout(2);

    EXPECT_EQ(saveAs("Jan", {true}), Outcome::Failed);
    EXPECT_EQ(questions.messages,
              QStringList{" Opslaan Kaart|De kaart kon niet worden opgeslagen.\r\n"
                          "Het bestand 'Jan.bmp' kon niet worden vervangen. Er staat een map met die naam."});
    EXPECT_EQ(bytesOf(cards("Jan.crd")), QByteArray("old record"));
    EXPECT_EQ(bytesOf(cards("Jan-back.bmp")), QByteArray("old background"));
    EXPECT_EQ(everythingIn(cards()), (QStringList{"Jan-back.bmp", "Jan.bmp", "Jan.crd"}))
        << "no temporary files are left behind";
}

TEST_F(CardSaving, FailureAfterSomeFilesMovedPutsTheOldFilesBack)
{
    // The record is moved last; a folder in its place makes that move fail after the
    // stamp and the background have already been replaced.
    writeBytes(cards("Jan.bmp"), "old stamp");
    writeBytes(cards("Jan-back.bmp"), "old background");
    QDir().mkpath(cards("Jan.crd"));
    doc.applyLayout(2);

    EXPECT_EQ(saveAs("Jan"), Outcome::Failed);
    EXPECT_EQ(questions.messages,
              QStringList{" Opslaan Kaart|De kaart kon niet worden opgeslagen.\r\n"
                          "Het bestand 'Jan.crd' kon niet worden vervangen. Er staat een map met die naam."});
    EXPECT_EQ(bytesOf(cards("Jan.bmp")), QByteArray("old stamp"));
    EXPECT_EQ(bytesOf(cards("Jan-back.bmp")), QByteArray("old background"));
    EXPECT_EQ(everythingIn(cards()), (QStringList{"Jan-back.bmp", "Jan.bmp", "Jan.crd"}));
}

TEST_F(CardSaving, FailureAfterMovesRemovesFilesThatWereNew)
{
    QDir().mkpath(cards("Jan.crd"));
    doc.applyLayout(2);
    EXPECT_EQ(saveAs("Jan"), Outcome::Failed);
    EXPECT_EQ(everythingIn(cards()), QStringList{"Jan.crd"});
}

TEST_F(CardSaving, CardNamedLikeAnotherInOtherLettersIsACardOfItsOwn)
{
    writeBytes(cards("JAN.crd"), "old record");
    writeBytes(cards("JAN-back.bmp"), "old background");
    writeBytes(cards("JAN.bmp"), "old stamp");
    doc.applyLayout(2);
    EXPECT_EQ(saveAs("jan"), Outcome::Saved);
    EXPECT_EQ(questions.asked.size(), 1) << "no question about overwriting JAN";
    EXPECT_EQ(bytesOf(cards("JAN.crd")), QByteArray("old record"));
    EXPECT_EQ(bytesOf(cards("JAN-back.bmp")), QByteArray("old background"));
    EXPECT_EQ(bytesOf(cards("JAN.bmp")), QByteArray("old stamp"));
    EXPECT_TRUE(bytesOf(cards("jan.crd")).startsWith("\"Vek"));
    EXPECT_TRUE(bytesOf(cards("jan.bmp")).startsWith("BM"));
}

TEST_F(CardSaving, NameTooLongForAFileIsGivenAsTheReason)
{
    // Passes the name check today; only the background's print copy, the longest of
    // the card's file names, is too long.
    const QString name(241, QLatin1Char('a'));
    doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { paintPattern(image, 2); },
                     [](QImage &print, const QImage &) { paintPattern(print, 3); });
    ASSERT_TRUE(doc.canvas().hasPrintCopy());
    const auto failure = CardWriter::write(doc, name);
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->endsWith(QStringLiteral("kon niet worden vervangen. De naam is te lang voor een bestand.")))
        << failure->toStdString();
    EXPECT_EQ(everythingIn(cards()), QStringList());
}

TEST_F(CardSaving, ANameTooLongForTheBacksFilesIsRefusedOnlyForACardWithABack)
{
    const QString name(240, QLatin1Char('a'));
    editCard(doc, [](Card &card) { card.back = CardFace::blankBack(card.front()); });
    EXPECT_EQ(saveAs(name), Outcome::InvalidName);
    ASSERT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(questions.messages[0].contains(QStringLiteral(".achterkant.print.png"))) << questions.messages[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(cards()));

    doc.removeBack();
    EXPECT_EQ(saveAs(name), Outcome::Saved);
}
