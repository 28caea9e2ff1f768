#include "core/HelpMenu.h"
#include "assets/BuiltinPictures.h"
#include "support/CardEdit.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/panel/PhotoView.h"
#include "WindowFixture.h"

#include <QCoreApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <new>
#include <stdexcept>

namespace {

class WindowCommandsTest : public WindowFixture {
protected:
    void SetUp() override { window.show(); }

    void clickLine(int line)
    {
        QTest::mouseClick(control(QStringLiteral("Regel(%1)").arg(line)), Qt::LeftButton, {}, QPoint(2, 2));
    }
    QColor canvasPixel(int x, int y) { return doc.canvas().image().pixelColor(x, y); }
};

QFont font(const char *family, double size, bool bold = false)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(size);
    f.setBold(bold);
    return f;
}

} // namespace

TEST_F(WindowCommandsTest, ClickingALineAsksForItsTextPrefilled)
{
    questions.inputAnswers = {QStringLiteral("Jan Jansen")};
    clickLine(3);
    EXPECT_EQ(questions.asked, QStringList{QStringLiteral(" Invoer tekst|Geef een tekst voor regel...3")});
    EXPECT_EQ(questions.initialTexts, QStringList{QStringLiteral("Regel 3")});
    EXPECT_EQ(doc.state().TextLines[3], QStringLiteral("Jan Jansen"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Regel(3)"))->text(), QStringLiteral("Jan Jansen"));
}

TEST_F(WindowCommandsTest, CancelOrEmptyKeepsTheLineAndABlankBecomesTwo)
{
    questions.inputAnswers = {std::nullopt, QString(), QStringLiteral(" ")};
    clickLine(5);
    clickLine(5);
    EXPECT_EQ(doc.state().TextLines[5], QStringLiteral("Regel 5"));
    clickLine(5);
    EXPECT_EQ(doc.state().TextLines[5], QStringLiteral("  "));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Regel(5)"))->text(), QStringLiteral("  "));
    // The line keeps a width to click on.
    EXPECT_GT(control(QStringLiteral("Regel(5)"))->width(), 0);
}

TEST_F(WindowCommandsTest, LineUnderTheStampBoxCannotBeClicked)
{
    trigger(QStringLiteral("LayoutShow(4)"));
    questions.inputAnswers = {QString(80, QLatin1Char('W'))};
    clickLine(1);
    ASSERT_EQ(questions.asked.size(), 1);
    // The long line runs under the stamp box at 281; a click there reaches the stamp.
    QWidget *kaart = control(QStringLiteral("Kaart"));
    QTest::mouseClick(kaart->childAt(300, 35), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(kaart->childAt(300, 35)->objectName(), QStringLiteral("Orgineel"));
    EXPECT_EQ(questions.asked.size(), 1);
}

TEST_F(WindowCommandsTest, FontDialogAppliesToAllLinesAndRemembersItsLastChoice)
{
    questions.fontAnswers = {font("Liberation Serif", 11.5, true), std::nullopt, font("Liberation Mono", 10.5)};
    trigger(QStringLiteral("TekstLettertype"));
    EXPECT_EQ(doc.state().FontName, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(doc.state().FontSize, 12);
    EXPECT_TRUE(doc.state().FontBold);

    // Opening a card with another font does not pre-set the dialog.
    editCard(doc, [&](Card &card) { card.state.FontName = QStringLiteral("Liberation Sans"); });
    trigger(QStringLiteral("TekstLettertype")); // cancelled
    EXPECT_EQ(doc.state().FontName, QStringLiteral("Liberation Sans"));
    trigger(QStringLiteral("TekstLettertype"));
    EXPECT_EQ(doc.state().FontSize, 10);

    ASSERT_EQ(questions.fontsOffered.size(), 3);
    EXPECT_EQ(questions.fontsOffered[1].family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(questions.fontsOffered[2].family(), QStringLiteral("Liberation Serif"));
    // Every line took the new size: the lines grew or shrank together.
    const int height1 = control(QStringLiteral("Regel(1)"))->height();
    for (int i = 2; i <= 7; ++i)
        EXPECT_EQ(control(QStringLiteral("Regel(%1)").arg(i))->height(), height1);
}

TEST_F(WindowCommandsTest, TextColourBarsRecolourSwatchAndLines)
{
    control<QScrollBar>(QStringLiteral("Gscroll"))->setValue(0);
    control<QScrollBar>(QStringLiteral("Bscroll"))->setValue(255);
    EXPECT_EQ(doc.state().textColor(), QColor(70, 0, 255));
    EXPECT_EQ(control(QStringLiteral("KleurLabel"))->palette().color(QPalette::Window), QColor(70, 0, 255));
    EXPECT_EQ(doc.state().backColor(), QColor(200, 230, 200));
}

TEST_F(WindowCommandsTest, BackgroundBarsFillTheCanvasAndKeepItsOwnPicture)
{
    QImage templ(50, 50, QImage::Format_RGB32);
    templ.fill(Qt::blue);
    doc.setCanvasPicture(QStringLiteral("Templates"), templ);
    doc.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image.fill(Qt::yellow); }); // a painted background photo
    control<QScrollBar>(QStringLiteral("Rscroll1"))->setValue(10);
    EXPECT_EQ(canvasPixel(100, 100), QColor(10, 230, 200));
    EXPECT_EQ(canvasPixel(10, 10), QColor(Qt::blue));
    EXPECT_EQ(control(QStringLiteral("Label5"))->palette().color(QPalette::Window), QColor(10, 230, 200));
}

TEST_F(WindowCommandsTest, BarsFollowColoursSetElsewhere)
{
    editCard(doc, [&](Card &card) {
        card.state.BackColorG = 5;
        card.canvas.setBackColor(card.state.backColor());
    });
    EXPECT_EQ(control<QScrollBar>(QStringLiteral("Gscroll1"))->value(), 5);
}

TEST_F(WindowCommandsTest, NewAnsweredNoChangesNothing)
{
    trigger(QStringLiteral("LayoutShow(2)"));
    doc.enterTextLine(1, QStringLiteral("Blijft"));
    questions.threeWayAnswers = {Questions::Answer::No};
    questions.yesNoAnswers = {false};
    trigger(QStringLiteral("FileNieuw"));
    EXPECT_EQ(questions.asked,
              (QStringList{QStringLiteral(" Lumovander|De kaart is gewijzigd. Wilt u de wijzigingen opslaan?"), QStringLiteral(" Nieuw|Wilt u een nieuwe kaart ontwerpen?")}));
    EXPECT_EQ(doc.state().LayoutKind, 2);
    EXPECT_EQ(doc.state().TextLines[1], QStringLiteral("Blijft"));
    EXPECT_TRUE(window.action(QStringLiteral("Pasfoto"))->isEnabled());
}

TEST_F(WindowCommandsTest, NewReturnsTheWindowToItsStartState)
{
    trigger(QStringLiteral("LayoutShow(3)"));
    trigger(QStringLiteral("ToolsBorderKleur(4)"));
    QImage photo(30, 30, QImage::Format_RGB32);
    photo.fill(Qt::red);
    window.photoView()->setImage(photo);
    doc.setNameCaption(QStringLiteral("strand.jpg / 640 x 480 pixels"));
    window.setEnlargedPhotoPanel(true);
    control<QScrollBar>(QStringLiteral("Rscroll"))->setValue(0);
    control<QScrollBar>(QStringLiteral("Bscroll1"))->setValue(0);

    questions.threeWayAnswers = {Questions::Answer::No};
    questions.yesNoAnswers = {true};
    trigger(QStringLiteral("FileNieuw"));

    EXPECT_EQ(control(QStringLiteral("Frame1"))->width(), 260);
    EXPECT_EQ(control(QStringLiteral("Pic"))->width(), 230);
    EXPECT_TRUE(control(QStringLiteral("Frame2"))->isVisible());
    EXPECT_FALSE(window.action(QStringLiteral("PasfotoVergroting"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("ZoomSize"))->isEnabled());
    EXPECT_FALSE(window.photoWorkspace().isEnlarged());
    EXPECT_TRUE(window.action(QStringLiteral("LayoutShow(0)"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("LayoutShow(3)"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("Pasfoto"))->isEnabled());
    EXPECT_FALSE(control(QStringLiteral("Orgineel"))->isVisible());
    EXPECT_FALSE(control(QStringLiteral("Shape1"))->isVisible());
    EXPECT_TRUE(window.action(QStringLiteral("ToolsBorderKleur(1)"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("ToolsBorderKleur(4)"))->isChecked());
    EXPECT_EQ(window.action(QStringLiteral("NaamBestand"))->text(), QStringLiteral("*.*"));
    EXPECT_EQ(window.photoView()->image(), BuiltinPictures::startPicture());
    EXPECT_EQ(control<QScrollBar>(QStringLiteral("Rscroll"))->value(), 70);
    EXPECT_EQ(control<QScrollBar>(QStringLiteral("Bscroll1"))->value(), 200);
    EXPECT_EQ(canvasPixel(5, 5), QColor(200, 230, 200));
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(control(QStringLiteral("Regel(%1)").arg(i))->pos(), QPoint(25, 30 + 31 * (i - 1)));
}

TEST_F(WindowCommandsTest, InfoLineFollowsTheClock)
{
    QDateTime now(QDate(2026, 3, 2), QTime(10, 0, 0));
    window.setClock([&now] { return now; });
    QLabel *info = control<QLabel>(QStringLiteral("InfoRegel"));
    window.updateInfoLine();
    EXPECT_EQ(info->text(), QStringLiteral("Klik op de regels 1..7 om een tekst in te voeren..."));
    now = now.addSecs(18);
    window.updateInfoLine();
    EXPECT_EQ(info->text(), QStringLiteral("1. Selecteer een layout voor de kaartjes"));
    now = now.addSecs(36);
    window.updateInfoLine();
    EXPECT_EQ(info->text(), QStringLiteral("7. Nu kan de kaart worden opgeslagen op uw computer"));
    now = now.addSecs(8); // second 2 of the next minute: the line keeps its text
    window.updateInfoLine();
    EXPECT_EQ(info->text(), QStringLiteral("7. Nu kan de kaart worden opgeslagen op uw computer"));
    now = now.addSecs(10);
    window.updateInfoLine();
    EXPECT_TRUE(info->text().startsWith(QStringLiteral("Het is nu ")));
    EXPECT_TRUE(info->text().endsWith(QStringLiteral(" / 10:01:12")));
}

TEST_F(WindowCommandsTest, HelpToggledTwiceLeavesThePhotoUnchanged)
{
    QImage photo(300, 300, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    window.photoView()->setImage(photo);
    QLabel *help = control<QLabel>(QStringLiteral("HelpLabel"));

    trigger(QStringLiteral("HelpHelp"));
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(window.photoView()->isVisible());
    EXPECT_TRUE(window.action(QStringLiteral("HelpHelp"))->isChecked());
    EXPECT_TRUE(help->text().startsWith(QStringLiteral("Welkom bij Lumovander\n")));
    EXPECT_EQ(help->palette().color(QPalette::WindowText), QColor(224, 224, 224));
    EXPECT_EQ(help->geometry(), window.photoView()->geometry());

    trigger(QStringLiteral("HelpHelp"));
    EXPECT_FALSE(help->isVisible());
    EXPECT_TRUE(window.photoView()->isVisible());
    EXPECT_FALSE(window.action(QStringLiteral("HelpHelp"))->isChecked());
    EXPECT_EQ(window.photoView()->image(), photo);
}

// The test program lies where no manual is: a clear message, never a silent nothing.
TEST_F(WindowCommandsTest, HandleidingWithoutTheManualSaysSo)
{
    ASSERT_TRUE(HelpMenu::manualPath(QCoreApplication::applicationDirPath()).isEmpty());
    trigger(QStringLiteral("HelpHandleiding"));
    EXPECT_EQ(questions.messages,
              QStringList{QStringLiteral("Handleiding|De handleiding Lumovander.pdf is niet gevonden bij het programma.")});
}

TEST_F(WindowCommandsTest, PhotoViewReportsMouseInViewPixels)
{
    PhotoView *pic = window.photoView();
    QList<QPointF> pressed;
    QList<int> buttons;
    QObject::connect(pic, &PhotoView::mousePressed, [&](Qt::MouseButton b, QPointF p) {
        pressed << p;
        buttons << int(b);
    });
    QTest::mousePress(pic, Qt::RightButton, {}, QPoint(10, 20));
    QTest::mouseRelease(pic, Qt::RightButton, {}, QPoint(10, 20));
    ASSERT_EQ(pressed.size(), 1);
    EXPECT_EQ(pressed[0], QPointF(10, 20));
    EXPECT_EQ(buttons[0], 2);
}

TEST_F(WindowCommandsTest, PhotoViewShowsItsImageFromTheTopLeftOnItsBackground)
{
    PhotoView *pic = window.photoView();
    QImage small(20, 10, QImage::Format_RGB32);
    small.fill(Qt::red);
    pic->setImage(small);
    pic->setBackgroundColor(Qt::green);
    const QImage shown = pic->grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(19, 9), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(20, 9), QColor(Qt::green));
    EXPECT_EQ(shown.pixelColor(229, 419), QColor(Qt::green));
}

namespace {

// Answers that fail the way a broken library would: by throwing out of the command.
class ThrowingQuestions : public ScriptedQuestions {
public:
    std::optional<QFont> chooseFont(const QFont &) override { throw std::runtime_error("lettertype kapot"); }
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override
    {
        throw std::bad_alloc();
    }
};

} // namespace

TEST(WindowCommandBoundary, ExceptionLeavingACommandBecomesAMessageAndTheWindowGoesOn)
{
    QTemporaryDir dir;
    CardDocument doc;
    ThrowingQuestions questions;
    MainWindow window(doc, questions, dir.filePath(QStringLiteral("Lumovander.ini")));
    window.show();

    window.action(QStringLiteral("TekstLettertype"))->trigger();
    QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("Regel(1)")), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(questions.messages,
              (QStringList{"Lumovander|Er ging iets mis: de opdracht is afgebroken.\r\nlettertype kapot",
                           "Lumovander|Er ging iets mis: de opdracht is afgebroken.\r\nEr is niet genoeg geheugen."}));
    window.action(QStringLiteral("LayoutShow(2)"))->trigger();
    EXPECT_EQ(doc.state().LayoutKind, 2);
}

TEST_F(WindowCommandsTest, BeeldTurnsTheCardOverAndTheWindowFollows)
{
    doc.applyLayout(2);
    questions.inputAnswers = {QStringLiteral("Tot ziens")};
    trigger(QStringLiteral("KantAchter"));
    EXPECT_TRUE(window.action(QStringLiteral("KantAchter"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("KantVoor"))->isChecked());
    // The layouts and the stamp are the front's.
    EXPECT_FALSE(window.action(QStringLiteral("Layout"))->isEnabled());
    EXPECT_FALSE(window.action(QStringLiteral("Pasfoto"))->isEnabled());
    EXPECT_FALSE(control(QStringLiteral("Orgineel"))->isVisibleTo(&window));
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("(achterkant)")));
    EXPECT_FALSE(window.action(QStringLiteral("KantAchterWeg"))->isEnabled());

    // A click on a line of the back types on the back.
    clickLine(2);
    EXPECT_EQ(questions.initialTexts, QStringList{QString()});
    ASSERT_TRUE(doc.hasBack());
    EXPECT_EQ(doc.card().back->state.TextLines[2], QStringLiteral("Tot ziens"));
    EXPECT_EQ(window.action(QStringLiteral("WijzigenOngedaan"))->text(),
              QStringLiteral("Ongedaan maken: Achterkant: Invoer tekst"));
    EXPECT_TRUE(window.action(QStringLiteral("KantAchterWeg"))->isEnabled());

    // Ctrl+Tab turns it back, as a key typed into the active window.
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(doc.shownSide(), CardSide::Front);
    EXPECT_TRUE(window.action(QStringLiteral("KantVoor"))->isChecked());
    EXPECT_TRUE(window.action(QStringLiteral("Pasfoto"))->isEnabled());
    EXPECT_EQ(control<QLabel>(QStringLiteral("Regel(2)"))->text(), doc.card().state.TextLines[2]);
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("(voorkant)")));

    // Removing the back asks first.
    questions.yesNoAnswers = {false, true};
    trigger(QStringLiteral("KantAchterWeg"));
    EXPECT_TRUE(doc.hasBack());
    trigger(QStringLiteral("KantAchterWeg"));
    EXPECT_FALSE(doc.hasBack());
    EXPECT_EQ(questions.asked.back(),
              QStringLiteral(" Achterkant verwijderen|Wilt u de achterkant van deze kaart verwijderen?"));
    EXPECT_FALSE(window.action(QStringLiteral("KantAchterWeg"))->isEnabled());
}
