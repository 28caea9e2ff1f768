#include "cardfile/ui/CardFileCommands.h"
#include "cardfile/CardFolder.h"
#include "core/DataFolder.h"
#include "app/WindowFixture.h"

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

TEST_F(UnsavedChanges, JaSavesAndAfterwardsOnlyTheQuitQuestionIsAsked)
{
    doc.applyLayout(2);
    questions.threeWayAnswers = {Questions::Answer::Yes};
    questions.inputAnswers = {QStringLiteral("Jan")};
    questions.yesNoAnswers = {false, false};
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(savedAs(QStringLiteral("Jan")));
    EXPECT_FALSE(doc.isModified());
    window.close();
    EXPECT_EQ(questions.asked, (QStringList{kChanged, kSaveName, kExit, kExit}));
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
