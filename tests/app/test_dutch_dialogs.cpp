// The toolkit's own dialogs speak Dutch whatever the system's language: ctest runs this
// under LANG=en_US.UTF-8 and under LANG=C.
#include "program/DutchLanguage.h"
#include "window/CardView.h"
#include "window/MainWindow.h"
#include "window/WidgetQuestions.h"
#include "core/CardDocument.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `inspect` on the modal dialog of type T once it shows; `inspect` closes it.
template <typename T>
void whenShown(std::function<void(T *)> inspect)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            inspect(dialog);
        }
    });
    poll->start(10);
}

QStringList buttonTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QPushButton *button : dialog->findChildren<QPushButton *>())
        if (button->isVisible())
            texts << button->text().remove(QLatin1Char('&'));
    return texts;
}

class DutchDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(DutchLanguage::install(*qApp)); }
    static void TearDownTestSuite() { QLocale::setDefault(QLocale::c()); }
    QTemporaryDir dir;
};

TEST_F(DutchDialogs, TheExitQuestionAsksJaOrNee)
{
    CardDocument document;
    WidgetQuestions questions;
    MainWindow window(document, questions, dir.filePath(QStringLiteral("Lumovander.ini")));
    questions.setParentWindow(&window);
    window.show();
    QStringList seen;
    whenShown<QMessageBox>([&seen](QMessageBox *box) {
        seen = buttonTexts(box);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(window.close());
    seen.sort();
    EXPECT_EQ(seen, (QStringList{"Ja", "Nee"}));
}

TEST_F(DutchDialogs, TheFileDialogsOpenAndSaveInDutchAndWideEnoughForTheirColumns)
{
    WidgetQuestions questions;
    for (const bool save : {false, true}) {
        QStringList seen;
        int width = 0;
        whenShown<QFileDialog>([&](QFileDialog *dialog) {
            // Qt's own dialog, not the desktop's: only that one is translated by us.
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            seen = buttonTexts(dialog);
            width = dialog->width();
            dialog->reject();
        });
        if (save)
            questions.saveFileName(QStringLiteral(" Opslaan"), QStringLiteral("Pdf|*.pdf"), QStringLiteral("a.pdf"));
        else
            questions.openFileName(QStringLiteral("Foto|*.jpg"));
        EXPECT_TRUE(seen.contains(save ? "Opslaan" : "Openen")) << seen.join(',').toStdString();
        EXPECT_TRUE(seen.contains("Annuleren")) << seen.join(',').toStdString();
        EXPECT_GE(width, 780);
    }
}

TEST_F(DutchDialogs, TheColourDialogAnswersInDutchWithTheColourChosen)
{
    WidgetQuestions questions;
    QStringList seen;
    QColor offered;
    whenShown<QColorDialog>([&](QColorDialog *dialog) {
        seen = buttonTexts(dialog);
        offered = dialog->currentColor();
        dialog->setCurrentColor(QColor(10, 120, 30));
        dialog->accept();
    });
    EXPECT_EQ(questions.chooseColour(QStringLiteral(" Kleur regel 2"), QColor(0, 0, 200)), QColor(10, 120, 30));
    EXPECT_EQ(offered, QColor(0, 0, 200));
    EXPECT_TRUE(seen.contains("Annuleren")) << seen.join(',').toStdString();
    whenShown<QColorDialog>([](QColorDialog *dialog) { dialog->reject(); });
    EXPECT_EQ(questions.chooseColour(QStringLiteral(" Kleur regel 2"), QColor(0, 0, 200)), std::nullopt);
}

TEST_F(DutchDialogs, TheFontDialogOpensOnTheFamilyTheCardShows)
{
    WidgetQuestions questions;
    const QString drawnBy = QFontInfo(QFont(QStringLiteral("Arial"), 16)).family();
    QString offered;
    whenShown<QFontDialog>([&offered](QFontDialog *dialog) {
        offered = dialog->currentFont().family();
        dialog->accept();
    });
    const auto chosen = questions.chooseFont(QFont(QStringLiteral("Arial"), 16));
    EXPECT_EQ(offered, drawnBy);
    ASSERT_TRUE(chosen.has_value());
    // Taken unchanged, the card keeps the name it asked for.
    EXPECT_EQ(chosen->family(), QStringLiteral("Arial"));
    EXPECT_EQ(chosen->pointSize(), 16);
}

// Clicks the entry with this text in whichever of the font dialog's lists holds it.
void clickListEntry(QFontDialog *dialog, const QString &text)
{
    for (QListView *list : dialog->findChildren<QListView *>()) {
        const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, text, 1,
                                                           Qt::MatchExactly);
        if (!found.isEmpty()) {
            list->scrollTo(found.first());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(found.first()).center());
            return;
        }
    }
    ADD_FAILURE() << "no entry " << text.toStdString();
}

void tickUnderline(QFontDialog *dialog)
{
    for (QCheckBox *box : dialog->findChildren<QCheckBox *>())
        if (box->text().remove(QLatin1Char('&')) == QStringLiteral("Onderstrepen"))
            return box->click();
    ADD_FAILURE() << "no underline box";
}

class FontDialogOnTheCard : public DutchDialogs {
protected:
    void SetUp() override
    {
        questions.setParentWindow(&window);
        window.show();
    }
    // Opens "Lettertype", lets `act` work the dialog, and presses Ok; the font the
    // dialog opened on comes back.
    QFont chooseFont(const std::function<void(QFontDialog *)> &act = {})
    {
        QFont opened;
        whenShown<QFontDialog>([&](QFontDialog *dialog) {
            opened = dialog->currentFont();
            if (act)
                act(dialog);
            dialog->accept();
        });
        window.action(QStringLiteral("TekstLettertype"))->trigger();
        return opened;
    }
    QImage card() { return window.cardView()->grab().toImage(); }

    CardDocument document;
    WidgetQuestions questions;
    MainWindow window{document, questions, dir.filePath(QStringLiteral("Lumovander.ini"))};
};

TEST_F(FontDialogOnTheCard, OkWithoutAChangeOnTheStartFontKeepsEveryPixel)
{
    const QImage before = card();
    const QFont opened = chooseFont();
    EXPECT_FALSE(opened.bold()) << opened.toString().toStdString();
    EXPECT_FALSE(opened.italic());
    EXPECT_EQ(opened.pointSize(), 16);
    EXPECT_EQ(document.state(), CardState());
    EXPECT_EQ(card(), before);
}

TEST_F(FontDialogOnTheCard, ReopensOnBoldItalicAndUnderlineAndOkKeepsEveryPixel)
{
    chooseFont([](QFontDialog *dialog) {
        clickListEntry(dialog, QStringLiteral("DejaVu Serif"));
        clickListEntry(dialog, QStringLiteral("Bold Italic"));
        clickListEntry(dialog, QStringLiteral("20"));
        tickUnderline(dialog);
    });
    const CardState chosen = document.state();
    ASSERT_EQ(chosen.FontName, QStringLiteral("DejaVu Serif"));
    ASSERT_EQ(chosen.FontSize, 20);
    ASSERT_TRUE(chosen.FontBold && chosen.FontItalic && chosen.FontUnderline)
        << chosen.FontBold << chosen.FontItalic << chosen.FontUnderline;
    const QImage before = card();

    const QFont opened = chooseFont();
    EXPECT_EQ(opened.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(opened.pointSize(), 20);
    EXPECT_TRUE(opened.bold());
    EXPECT_TRUE(opened.italic());
    EXPECT_TRUE(opened.underline());
    EXPECT_EQ(document.state(), chosen);
    EXPECT_EQ(card(), before);
}

TEST_F(DutchDialogs, TheFontDialogOpensOnAFontThatCarriesNoStyleName)
{
    // As a font is made from a card's five font fields.
    WidgetQuestions questions;
    QFont fromFields(QStringLiteral("DejaVu Serif"), 20);
    fromFields.setBold(true);
    fromFields.setItalic(true);
    fromFields.setUnderline(true);
    QFont opened;
    whenShown<QFontDialog>([&opened](QFontDialog *dialog) {
        opened = dialog->currentFont();
        dialog->accept();
    });
    const auto chosen = questions.chooseFont(fromFields);
    EXPECT_TRUE(opened.bold() && opened.italic() && opened.underline()) << opened.toString().toStdString();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_TRUE(chosen->bold() && chosen->italic() && chosen->underline());
    EXPECT_EQ(chosen->pointSize(), 20);
}

TEST_F(DutchDialogs, TheInfoLinesDateUsesDutchNames)
{
    CardDocument document;
    WidgetQuestions questions;
    MainWindow window(document, questions, dir.filePath(QStringLiteral("Lumovander.ini")));
    // Seconds 12..17 show the date.
    window.setClock([] { return QDateTime(QDate(2026, 12, 7), QTime(9, 30, 14)); });
    window.updateInfoLine();
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("InfoRegel"))->text(),
              QStringLiteral("Het is nu maandag 7 december 2026 / 9:30:14"));
}

} // namespace
