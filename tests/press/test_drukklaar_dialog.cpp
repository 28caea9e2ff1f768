#include "PressFixture.h"
#include "core/CardDocument.h"
#include "press/ui/DrukklaarDialog.h"
#include "press/ui/PressProgress.h"
#include "support/CardEdit.h"
#include "support/ScriptedQuestions.h"
#include "support/StandInHelper.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class Dialog : public testing::Test {
protected:
    void SetUp() override
    {
        editCard(document, [](Card &card) {
            card.state.TextLines[1] = QStringLiteral("Jan Jansen");
            card.state.TextColorR = 0;
            card.state.TextColorG = 0;
            card.state.TextColorB = 0;
        });
        document.setLastFileName(QStringLiteral("Jan"));
    }
    template <typename T>
    T *control(const DrukklaarDialog &dialog, const char *name)
    {
        T *found = dialog.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    CardDocument document;
    ScriptedQuestions questions;
    QTemporaryDir dir;
};

} // namespace

TEST_F(Dialog, PreviewAndNotesFollowTheSizeAndBleed)
{
    DrukklaarDialog dialog(document, questions);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Drukklaar PDF"));
    constexpr int k = DrukklaarDialog::PreviewPixelsPerMm;
    EXPECT_EQ(dialog.preview().size(), QSize((90 + 22) * k, (50 + 22) * k));
    auto *notes = control<QLabel>(dialog, "DrukMeldingen");
    EXPECT_FALSE(notes->text().contains(QStringLiteral("geschaald")));

    control<QComboBox>(dialog, "DrukFormaat")->setCurrentIndex(1); // 85 x 55
    control<QDoubleSpinBox>(dialog, "DrukAfloop")->setValue(5);
    EXPECT_EQ(dialog.preview().size(), QSize((85 + 26) * k, (55 + 26) * k));
    EXPECT_TRUE(notes->text().contains(QStringLiteral("5,0 mm smaller geschaald"))) << notes->text().toStdString();
    // The bleed shows the background, beyond it the page is paper.
    const QImage page = dialog.preview();
    EXPECT_NE(page.pixel(9 * k, 40 * k), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(2 * k, 40 * k), qRgb(255, 255, 255));
}

// The dialog takes the whole card, whichever side the window shows: a back is previewed
// beside the front and its warnings are said of it; a card without one has no second page.
TEST_F(Dialog, ACardWithABackShowsBothPagesAndTheBacksWarnings)
{
    EXPECT_EQ(DrukklaarDialog(document, questions).findChild<QLabel *>(QStringLiteral("DrukVoorbeeldAchterkant")), nullptr);
    editCard(document, [](Card &card) {
        card.back = CardFace::blankBack(card);
        card.back->canvas.setBackColor(QColor(0, 160, 0));
        card.back->state.TextLines[4] = QStringLiteral("Afspraak");
        card.back->state.TextColorR = 20;
    });
    document.showSide(CardSide::Back);
    DrukklaarDialog dialog(document, questions);
    ASSERT_NE(control<QLabel>(dialog, "DrukVoorbeeldAchterkant"), nullptr);
    constexpr int k = DrukklaarDialog::PreviewPixelsPerMm;
    EXPECT_EQ(dialog.backPreview().size(), dialog.preview().size());
    EXPECT_EQ(dialog.backPreview().pixelColor(45 * k, 40 * k), QColor(0, 160, 0));
    EXPECT_NE(dialog.preview().pixelColor(45 * k, 40 * k), QColor(0, 160, 0)) << "the front on page 1";
    ASSERT_EQ(dialog.warnings().size(), 1);
    EXPECT_TRUE(dialog.warnings().first().startsWith(QStringLiteral("Achterkant: Regel 4 is bijna zwart")));
    EXPECT_TRUE(control<QLabel>(dialog, "DrukMeldingen")->text().contains(dialog.warnings().first()));
}

TEST_F(Dialog, OkAsksForTheFileAndWritesIt)
{
    const QString pdf = dir.filePath(QStringLiteral("jan"));
    questions.saveFileAnswers.push_back(pdf);
    DrukklaarDialog dialog(document, questions);
    control<QComboBox>(dialog, "DrukKleur")->setCurrentIndex(1);
    control<QPushButton>(dialog, "OkKnop")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(questions.asked, QStringList(QStringLiteral(" Drukklaar PDF|Jan-drukklaar.pdf")));
    EXPECT_NEAR(pdfBoxMm(pdf + QStringLiteral(".pdf"), QStringLiteral("TrimBox")).width(), 90, 0.01);
    EXPECT_TRUE(runTool(QStringLiteral("pdfinfo"), {pdf + QStringLiteral(".pdf")}).contains(QStringLiteral("Jan")));
}

TEST_F(Dialog, AFailureIsToldAndTheDialogStaysOpen)
{
    questions.saveFileAnswers.push_back(dir.filePath(QStringLiteral("jan.pdf")));
    DrukklaarDialog dialog(document, questions, nullptr, {QStringLiteral("/nonexistent/gs"), 1000});
    dialog.show();
    control<QPushButton>(dialog, "OkKnop")->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(questions.messages.first().contains(QStringLiteral("Ghostscript ontbreekt")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("jan.pdf"))));
}


// Ghostscript taking its time: the window goes on (a timer fires, it would repaint), the
// pointer is the hourglass with a "Bezig…" line, and "Stoppen" kills it and writes nothing.
TEST_F(Dialog, GhostscriptRunsWithTheWindowAliveAndStopsWhenAsked)
{
    QTemporaryDir helpers;
    const QString pidFile = helpers.filePath(QStringLiteral("gs.pid"));
    const QString gs = standInHelper(helpers, QStringLiteral("gs"),
                                     "echo $$ > '" + pidFile.toUtf8() + "'\ntouch drukklaar.pdf\nexec sleep 30");
    const QString pdf = dir.filePath(QStringLiteral("jan.pdf"));
    questions.saveFileAnswers.push_back(pdf);
    DrukklaarDialog dialog(document, questions, nullptr, {gs, 20000});
    QStringList info;
    dialog.setInfoLine([&info](const QString &text) { info << text; });
    dialog.show();

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(10);
    bool busy = false, progressShown = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QFileInfo(pidFile).size() == 0)
            return;
        watcher.stop();
        busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        auto *progress = dialog.findChild<QDialog *>(QStringLiteral("DrukBezig"));
        progressShown = progress && progress->isVisible();
        if (auto *stop = progress ? progress->findChild<QPushButton *>(QStringLiteral("StopKnop")) : nullptr)
            stop->click();
    });
    watcher.start(10);
    control<QPushButton>(dialog, "OkKnop")->click();

    EXPECT_GT(ticks, 0);
    EXPECT_TRUE(busy);
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_FALSE(info.isEmpty());
    EXPECT_EQ(info.first(), PressProgress::BusyText);
    EXPECT_TRUE(info.last().startsWith(QStringLiteral("Gestopt"))) << info.last().toStdString();
    EXPECT_TRUE(questions.messages.isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(QFile::exists(pdf));
    QFile pid(pidFile);
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/") + QString::fromLatin1(pid.readAll().trimmed())))
        << "Ghostscript still runs";
}
