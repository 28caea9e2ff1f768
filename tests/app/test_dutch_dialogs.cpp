// The toolkit's own dialogs speak Dutch whatever the system's language: ctest runs this
// under LANG=en_US.UTF-8 and under LANG=C.
#include "program/DutchLanguage.h"
#include "window/CardView.h"
#include "window/MainWindow.h"
#include "window/WidgetQuestions.h"
#include "core/CardDocument.h"
#include "core/CardPainter.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
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

// The user's folders of a home made for the test; the program's own folder is the
// working folder, where no dialog may start.
class UsersFolders : public DutchDialogs {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Pictures")));
        ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Documents")));
        ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("vakantie")));
        savedHome = qgetenv("HOME");
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        // No user-dirs.dirs there: the pictures folder is ~/Pictures.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    }
    void TearDown() override
    {
        qputenv("HOME", savedHome);
        if (savedConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedConfig);
    }
    // Opens the dialog, notes where it starts, and takes `pick` (or cancels).
    QString startOf(const std::function<QString(WidgetQuestions &)> &ask, const QString &pick = QString())
    {
        QString start;
        whenShown<QFileDialog>([&](QFileDialog *dialog) {
            start = dialog->directory().absolutePath();
            if (pick.isEmpty())
                return dialog->reject();
            // Typed, as a user would: selectFile() leaves the name field alone while it
            // has the focus, and an empty field accepts nothing.
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name) {
                ADD_FAILURE() << "no name field";
                return dialog->reject();
            }
            name->setText(pick);
            static_cast<QDialog *>(dialog)->accept();
        });
        EXPECT_EQ(ask(questions), pick);
        return start;
    }
    QString in(const QString &relative) const { return QDir(home.path()).absoluteFilePath(relative); }

    QTemporaryDir home;
    QByteArray savedHome, savedConfig;
    WidgetQuestions questions;
};

TEST_F(UsersFolders, PicturesAreAskedForFromThePicturesFolderThenFromTheLastFolderUsed)
{
    QFile photo(in(QStringLiteral("vakantie/strand.jpg")));
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.close();
    const auto openPicture = [](WidgetQuestions &q) { return q.openFileName(QStringLiteral("Foto|*.jpg")); };
    EXPECT_EQ(startOf(openPicture), in(QStringLiteral("Pictures")));
    EXPECT_EQ(startOf(openPicture, photo.fileName()), in(QStringLiteral("Pictures")));
    EXPECT_EQ(startOf(openPicture), in(QStringLiteral("vakantie")));
    // A PDF is not a picture: it goes to the documents folder.
    const auto savePdf = [](WidgetQuestions &q) {
        return q.saveFileName(QStringLiteral(" Drukklaar PDF"), QStringLiteral("PDF|*.pdf"), QStringLiteral("Jan.pdf"));
    };
    EXPECT_EQ(startOf(savePdf), in(QStringLiteral("Documents")));
    // The folder last used gone, the dialog starts in the usual one again.
    ASSERT_TRUE(QDir(in(QStringLiteral("vakantie"))).removeRecursively());
    EXPECT_EQ(startOf(openPicture), in(QStringLiteral("Pictures")));
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
            // Qt's own, as the file and colour dialogs: a desktop's would not speak Dutch.
            EXPECT_TRUE(dialog->testOption(QFontDialog::DontUseNativeDialog));
            opened = dialog->currentFont();
            if (act)
                act(dialog);
            dialog->accept();
        });
        window.action(QStringLiteral("TekstLettertype"))->trigger();
        return opened;
    }
    QImage card() { return window.cardView()->grab().toImage(); }
    // Chooses the family, the style and the size in the dialog, underlined or not.
    void chooseFace(const QString &family, const QString &style, bool underline = false)
    {
        chooseFont([&](QFontDialog *dialog) {
            clickListEntry(dialog, family);
            clickListEntry(dialog, style);
            clickListEntry(dialog, QStringLiteral("20"));
            if (underline)
                tickUnderline(dialog);
        });
    }
    // The dialog reopens on the face the card's lines are drawn in, and Ok keeps the card.
    void expectReopensOnTheFaceDrawn(const QString &styleName)
    {
        const CardState chosen = document.state();
        const QImage before = card();
        const QFontInfo drawn(CardPainter::textFont(chosen, *window.cardView()));
        ASSERT_EQ(drawn.styleName(), styleName) << "the card draws another face than the test expects";
        const QFont opened = chooseFont();
        const QFontInfo shown(opened);
        EXPECT_EQ(shown.family(), drawn.family());
        EXPECT_EQ(shown.styleName(), styleName) << opened.toString().toStdString();
        EXPECT_EQ(shown.weight(), drawn.weight());
        EXPECT_EQ(shown.italic(), drawn.italic());
        EXPECT_EQ(opened.pointSize(), chosen.FontSize);
        EXPECT_EQ(opened.underline(), chosen.FontUnderline);
        EXPECT_EQ(document.state(), chosen);
        EXPECT_EQ(card(), before);
    }

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

TEST_F(FontDialogOnTheCard, ReopensOnTheBoldFaceAfterABoldChoice)
{
    chooseFace(QStringLiteral("DejaVu Serif"), QStringLiteral("Bold"), true);
    ASSERT_EQ(document.state().FontName, QStringLiteral("DejaVu Serif"));
    ASSERT_TRUE(document.state().FontBold && !document.state().FontItalic && document.state().FontUnderline);
    expectReopensOnTheFaceDrawn(QStringLiteral("Bold"));
}

TEST_F(FontDialogOnTheCard, ReopensOnTheItalicFaceAfterAnItalicChoice)
{
    chooseFace(QStringLiteral("DejaVu Serif"), QStringLiteral("Bold"), true);
    chooseFace(QStringLiteral("DejaVu Serif"), QStringLiteral("Italic"));
    ASSERT_TRUE(!document.state().FontBold && document.state().FontItalic);
    expectReopensOnTheFaceDrawn(QStringLiteral("Italic"));
}

TEST_F(FontDialogOnTheCard, FacesChosenByNameOrWeightReopenAsTheCardDrawsThem)
{
    // The card keeps bold or not: a condensed bold face is drawn as the plain bold one,
    // an extra-light one as the book face.
    chooseFace(QStringLiteral("DejaVu Serif"), QStringLiteral("Condensed Bold"));
    expectReopensOnTheFaceDrawn(QStringLiteral("Bold"));
    chooseFace(QStringLiteral("DejaVu Sans"), QStringLiteral("ExtraLight"));
    ASSERT_EQ(document.state().FontName, QStringLiteral("DejaVu Sans"));
    expectReopensOnTheFaceDrawn(QStringLiteral("Book"));
}

TEST_F(FontDialogOnTheCard, BesideTheSizesItSaysWhatTheSizePrintsAt)
{
    QStringList seen;
    whenShown<QFontDialog>([&seen](QFontDialog *dialog) {
        if (const auto *onPaper = dialog->findChild<QLabel *>(QStringLiteral("LettertypeOpPapier"))) {
            seen << onPaper->text();
            clickListEntry(dialog, QStringLiteral("8"));
            seen << onPaper->text();
        }
        dialog->reject();
    });
    window.action(QStringLiteral("TekstLettertype"))->trigger();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("16 pt, op papier 12 pt"), QStringLiteral("8 pt, op papier 4 pt")}))
        << seen.join('|').toStdString();
    EXPECT_EQ(document.state(), CardState());
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
