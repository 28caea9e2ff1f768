#include "cardfile/ui/CardFileCommands.h"
#include "cardfile/CardFolder.h"
#include "core/DataFolder.h"
#include "app/WindowFixture.h"

#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QTest>
#include <QFileInfo>

namespace {

const QString kChanged = QStringLiteral(" Lumovander|De kaart is gewijzigd. Wilt u de wijzigingen opslaan?");
const QString kExit = QStringLiteral(" Exit programma|Wilt u dit programma nu afsluiten?");
const QString kSaveName = QStringLiteral(" Opslaan Kaart|Geef een bestandsnaam voor deze kaart...");

// The window with "Kaart Opslaan" and "Open Kaart", its data folder the fixture's own.
class UnsavedChanges : public WindowFixture {
protected:
    void SetUp() override
    {
        DataFolder::setOverride(dir.path());
        installCardFileCommands(window);
        window.show();
    }
    void TearDown() override
    {
        EXPECT_EQ(questions.unexpected, 0);
        DataFolder::setOverride(QString());
    }
    bool savedAs(const QString &name) const
    {
        return QFileInfo::exists(CardFolder::cardFiles(DataFolder::cardsFolder(), name).record);
    }
};

} // namespace

TEST_F(UnsavedChanges, AnUnchangedCardAsksOnlyWhetherToQuit)
{
    questions.yesNoAnswers = {false};
    window.close();
    EXPECT_EQ(questions.asked, QStringList{kExit});
}

TEST_F(UnsavedChanges, AnnulerenKeepsTheCardOnCloseNewAndOpen)
{
    doc.enterTextLine(1, QStringLiteral("Bakkerij"));
    const Card changed = doc.card();
    questions.threeWayAnswers = {Questions::Answer::Cancel, Questions::Answer::Cancel, Questions::Answer::Cancel};
    EXPECT_FALSE(window.close());
    trigger(QStringLiteral("FileNieuw"));
    trigger(QStringLiteral("FileOpenKaart")); // no dialog opens: it would wait here
    EXPECT_EQ(questions.asked, (QStringList{kChanged, kChanged, kChanged}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(doc.card() == changed);
    EXPECT_TRUE(doc.isModified());
}

TEST_F(UnsavedChanges, JaWithACancelledSaveKeepsTheWindowOpen)
{
    doc.applyLayout(2);
    questions.threeWayAnswers = {Questions::Answer::Yes};
    questions.inputAnswers = {std::nullopt};
    EXPECT_FALSE(window.close());
    EXPECT_EQ(questions.asked, (QStringList{kChanged, kSaveName}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(doc.isModified());
}

TEST_F(UnsavedChanges, JaSavesAndClosesWithoutAskingAgain)
{
    doc.applyLayout(2);
    questions.threeWayAnswers = {Questions::Answer::Yes};
    questions.inputAnswers = {QStringLiteral("Jan")};
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(savedAs(QStringLiteral("Jan")));
    EXPECT_EQ(questions.asked, (QStringList{kChanged, kSaveName}));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(QFileInfo::exists(settingsPath)) << "the print settings are written as on every exit";
}

TEST_F(UnsavedChanges, NeeClosesWithoutAskingAgainAndSavesNothing)
{
    doc.applyLayout(2);
    questions.threeWayAnswers = {Questions::Answer::No};
    EXPECT_TRUE(window.close());
    EXPECT_EQ(questions.asked, QStringList{kChanged});
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(QDir(DataFolder::cardsFolder()).entryList(QDir::Files).isEmpty());
}

TEST_F(UnsavedChanges, ACardSavedBeforeClosingStillGetsTheQuitQuestion)
{
    doc.applyLayout(2);
    questions.inputAnswers = {QStringLiteral("Jan")};
    trigger(QStringLiteral("FileSaveKaart"));
    questions.yesNoAnswers = {false};
    EXPECT_FALSE(window.close());
    EXPECT_EQ(questions.asked, (QStringList{kSaveName, kExit}));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(UnsavedChanges, NeeGoesOnToTheQuestionOfNew)
{
    doc.chooseBorderItem(3);
    questions.threeWayAnswers = {Questions::Answer::No};
    questions.yesNoAnswers = {true};
    trigger(QStringLiteral("FileNieuw"));
    EXPECT_EQ(questions.asked, (QStringList{kChanged, QStringLiteral(" Nieuw|Wilt u een nieuwe kaart ontwerpen?")}));
    EXPECT_EQ(doc.checkedBorderItem(), 1);
    EXPECT_FALSE(doc.isModified()) << "a new card has nothing to save";
}

namespace {

const QString kProgramTitle = QStringLiteral(" Lumovander");

QString infoLine(const MainWindow &window)
{
    return window.findChild<QLabel *>(QStringLiteral("InfoRegel"))->text();
}

} // namespace

TEST_F(UnsavedChanges, CtrlSAsksTheNameSavesAndTheInfoLineSaysSo)
{
    EXPECT_EQ(window.action(QStringLiteral("FileSaveKaart"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    doc.enterTextLine(1, QStringLiteral("Bakkerij"));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    questions.inputAnswers = {QStringLiteral("Jan")};
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(questions.asked, QStringList{kSaveName});
    EXPECT_TRUE(savedAs(QStringLiteral("Jan")));
    EXPECT_EQ(infoLine(window), QStringLiteral("Kaart 'Jan' opgeslagen."));

    // Nothing saved, nothing said: a cancelled name, or No to overwriting.
    window.showInfo(QString());
    questions.inputAnswers = {std::nullopt, QStringLiteral("Jan")};
    questions.yesNoAnswers = {false};
    trigger(QStringLiteral("FileSaveKaart"));
    trigger(QStringLiteral("FileSaveKaart"));
    EXPECT_EQ(infoLine(window), QString());
}

TEST_F(UnsavedChanges, TheTitleNamesTheCardAndMarksUnsavedChanges)
{
    EXPECT_EQ(window.windowTitle(), kProgramTitle) << "a new card has no name yet";
    doc.enterTextLine(1, QStringLiteral("Bakkerij"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Naamloos* \u2013 Lumovander"));

    questions.inputAnswers = {std::nullopt};
    trigger(QStringLiteral("FileSaveKaart"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Naamloos* \u2013 Lumovander")) << "a cancelled save names nothing";

    questions.inputAnswers = {QStringLiteral("Jan")};
    trigger(QStringLiteral("FileSaveKaart"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Jan \u2013 Lumovander"));
    doc.enterTextLine(2, QStringLiteral("Brood"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Jan* \u2013 Lumovander"));
    // Back at the card as it was saved.
    doc.undo();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Jan \u2013 Lumovander"));

    doc.redo();
    questions.threeWayAnswers = {Questions::Answer::No};
    questions.yesNoAnswers = {true};
    trigger(QStringLiteral("FileNieuw"));
    EXPECT_EQ(window.windowTitle(), kProgramTitle);
}
