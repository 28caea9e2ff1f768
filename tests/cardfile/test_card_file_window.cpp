#include "batch/BatchCommands.h"
#include "cardfile/ui/CardFileCommands.h"
#include "window/CardView.h"
#include "core/DataFolder.h"
#include "cardfile/ui/OpenFileDialog.h"
#include "app/WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255);

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writePicture(const QString &path, const QColor &colour, QSize size = {440, 270})
{
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(path, "PNG"));
}

QColor colourAt(const QPixmap &pixmap, int x, int y)
{
    return pixmap.toImage().pixelColor(x, y);
}

// A designer window with the card file commands, its data folder the fixture's own.
class CardFileWindow : public WindowFixture {
protected:
    void SetUp() override
    {
        DataFolder::setOverride(dir.path());
        installCardFileCommands(window);
    }
    void TearDown() override
    {
        EXPECT_EQ(questions.unexpected, 0);
        DataFolder::setOverride(QString());
    }

    QString cards(const QString &file) const { return QDir(DataFolder::cardsFolder()).filePath(file); }
    QString templates(const QString &file) const { return QDir(DataFolder::templatesFolder()).filePath(file); }

    // Triggers the command and, once its dialog is up, acts on it. A dialog the action
    // leaves open is closed with Cancel afterwards; returns whether it was left open.
    bool withOpenFile(const QString &command, const std::function<void(OpenFileDialog &)> &act)
    {
        bool shown = false, leftOpen = false;
        QTimer::singleShot(0, &window, [&] {
            auto *dialog = window.findChild<OpenFileDialog *>(QStringLiteral("OpenFile"));
            if (!dialog || !dialog->isVisible())
                return;
            shown = true;
            act(*dialog);
            leftOpen = dialog->isVisible();
            if (leftOpen)
                dialog->reject();
        });
        trigger(command);
        EXPECT_TRUE(shown) << command.toStdString();
        EXPECT_EQ(window.findChild<OpenFileDialog *>(), nullptr) << "the dialog lives for one opening";
        return leftOpen;
    }

    template <typename T = QWidget>
    static T *in(OpenFileDialog &dialog, const char *name)
    {
        T *found = dialog.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // A click on an entry of List1, by its text.
    static void clickEntry(OpenFileDialog &dialog, const QString &entry, bool twice = false)
    {
        auto *list = in<QListWidget>(dialog, "List1");
        const QList<QListWidgetItem *> items = list->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        const QPoint at = list->visualItemRect(items.first()).center();
        // As the desktop sends it: a click, then the double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    static QStringList listed(OpenFileDialog &dialog)
    {
        QStringList names;
        auto *list = in<QListWidget>(dialog, "List1");
        for (int row = 0; row < list->count(); ++row)
            names << list->item(row)->text();
        return names;
    }

    QImage shownCard() const { return window.cardView()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // A card with something in every part the record and the pictures carry.
    void designCard()
    {
        trigger(QStringLiteral("LayoutShow(2)"));
        control<QScrollBar>(QStringLiteral("Rscroll1"))->setValue(30);
        doc.drawOnCanvas(QStringLiteral("Test"),
                         [](QImage &image) { QPainter(&image).fillRect(QRect(300, 150, 100, 80), kBlue); });
        doc.drawOnStamp(QStringLiteral("Test"), [](QImage &image) {
            image.fill(kRed);
            QPainter(&image).fillRect(QRect(20, 20, 40, 40), kGreen);
        });
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPointSize(14);
        font.setBold(true);
        font.setItalic(true);
        questions.fontAnswers = {font};
        trigger(QStringLiteral("TekstLettertype"));
        doc.enterTextLine(1, QStringLiteral("Joël de Vries"));
        doc.enterTextLine(4, QStringLiteral("  inspringen  "));
        control<QScrollBar>(QStringLiteral("Rscroll"))->setValue(200);
        control<QScrollBar>(QStringLiteral("Gscroll"))->setValue(10);
        trigger(QStringLiteral("ToolsBorderKleur(3)"));
    }

    void saveAs(const QString &name)
    {
        questions.inputAnswers = {name};
        trigger(QStringLiteral("FileSaveKaart"));
    }
};

const QStringList kNoMessages;

} // namespace

TEST_F(CardFileWindow, DialogControlsStandAtTheirPlacesInBothModes)
{
    writeFile(cards("Jan.crd"), "x");
    const struct {
        const char *name;
        QRect geometry;
    } placed[] = {
        {"Frame1", {6, 0, 286, 219}},    {"List1", {13, 13, 160, 199}},
        {"Label2", {174, 12, 104, 60}},  {"Label3", {174, 80, 104, 60}},
        {"Image1", {178, 84, 95, 51}},   {"Label1", {174, 164, 104, 48}},
        {"DeleteKnop", {176, 166, 100, 22}}, {"CancelKnop", {176, 188, 50, 22}},
        {"OkKnop", {226, 188, 50, 22}},
    };
    withOpenFile("FileOpenKaart", [&](OpenFileDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Open Kaart"));
        EXPECT_TRUE(dialog.isModal());
        EXPECT_EQ(dialog.size(), QSize(298, 231));
        for (const auto &control : placed) {
            QWidget *widget = in(dialog, control.name);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->geometry(), control.geometry) << control.name;
        }
        EXPECT_EQ(in<QPushButton>(dialog, "DeleteKnop")->text(), QStringLiteral("Verwijder Bestand"));
        EXPECT_EQ(in<QPushButton>(dialog, "CancelKnop")->text(), QStringLiteral("Cancel"));
        EXPECT_EQ(in<QPushButton>(dialog, "OkKnop")->text(), QStringLiteral("Ok"));
        const QPalette list = in(dialog, "List1")->palette();
        EXPECT_EQ(list.color(QPalette::Base), QColor(180, 180, 190));
        EXPECT_EQ(list.color(QPalette::Text), QColor(40, 40, 60));
        EXPECT_FALSE(in(dialog, "Label3")->isVisible());
        EXPECT_FALSE(in(dialog, "Image1")->isVisible());
        EXPECT_FALSE(in(dialog, "DeleteKnop")->isEnabled()) << "until an entry is clicked";
    });
    withOpenFile("ToolsBackTemplates", [](OpenFileDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Open Template"));
        EXPECT_TRUE(in(dialog, "Label3")->isVisible());
        EXPECT_TRUE(in(dialog, "Image1")->isVisible());
    });
}

TEST_F(CardFileWindow, ListAndCountShowTheFolderAndCancelChangesNothing)
{
    for (const char *file : {"zee.crd", "Anna.crd", "Bob.CRD", "Bob-back.bmp", "Bob.bmp"})
        writeFile(cards(QString::fromLatin1(file)), "x");
    const QImage before = shownCard();
    withOpenFile("FileOpenKaart", [](OpenFileDialog &dialog) {
        EXPECT_EQ(listed(dialog), (QStringList{"Anna", "Bob", "zee"}));
        EXPECT_EQ(in<QLabel>(dialog, "Label2")->text(),
                  QStringLiteral("Maak d.m.v. de lijst een keuze uit een van de 3 kaarten die u wilt openen."));
        clickEntry(dialog, QStringLiteral("Bob"));
        QTest::mouseClick(in(dialog, "CancelKnop"), Qt::LeftButton);
    });
    EXPECT_EQ(questions.messages, kNoMessages);
    EXPECT_EQ(window.action(QStringLiteral("NaamBestand"))->text(), QStringLiteral("*.*"));
    EXPECT_EQ(shownCard(), before);

    withOpenFile("ToolsBackTemplates", [](OpenFileDialog &dialog) {
        EXPECT_TRUE(listed(dialog).isEmpty());
        EXPECT_EQ(in<QLabel>(dialog, "Label2")->text(),
                  QStringLiteral("Maak d.m.v. de lijst een keuze uit een van de 0 templates die u wilt openen."));
    });
}

TEST_F(CardFileWindow, TemplatePreviewShowsTheFirstThenTheClickedOneStretched)
{
    writePicture(templates("blauw.tmp"), kBlue, {10, 400});
    writePicture(templates("rood.tmp"), kRed, {400, 10});
    withOpenFile("ToolsBackTemplates", [](OpenFileDialog &dialog) {
        auto *preview = in<QLabel>(dialog, "Image1");
        EXPECT_EQ(preview->pixmap().size(), QSize(95, 51));
        EXPECT_EQ(colourAt(preview->pixmap(), 94, 0), kBlue) << "a thin picture fills the whole box";
        clickEntry(dialog, QStringLiteral("rood"));
        EXPECT_EQ(preview->pixmap().size(), QSize(95, 51));
        EXPECT_EQ(colourAt(preview->pixmap(), 0, 50), kRed);
        EXPECT_TRUE(in(dialog, "DeleteKnop")->isEnabled());
    });
}

TEST_F(CardFileWindow, DeletingACardAsksThenRemovesItsFilesFromFolderAndList)
{
    for (const char *file : {"Anna.crd", "Anna-back.bmp", "Anna.bmp", "Bob.crd", "Bob-back.bmp"})
        writeFile(cards(QString::fromLatin1(file)), "x");
    questions.yesNoAnswers = {false, true};
    withOpenFile("FileOpenKaart", [this](OpenFileDialog &dialog) {
        clickEntry(dialog, QStringLiteral("Anna"));
        QTest::mouseClick(in(dialog, "DeleteKnop"), Qt::LeftButton);
        EXPECT_EQ(listed(dialog), (QStringList{"Anna", "Bob"})) << "answered No";
        EXPECT_TRUE(QFileInfo::exists(cards("Anna.crd")));

        QTest::mouseClick(in(dialog, "DeleteKnop"), Qt::LeftButton);
        EXPECT_EQ(listed(dialog), QStringList{"Bob"});
        EXPECT_TRUE(in<QListWidget>(dialog, "List1")->selectedItems().isEmpty());
        EXPECT_EQ(in<QLabel>(dialog, "Label2")->text(),
                  QStringLiteral("Maak d.m.v. de lijst een keuze uit een van de 2 kaarten die u wilt openen."))
            << "the count is that of the opening";
    });
    EXPECT_EQ(questions.asked, (QStringList{" Delete|Wilt u het bestand 'Anna' verwijderen",
                                            " Delete|Wilt u het bestand 'Anna' verwijderen"}));
    EXPECT_EQ(QDir(DataFolder::cardsFolder()).entryList(QDir::Files, QDir::Name),
              (QStringList{"Bob-back.bmp", "Bob.crd"}));
}

TEST_F(CardFileWindow, DeletingATemplateRemovesOnlyItsFile)
{
    writePicture(templates("rood.tmp"), kRed);
    writeFile(cards("rood.crd"), "x");
    questions.yesNoAnswers = {true};
    withOpenFile("ToolsBackTemplates", [](OpenFileDialog &dialog) {
        clickEntry(dialog, QStringLiteral("rood"));
        QTest::mouseClick(in(dialog, "DeleteKnop"), Qt::LeftButton);
        EXPECT_TRUE(listed(dialog).isEmpty());
    });
    EXPECT_FALSE(QFileInfo::exists(templates("rood.tmp")));
    EXPECT_TRUE(QFileInfo::exists(cards("rood.crd")));
}

TEST_F(CardFileWindow, OkWithoutSelectionAsksToSelectKeepsTheDialogAndClearsTheCaption)
{
    writeFile(cards("Jan.crd"), "x");
    writePicture(cards("Jan-back.bmp"), kBlue);
    writePicture(templates("rood.tmp"), kRed);
    const QImage before = shownCard();
    for (const char *command : {"FileOpenKaart", "ToolsBackTemplates"}) {
        doc.setNameCaption(QStringLiteral("vorige"));
        questions.messages.clear();
        const bool leftOpen = withOpenFile(QString::fromLatin1(command), [](OpenFileDialog &dialog) {
            // The list taking the focus puts a current row on its first entry; that is no choice.
            QFocusEvent tabbedInto(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(in(dialog, "List1"), &tabbedInto);
            QTest::mouseClick(in(dialog, "OkKnop"), Qt::LeftButton);
        });
        EXPECT_TRUE(leftOpen) << command;
        EXPECT_EQ(questions.messages, QStringList{"Lumovander|Selecteer eerst een kaart..."}) << command;
        EXPECT_EQ(window.action(QStringLiteral("NaamBestand"))->text(), QString()) << command;
        EXPECT_EQ(shownCard(), before) << command;
    }
}

TEST_F(CardFileWindow, SavedCardComesBackPixelForPixelInAFreshWindow)
{
    designCard();
    doc.setLastFileName(QStringLiteral("Vorige"));
    saveAs(QStringLiteral("Jan"));
    EXPECT_EQ(questions.asked, QStringList{" Opslaan Kaart|Geef een bestandsnaam voor deze kaart..."});
    EXPECT_EQ(questions.initialTexts, QStringList{"Vorige"});
    EXPECT_EQ(questions.messages, kNoMessages);
    for (const char *file : {"Jan.crd", "Jan-back.bmp", "Jan.bmp"})
        EXPECT_TRUE(QFileInfo::exists(cards(QString::fromLatin1(file)))) << file;
    const QImage designed = shownCard();

    // Another run of the program: a new card and window over the same folder.
    CardDocument otherDoc;
    MainWindow other(otherDoc, questions, settingsPath);
    installCardFileCommands(other);
    ASSERT_NE(shownCard(), other.cardView()->grab().toImage().convertToFormat(QImage::Format_RGB32));
    QTimer::singleShot(0, &other, [&other] {
        auto *dialog = other.findChild<OpenFileDialog *>(QStringLiteral("OpenFile"));
        ASSERT_NE(dialog, nullptr);
        clickEntry(*dialog, QStringLiteral("Jan"));
        QTest::mouseClick(in(*dialog, "OkKnop"), Qt::LeftButton);
        if (dialog->isVisible())
            dialog->reject();
    });
    other.action(QStringLiteral("FileOpenKaart"))->trigger();

    EXPECT_EQ(other.cardView()->grab().toImage().convertToFormat(QImage::Format_RGB32), designed);
    EXPECT_EQ(other.action(QStringLiteral("NaamBestand"))->text(), QStringLiteral("Jan"));
    EXPECT_EQ(otherDoc.lastFileName(), QStringLiteral("Jan"));
    EXPECT_TRUE(other.action(QStringLiteral("LayoutShow(2)"))->isChecked());
    EXPECT_FALSE(other.action(QStringLiteral("LayoutShow(0)"))->isChecked());
    EXPECT_TRUE(other.action(QStringLiteral("Pasfoto"))->isEnabled()) << "the Zegelfoto menu";
    EXPECT_TRUE(other.action(QStringLiteral("ToolsBorderKleur(3)"))->isChecked());
    EXPECT_FALSE(other.action(QStringLiteral("ToolsBorderKleur(1)"))->isChecked());
    EXPECT_FALSE(other.findChild<QWidget *>(QStringLiteral("Shape1"))->isHidden());
    EXPECT_FALSE(other.findChild<QWidget *>(QStringLiteral("Orgineel"))->isHidden());
    EXPECT_EQ(other.findChild<QLabel *>(QStringLiteral("Regel(1)"))->text(), QStringLiteral("Joël de Vries"));
    EXPECT_EQ(other.findChild<QLabel *>(QStringLiteral("Regel(4)"))->text(), QStringLiteral("  inspringen  "));
    EXPECT_EQ(otherDoc.state().FontName, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(otherDoc.state().FontSize, 14);
    EXPECT_TRUE(otherDoc.state().FontBold && otherDoc.state().FontItalic);
    EXPECT_EQ(other.findChild<QScrollBar *>(QStringLiteral("Rscroll"))->value(), 200);
    EXPECT_EQ(other.findChild<QScrollBar *>(QStringLiteral("Gscroll"))->value(), 10);
    EXPECT_EQ(other.findChild<QScrollBar *>(QStringLiteral("Bscroll"))->value(), 70);
    EXPECT_EQ(other.findChild<QLabel *>(QStringLiteral("KleurLabel"))->palette().color(QPalette::Window),
              QColor(200, 10, 70));
    EXPECT_EQ(other.findChild<QScrollBar *>(QStringLiteral("Rscroll1"))->value(), 200)
        << "the background colour is in the picture, its bars stay";
}

TEST_F(CardFileWindow, DoubleClickOpensLikeOk)
{
    writeFile(cards("Anna.crd"), "x");
    writePicture(cards("Anna-back.bmp"), kGreen);
    writeFile(cards("Jan.crd"), "x");
    writePicture(cards("Jan-back.bmp"), kBlue);
    const bool leftOpen = withOpenFile("FileOpenKaart", [](OpenFileDialog &dialog) {
        clickEntry(dialog, QStringLiteral("Jan"), true);
    });
    EXPECT_FALSE(leftOpen);
    EXPECT_EQ(shownCard().pixelColor(2, 2), kBlue);
    EXPECT_EQ(window.action(QStringLiteral("NaamBestand"))->text(), QStringLiteral("Jan"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Jan \u2013 Lumovander")) << "opened, nothing changed yet";
}

TEST_F(CardFileWindow, TemplateReplacesTheBackgroundAndKeepsTheStamp)
{
    designCard();
    // A card of the template's name must not be pulled in.
    writeFile(cards("rood.crd"), "\"x\"\r\n\"-\"\r\n0\r\n");
    writePicture(templates("rood.tmp"), kRed, {200, 100});
    const QImage before = shownCard();
    const QRect stamp = doc.stamp().geometry();

    const bool leftOpen = withOpenFile("ToolsBackTemplates", [](OpenFileDialog &dialog) {
        clickEntry(dialog, QStringLiteral("rood"));
        QTest::mouseClick(in(dialog, "OkKnop"), Qt::LeftButton);
    });
    EXPECT_FALSE(leftOpen);
    const QImage after = shownCard();
    EXPECT_EQ(after.copy(stamp), before.copy(stamp)) << "the stamp the user cut stays";
    EXPECT_EQ(after.pixelColor(stamp.right() + 5, 5), kRed) << "the template from the top-left corner";
    EXPECT_EQ(after.pixelColor(350, 260), QColor(30, 230, 200)) << "the background colour beyond it";
    EXPECT_EQ(doc.state().LayoutKind, 2);
    EXPECT_TRUE(window.action(QStringLiteral("ToolsBorderKleur(3)"))->isChecked());
    EXPECT_EQ(doc.state().TextLines[1], QStringLiteral("Joël de Vries"));
    EXPECT_EQ(window.action(QStringLiteral("NaamBestand"))->text(), QStringLiteral("rood"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Naamloos* \u2013 Lumovander")) << "a template names no card";
}

TEST_F(CardFileWindow, BatchRenderDrawsWhatTheWindowShows)
{
    designCard();
    saveAs(QStringLiteral("Jan"));
    const QString output = QDir(dir.path()).filePath(QStringLiteral("jan.png"));
    QString errors;
    QTextStream err(&errors);
    ASSERT_EQ(batchRender({QStringLiteral("Jan"), output}, err), 0) << errors.toStdString();
    const QImage rendered = QImage(output).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(rendered, shownCard());
}

TEST_F(CardFileWindow, ACardWithABackShowsBothSidesInTheDialogAndComesBackOnItsFront)
{
    designCard();
    doc.showSide(CardSide::Back);
    doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { image.fill(kGreen); });
    doc.enterTextLine(3, QStringLiteral("Achterkant"));
    const QImage back = shownCard();
    saveAs(QStringLiteral("Jan"));
    EXPECT_EQ(questions.messages, kNoMessages);
    doc.showSide(CardSide::Front);
    const QImage front = shownCard();
    writeFile(cards("Kaal.crd"), "x");
    writePicture(cards("Kaal-back.bmp"), kBlue);

    // Another run of the program: a new card and window over the same folder.
    CardDocument otherDoc;
    MainWindow other(otherDoc, questions, settingsPath);
    installCardFileCommands(other);
    QTimer::singleShot(0, &other, [&other] {
        auto *dialog = other.findChild<OpenFileDialog *>(QStringLiteral("OpenFile"));
        ASSERT_NE(dialog, nullptr);
        const auto previewShown = [&] {
            EXPECT_EQ(in(*dialog, "Label3")->isVisible(), in(*dialog, "Image1")->isVisible());
            return in(*dialog, "Image1")->isVisible();
        };
        EXPECT_FALSE(previewShown());
        clickEntry(*dialog, QStringLiteral("Jan"));
        EXPECT_TRUE(previewShown());
        EXPECT_FALSE(in<QLabel>(*dialog, "Image1")->pixmap().isNull());
        clickEntry(*dialog, QStringLiteral("Kaal"));
        EXPECT_FALSE(previewShown()) << "a card without a back looks as it always did";
        clickEntry(*dialog, QStringLiteral("Jan"));
        QTest::mouseClick(in(*dialog, "OkKnop"), Qt::LeftButton);
        if (dialog->isVisible())
            dialog->reject();
    });
    other.action(QStringLiteral("FileOpenKaart"))->trigger();

    const auto otherShown = [&] { return other.cardView()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    EXPECT_EQ(otherDoc.shownSide(), CardSide::Front);
    EXPECT_EQ(otherShown(), front);
    otherDoc.showSide(CardSide::Back);
    EXPECT_EQ(otherShown(), back);
}
