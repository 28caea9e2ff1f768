#include "app/WindowFixture.h"
#include "merge/ui/MergeCommands.h"
#include "merge/ui/SamenvoegenDialog.h"
#include "window/CardView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

class MergeWindowTest : public WindowFixture {
protected:
    void SetUp() override { installMergeCommands(window); }

    QString writeTeam()
    {
        const QString path = dir.filePath(QStringLiteral("team.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Naam;Functie;Organisatie\nAnna Bos;Directeur;Bos BV\nBram Kok;;Kok & Zn\nCor Dijk;Monteur;Dijk\n");
        return path;
    }
    QString lineOnView(int line) { return window.cardView()->textLine(line)->text(); }
    QString infoLine() { return control<QLabel>(QStringLiteral("InfoRegel"))->text(); }
};

TEST_F(MergeWindowTest, AttachingATeamShowsOnePersonAtATimeUntilUndone)
{
    const QString ownLine = lineOnView(1);
    questions.openFileAnswers.push_back(writeTeam());
    bool shown = false;
    QTimer::singleShot(0, &window, [&] {
        auto *dialog = qobject_cast<SamenvoegenDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" Samenvoegen"));
        dialog->findChild<QPushButton *>(QStringLiteral("GegevensKiezen"))->click();
        EXPECT_EQ(dialog->findChild<QTableWidget *>(QStringLiteral("GegevensTabel"))->rowCount(), 3);
        EXPECT_EQ(dialog->findChild<QComboBox *>(QStringLiteral("KolomRegel(3)"))->currentText(),
                  QStringLiteral("Organisatie"));
        dialog->findChild<QPushButton *>(QStringLiteral("OkKnop"))->click();
    });
    trigger(QStringLiteral("FileSamenvoegen"));
    ASSERT_TRUE(shown);
    ASSERT_TRUE(doc.team());
    EXPECT_EQ(doc.undoName(), QStringLiteral("Samenvoegen"));
    EXPECT_EQ(lineOnView(1), QStringLiteral("Anna Bos"));
    EXPECT_TRUE(infoLine().contains(QStringLiteral("Persoon 1 van 3: Anna Bos")));
    EXPECT_FALSE(window.action(QStringLiteral("PersoonVorige"))->isEnabled());
    EXPECT_EQ(window.action(QStringLiteral("PersoonVolgende"))->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Right));

    trigger(QStringLiteral("PersoonVolgende"));
    EXPECT_EQ(lineOnView(1), QStringLiteral("Bram Kok"));
    EXPECT_EQ(lineOnView(2), QStringLiteral("Kok & Zn"));
    EXPECT_TRUE(infoLine().contains(QStringLiteral("Persoon 2 van 3: Bram Kok")));
    EXPECT_TRUE(window.action(QStringLiteral("PersoonVorige"))->isEnabled());

    // Clicking a line types the shown person's field.
    questions.inputAnswers.push_back(QStringLiteral("Bram de Kok"));
    Q_EMIT window.cardView()->textLineClicked(1);
    EXPECT_EQ(questions.initialTexts.value(0), QStringLiteral("Bram Kok"));
    EXPECT_EQ(lineOnView(1), QStringLiteral("Bram de Kok"));
    ASSERT_TRUE(doc.undo());

    trigger(QStringLiteral("WijzigenOngedaan"));
    EXPECT_FALSE(doc.team());
    EXPECT_EQ(lineOnView(1), ownLine);
    EXPECT_FALSE(window.action(QStringLiteral("PersoonVolgende"))->isEnabled());
    EXPECT_EQ(questions.unexpected, 0);
}

TEST_F(MergeWindowTest, TheDialogReopensOnTheTeamAndRefusesAFileItCannotRead)
{
    SamenvoegenDialog first(doc, questions);
    ASSERT_TRUE(first.loadFile(writeTeam()));
    // Saying the first row is a person reads the file again.
    auto *header = first.findChild<QComboBox *>(QStringLiteral("EersteRijKop"));
    header->setCurrentText(QStringLiteral("Nee"));
    EXPECT_EQ(first.findChild<QTableWidget *>(QStringLiteral("GegevensTabel"))->rowCount(), 4);
    EXPECT_EQ(first.team()->data.rows[0][0], QStringLiteral("Naam"));
    header->setCurrentText(QStringLiteral("Ja"));
    ASSERT_EQ(first.team()->data.rows.size(), 3);
    first.findChild<QComboBox *>(QStringLiteral("KolomRegel(2)"))->setCurrentText(QStringLiteral("Leeg"));
    first.findChild<QCheckBox *>(QStringLiteral("LegeRegelsOverslaan"))->setChecked(false);
    first.findChild<QTableWidget *>(QStringLiteral("GegevensTabel"))->item(1, 0)->setCheckState(Qt::Unchecked);
    doc.setTeam(first.team());
    ASSERT_TRUE(doc.team());
    EXPECT_EQ(doc.team()->leftOut, QList<int>{1});
    EXPECT_EQ(doc.team()->mapping.lines[1], LineSource::empty());

    // Read again with another header row, the file starts over from its first mapping.
    header->setCurrentText(QStringLiteral("Nee"));
    EXPECT_EQ(first.team()->mapping, MergeMapping::defaultFor(first.team()->data));
    header->setCurrentText(QStringLiteral("Ja"));

    // On the card's own team there is no file to read again.
    SamenvoegenDialog again(doc, questions);
    EXPECT_FALSE(again.findChild<QComboBox *>(QStringLiteral("EersteRijKop"))->isEnabled());
    EXPECT_EQ(again.findChild<QComboBox *>(QStringLiteral("KolomRegel(2)"))->currentText(), QStringLiteral("Leeg"));
    EXPECT_FALSE(again.findChild<QCheckBox *>(QStringLiteral("LegeRegelsOverslaan"))->isChecked());
    EXPECT_EQ(again.team(), doc.team());

    EXPECT_FALSE(again.loadFile(dir.filePath(QStringLiteral("weg.csv"))));
    ASSERT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(questions.messages[0].contains(QStringLiteral("weg.csv")));
    EXPECT_EQ(again.team(), doc.team());

    again.findChild<QPushButton *>(QStringLiteral("GegevensLoslaten"))->click();
    EXPECT_TRUE(again.detaching());
    EXPECT_FALSE(again.team());
}

} // namespace
