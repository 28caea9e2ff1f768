#include "core/CardDocument.h"
#include "merge/ShownPerson.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Three people; Bram has no function, so with empty lines skipped his organisation
// stands in the place of line 2.
CardTeam threePeople()
{
    CardTeam team;
    team.data.headers = {QStringLiteral("Naam"), QStringLiteral("Functie"), QStringLiteral("Organisatie")};
    team.data.rows = {{QStringLiteral("Anna Bos"), QStringLiteral("Directeur"), QStringLiteral("Bos BV")},
                      {QStringLiteral("Bram Kok"), QString(), QStringLiteral("Kok & Zn")},
                      {QStringLiteral("Cor Dijk"), QStringLiteral("Monteur"), QStringLiteral("Dijk")}};
    team.data.hasHeader = true;
    team.mapping.lines[0] = LineSource::ofColumn(0);
    team.mapping.lines[1] = LineSource::ofColumn(1);
    team.mapping.lines[2] = LineSource::ofColumn(2);
    team.sourceName = QStringLiteral("team.csv");
    return team;
}

class ShownPersonTest : public ::testing::Test {
protected:
    CardDocument doc;
    void SetUp() override
    {
        doc.enterTextLine(4, QStringLiteral("Markt 1"));
        doc.setTeam(threePeople());
    }
    QString field(int row, int column) const { return doc.team()->data.rows[row][column]; }
};

TEST_F(ShownPersonTest, AttachingIsOneStepThatUndoDetachesAndRedoAttaches)
{
    EXPECT_EQ(doc.undoName(), QStringLiteral("Samenvoegen"));
    doc.showPerson(2);
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.team());
    EXPECT_EQ(doc.shownPerson(), 0);
    EXPECT_EQ(shownRow(doc), -1);
    EXPECT_EQ(doc.card().state.TextLines[4], QStringLiteral("Markt 1"));
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(*doc.team(), threePeople());
    doc.setTeam(std::nullopt);
    EXPECT_FALSE(doc.team());
    EXPECT_EQ(shownPersonCard(doc).state.TextLines[1], doc.card().state.TextLines[1]);
}

TEST_F(ShownPersonTest, ShowingAPersonIsNoStepAndStaysAmongThePeoplePrinted)
{
    QSignalSpy person(&doc, &CardDocument::personChanged);
    const QString step = doc.undoName();
    doc.showPerson(1);
    EXPECT_EQ(doc.undoName(), step);
    EXPECT_FALSE(doc.canRedo());
    EXPECT_EQ(person.count(), 1);
    EXPECT_EQ(personCaption(doc), QStringLiteral("Persoon 2 van 3: Bram Kok"));
    doc.showPerson(9);
    EXPECT_EQ(doc.shownPerson(), 2);
    doc.showPerson(-4);
    EXPECT_EQ(doc.shownPerson(), 0);

    // With Anna left out, the second person printed is Cor.
    CardTeam fewer = threePeople();
    fewer.leftOut = {0};
    doc.setTeam(fewer);
    doc.showPerson(1);
    EXPECT_EQ(shownRow(doc), 2);
    EXPECT_EQ(personCaption(doc), QStringLiteral("Persoon 2 van 2: Cor Dijk"));
    EXPECT_EQ(shownPersonCard(doc).state.TextLines[1], QStringLiteral("Cor Dijk"));
    doc.showPerson(2);
    EXPECT_EQ(doc.shownPerson(), 1);
}

TEST_F(ShownPersonTest, TypingAMappedLineChangesOnlyTheShownPersonsField)
{
    doc.showPerson(2);
    const QString ownLine = doc.card().state.TextLines[1];
    EXPECT_EQ(shownLineText(doc, 1), QStringLiteral("Cor Dijk"));
    ASSERT_TRUE(enterShownLine(doc, 1, QStringLiteral("Cor van Dijk")));
    EXPECT_EQ(field(2, 0), QStringLiteral("Cor van Dijk"));
    EXPECT_EQ(field(0, 0), QStringLiteral("Anna Bos"));
    EXPECT_EQ(doc.card().state.TextLines[1], ownLine);
    EXPECT_EQ(shownPersonCard(doc).state.TextLines[1], QStringLiteral("Cor van Dijk"));
    // Nothing typed keeps the field; the change is one step of its own.
    EXPECT_FALSE(enterShownLine(doc, 1, QString()));
    EXPECT_EQ(doc.undoName(), QStringLiteral("Invoer tekst"));
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(field(2, 0), QStringLiteral("Cor Dijk"));
    EXPECT_EQ(doc.undoName(), QStringLiteral("Samenvoegen"));
}

TEST_F(ShownPersonTest, TypingALineOfTheCardChangesItForEveryone)
{
    doc.showPerson(2);
    ASSERT_TRUE(enterShownLine(doc, 4, QStringLiteral("Markt 2")));
    EXPECT_EQ(doc.card().state.TextLines[4], QStringLiteral("Markt 2"));
    EXPECT_EQ(doc.team()->data, threePeople().data);
    doc.showPerson(0);
    EXPECT_EQ(shownPersonCard(doc).state.TextLines[4], QStringLiteral("Markt 2"));
}

TEST_F(ShownPersonTest, ALineMovedUpIsTypedInItsOwnField)
{
    // Bram's organisation stands in place 2 and his own line 4 in place 3.
    doc.showPerson(1);
    EXPECT_EQ(shownLineText(doc, 2), QStringLiteral("Kok & Zn"));
    EXPECT_EQ(typedLine(doc.card(), 1, 3), (TypedLine{4}));
    ASSERT_TRUE(enterShownLine(doc, 2, QStringLiteral("Kok & Zonen")));
    EXPECT_EQ(field(1, 2), QStringLiteral("Kok & Zonen"));
    EXPECT_EQ(field(1, 1), QString());
    // Without skipping, place 2 is his empty function.
    CardTeam holes = *doc.team();
    holes.skipEmpty = false;
    doc.setTeam(holes);
    doc.showPerson(1);
    ASSERT_TRUE(enterShownLine(doc, 2, QStringLiteral("Bakker")));
    EXPECT_EQ(field(1, 1), QStringLiteral("Bakker"));
    EXPECT_EQ(field(1, 2), QStringLiteral("Kok & Zonen"));
}

} // namespace
