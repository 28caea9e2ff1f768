// The print commands through the designer window: the margins dialog with its field
// check, Reset, Cancel and Ok; the print dialog's preview, sheet count and "Print" on
// a printer or into a PDF; a card with a back printed on one side or both, and the page
// preview; "Setup Printer".
#include "core/Algemeen.h"
#include "print/CorrectionFile.h"
#include "print/PdfSheetWriter.h"
#include "print/PrintTarget.h"
#include "print/ui/AfdrukkenDialog.h"
#include "support/MaskedPdf.h"
#include "support/CardEdit.h"
#include "PrintWindowFixture.h"
#include "RenderedPdf.h"
#include "print/ui/SystemPrinter.h"
#include "core/SettingsFile.h"

#include <QFileInfo>

#include <QComboBox>
#include <QLabel>
#include <QPrinterInfo>
#include <QSpinBox>
#include <new>

namespace {

const QColor Blue(0, 0, 255);
const QColor Green(0, 255, 0);
const QColor Red(255, 0, 0);
const QColor PreviewGround(240, 240, 230);

class PrintWindowTest : public PrintWindowFixture {
protected:
    static QLineEdit *field(QDialog &dialog, int i) { return in<QLineEdit>(dialog, QStringLiteral("MargeText(%1)").arg(i)); }

    // A blue card with a green stamp, in a layout.
    void colouredCard(int layout)
    {
        QImage canvas(440, 270, QImage::Format_RGB32);
        canvas.fill(Blue);
        doc.setCanvasPicture(QStringLiteral("Templates"), canvas);
        doc.applyLayout(layout);
        QImage stamp(doc.stamp().image().size(), QImage::Format_RGB32);
        stamp.fill(Green);
        editCard(doc, [&](Card &card) { card.stamp.setPicture(stamp); });
    }
    QImage previewOf(int layout)
    {
        colouredCard(layout);
        QImage preview;
        withDialog(QStringLiteral("FilePrint"),
                   [&](QDialog &d) { preview = in<QLabel>(d, QStringLiteral("Picture1"))->pixmap().toImage(); });
        return preview;
    }

    static QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }

    // A blue front in a layout without a stamp, and a red back.
    void cardWithBack()
    {
        colouredCard(1);
        editCard(doc, [&](Card &card) {
            card.back = CardFace::blankBack(card);
            QImage canvas(440, 270, QImage::Format_RGB32);
            canvas.fill(Red);
            card.back->canvas.setPicture(canvas);
        });
    }
    static void chooseSides(QDialog &dialog, int choice)
    {
        in<QComboBox>(dialog, QStringLiteral("Dubbelzijdig"))->setCurrentIndex(choice);
    }
    static bool isRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
    static QByteArray bytesOf(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? maskedPdf(f.readAll()) : QByteArray();
    }
    QString corrections() const { return CorrectionFile::besideSettings(settingsPath); }
};

} // namespace

// ---- Marges ----

TEST_F(PrintWindowTest, MarginsDialogShowsItsFieldsLettersAndChoices)
{
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("Marges"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral(" Afdruk Marges"));
        const QStringList letters = {"A", "B", "C", "D", "H", "V"};
        const QStringList texts = {"15", "23", "90", "50", "0", "0"};
        for (int i = 1; i <= 6; ++i) {
            EXPECT_EQ(field(d, i)->geometry(), QRect(9, 16 + 20 * (i - 1), 50, 19));
            EXPECT_EQ(field(d, i)->parentWidget()->objectName(), QStringLiteral("Frame2"));
            EXPECT_EQ(field(d, i)->text(), texts[i - 1]);
            QLabel *letter = in<QLabel>(d, QStringLiteral("MargeLabel(%1)").arg(i));
            EXPECT_EQ(letter->text(), letters[i - 1]);
            EXPECT_EQ(letter->y(), 17 + 20 * (i - 1));
        }
        EXPECT_EQ(field(d, 4)->toolTip(), QStringLiteral(" Hoogte van de kaartjes "));
        EXPECT_EQ(field(d, 6)->toolTip(), QStringLiteral(" Vertikale afstand tussen de kaartjes "));
        auto *count = in<QComboBox>(d, QStringLiteral("Combo1"));
        ASSERT_EQ(count->count(), 2);
        EXPECT_EQ(count->itemText(0), QStringLiteral("10"));
        EXPECT_EQ(count->itemText(1), QStringLiteral("8"));
        EXPECT_EQ(count->currentText(), QStringLiteral("10"));
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("Image1"))->pixmap().size(), QSize(240, 260));
        EXPECT_EQ(in<QPushButton>(d, QStringLiteral("OkKnop"))->toolTip(), QStringLiteral(" Gegevens opslaan "));
        EXPECT_EQ(in<QPushButton>(d, QStringLiteral("ResetKnop"))->text(), QStringLiteral("Reset"));
    });
}

TEST_F(PrintWindowTest, TypingThatBreaksTheNumberEmptiesTheWholeField)
{
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        QTest::keyClicks(field(d, 1), QStringLiteral("34"));
        EXPECT_EQ(field(d, 1)->text(), QStringLiteral("1534"));
        QTest::keyClicks(field(d, 1), QStringLiteral("5"));
        EXPECT_EQ(field(d, 1)->text(), QString()) << "a fifth character";

        QTest::keyClicks(field(d, 2), QStringLiteral("a"));
        EXPECT_EQ(field(d, 2)->text(), QString()) << "a letter";

        retype(field(d, 5), QStringLiteral("-"));
        EXPECT_EQ(field(d, 5)->text(), QString()) << "a minus into an empty field";
        QTest::keyClicks(field(d, 5), QStringLiteral("5"));
        QTest::keyClick(field(d, 5), Qt::Key_Home);
        QTest::keyClicks(field(d, 5), QStringLiteral("-"));
        EXPECT_EQ(field(d, 5)->text(), QStringLiteral("-5")) << "a sign in front of digits";

        retype(field(d, 3), QStringLiteral("12,5"));
        EXPECT_EQ(field(d, 3)->text(), QStringLiteral("12,5")) << "the locale's decimal comma";
        retype(field(d, 4), QStringLiteral("12."));
        EXPECT_EQ(field(d, 4)->text(), QString()) << "a point is no decimal separator here";
    });
}

TEST_F(PrintWindowTest, DecimalPointCountsWhereTheLocaleWritesOne)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        retype(field(d, 3), QStringLiteral("12.5"));
        EXPECT_EQ(field(d, 3)->text(), QStringLiteral("12.5"));
        retype(field(d, 4), QStringLiteral("12,"));
        EXPECT_EQ(field(d, 4)->text(), QString());
    });
}

TEST_F(PrintWindowTest, StoredValuesPassTheCheckWhenTheDialogFillsIn)
{
    doc.printSettings().PrintMarginA = GeneralValue("12,345");
    doc.printSettings().PrintOffsetH = GeneralValue(2.5);
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        EXPECT_EQ(field(d, 1)->text(), QString()) << "too long to be shown";
        EXPECT_EQ(field(d, 5)->text(), QStringLiteral("2,5")) << "a number as the locale writes it";
    });
}

TEST_F(PrintWindowTest, ResetSetsTheDefaultsAtOnceAndCancelKeepsThem)
{
    PrintSettings &s = doc.printSettings();
    s.PrintMarginA = GeneralValue("20");
    s.CardHeightMm = GeneralValue("55");
    s.PrintOffsetV = 3;
    s.CardsPerSheet = 8;
    const PrintSettings edited = s;

    questions.yesNoAnswers = {false, true};
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        click(d, QStringLiteral("ResetKnop"));
        EXPECT_EQ(s, edited) << "No changes nothing";
        EXPECT_EQ(field(d, 1)->text(), QStringLiteral("20"));

        click(d, QStringLiteral("ResetKnop"));
        EXPECT_EQ(s, PrintSettings()) << "Yes resets without waiting for Ok";
        EXPECT_EQ(field(d, 1)->text(), QStringLiteral("15"));
        EXPECT_EQ(field(d, 4)->text(), QStringLiteral("50"));
        EXPECT_EQ(field(d, 6)->text(), QStringLiteral("0"));
        EXPECT_EQ(in<QComboBox>(d, QStringLiteral("Combo1"))->currentText(), QStringLiteral("10"));
        click(d, QStringLiteral("CancelKnop"));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(questions.asked, QStringList(2, QStringLiteral(" Reset|Wilt u de begin marges resetten?")));
    EXPECT_EQ(s, PrintSettings());
}

TEST_F(PrintWindowTest, OkWithoutEditsStoresTheDefaultsAsTexts)
{
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) { click(d, QStringLiteral("OkKnop")); });
    const PrintSettings texts{GeneralValue("15"), GeneralValue("23"), GeneralValue("90"), GeneralValue("50"),
                              GeneralValue("0"), 0, 10};
    EXPECT_EQ(doc.printSettings(), texts) << "A to D and H held as texts, no longer as numbers";
}

TEST_F(PrintWindowTest, OkRoundsVHalvesToEvenAndKeepsWhatIsEmpty)
{
    auto confirm = [&](const QString &v) {
        withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
            retype(field(d, 1), QStringLiteral("2,5"));
            retype(field(d, 2), QStringLiteral("x"));
            retype(field(d, 6), v);
            in<QComboBox>(d, QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("8"));
            click(d, QStringLiteral("OkKnop"));
        });
    };
    confirm(QStringLiteral("2,5"));
    const PrintSettings &s = doc.printSettings();
    EXPECT_EQ(s.PrintOffsetV, 2);
    EXPECT_EQ(s.PrintMarginA, GeneralValue("2,5")) << "kept as typed";
    EXPECT_EQ(s.PrintMarginB, GeneralValue(23)) << "an emptied field keeps the value";
    EXPECT_EQ(s.CardsPerSheet, 8);
    confirm(QStringLiteral("3,5"));
    EXPECT_EQ(s.PrintOffsetV, 4);
}

TEST_F(PrintWindowTest, OkSaysWhatWouldNotPrintAsTypedAndStaysOpen)
{
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        retype(field(d, 4), QStringLiteral("0,5"));
        click(d, QStringLiteral("OkKnop"));
        EXPECT_TRUE(d.isVisible()) << "the dialog stays open";
        ASSERT_EQ(questions.messages.size(), 1);
        EXPECT_TRUE(questions.messages[0].startsWith(
            QStringLiteral(" Afdruk Marges|D = 0,5 kan niet worden afgedrukt: de hoogte van de kaartjes (D) moet van 1 tot 300 mm zijn.")))
            << questions.messages[0].toStdString();
    });
    EXPECT_EQ(doc.printSettings(), PrintSettings()) << "nothing stored";
    PrintSettings onDisk;
    SettingsFile::read(settingsPath, onDisk);
    EXPECT_EQ(onDisk, PrintSettings()) << "nor written";
}

// Confirmed margins are on disk at once: a crash before the exit keeps them.
TEST_F(PrintWindowTest, ConfirmedMarginsPrintAsTypedAndAreWrittenAtOnce)
{
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        retype(field(d, 4), QStringLiteral("5"));
        click(d, QStringLiteral("OkKnop"));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(questions.messages.isEmpty()) << questions.messages.join('|').toStdString();
    EXPECT_EQ(SheetGeometry::from(doc.printSettings()).cardHeight, 5) << "a 5 mm strip prints as typed";
    PrintSettings onDisk;
    onDisk.CardHeightMm = 77;
    EXPECT_TRUE(SettingsFile::read(settingsPath, onDisk));
    EXPECT_EQ(onDisk.CardHeightMm, GeneralValue("5"));
}

// ---- Afdrukken ----

TEST_F(PrintWindowTest, PrintDialogAtRestAndExit)
{
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("Afdrukken"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral(" Kaartjes Afdrukken"));
        auto *preview = in<QLabel>(d, QStringLiteral("Picture1"));
        EXPECT_EQ(preview->geometry(), QRect(16, 22, 130, 180));
        EXPECT_EQ(preview->toolTip(), QStringLiteral(" WYSIWYG "));
        EXPECT_EQ(preview->pixmap().size(), QSize(130, 180));
        EXPECT_FALSE(in(d, QStringLiteral("Lijn"))->isVisible());
        auto *count = in<QComboBox>(d, QStringLiteral("Combo1"));
        ASSERT_EQ(count->count(), 10);
        EXPECT_EQ(count->itemText(9), QStringLiteral("10"));
        EXPECT_EQ(count->currentText(), QStringLiteral("1"));
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("Label4"))->text(), QStringLiteral("Pagina's"));
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("Label2"))->text(), QStringLiteral("Info..."));
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("Image1"))->pixmap().size(), QSize(80, 43));
        EXPECT_EQ(in<QPushButton>(d, QStringLiteral("PrintKnop"))->text(), QStringLiteral("Print"));
        click(d, QStringLiteral("ExitKnop"));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(printer.preparedCopies.isEmpty());
}

TEST_F(PrintWindowTest, PrintDialogNamesTheCardsThatLeaveThePage)
{
    withDialog(QStringLiteral("FilePrint"),
               [&](QDialog &d) { EXPECT_EQ(d.findChild<QLabel *>(QStringLiteral("BuitenVelRegel")), nullptr); });
    doc.printSettings().PrintMarginA = GeneralValue("60");
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        auto *warning = in<QLabel>(d, QStringLiteral("BuitenVelRegel"));
        ASSERT_NE(warning, nullptr);
        EXPECT_EQ(warning->text(), offPageWarning({2, 4, 6, 8, 10}));
        EXPECT_TRUE(warning->isVisible());
        EXPECT_TRUE(d.rect().contains(warning->geometry())) << "the dialog grows to hold it";
    });
}

TEST_F(PrintWindowTest, PreviewShowsTenOrEightCardsInTheFixedGrid)
{
    QImage ten = previewOf(0);
    EXPECT_EQ(at(ten, 10, 8), Blue) << "first row at y = 6";
    EXPECT_EQ(at(ten, 120, 170), Blue) << "fifth row, second column";
    EXPECT_EQ(at(ten, 2, 8), PreviewGround);

    doc.printSettings().CardsPerSheet = 8;
    const QImage eight = previewOf(0);
    EXPECT_EQ(at(eight, 10, 8), PreviewGround) << "rows start at y = 15";
    EXPECT_EQ(at(eight, 10, 16), Blue);
    EXPECT_EQ(at(eight, 120, 148), Blue) << "fourth row ends at y = 149";
    EXPECT_EQ(at(eight, 120, 160), PreviewGround) << "no fifth row";
}

TEST_F(PrintWindowTest, PreviewShowsTheStampOfEachLayoutAndTheOutline)
{
    auto greenPixels = [](const QImage &image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == Green;
        return n;
    };
    EXPECT_EQ(greenPixels(previewOf(1)), 0) << "no stamp without a stamp layout";

    const QImage left = previewOf(2);
    EXPECT_EQ(at(left, 5 + 6, 6 + 6), Green);
    EXPECT_EQ(at(left, 5 + 21, 6 + 8), Blue) << "portrait stamp is 14 wide";
    EXPECT_EQ(greenPixels(left), 10 * 14 * 18);

    const QImage landscape = previewOf(3);
    EXPECT_EQ(at(landscape, 5 + 21, 6 + 8), Green) << "landscape stamp is 18 wide";
    EXPECT_EQ(greenPixels(landscape), 10 * 18 * 14);

    const QImage right = previewOf(4);
    EXPECT_EQ(at(right, 65 + 40, 142 + 6), Green);
    EXPECT_EQ(at(right, 65 + 39, 142 + 6), Blue);

    editCard(doc, [&](Card &card) { card.state.CardBorder = true; });
    editCard(doc, [&](Card &card) { card.state.BorderColorR = 255; });
    const QImage outlined = previewOf(0);
    EXPECT_EQ(at(outlined, 65 + 20, 74 + 3), Red) << "outline from (x + 2, y + 3)";
    EXPECT_EQ(at(outlined, 65 + 55, 74 + 15), Red) << "to (x + 55, y + 29)";
    EXPECT_EQ(at(outlined, 65 + 20, 74 + 29), Red);
    EXPECT_EQ(at(outlined, 65 + 20, 74 + 30), Blue);
}

TEST_F(PrintWindowTest, PrintFromTheDialogIntoANamedPdf)
{
    colouredCard(2);
    printer.toFile = true;
    const QString pdf = dir.filePath(QStringLiteral("vel.pdf"));
    questions.saveFileAnswers = {pdf};
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        click(d, QStringLiteral("PrintKnop"));
        EXPECT_TRUE(d.isVisible()) << "the dialog stays open";
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("Label2"))->text(), QStringLiteral("Info..."));
    });
    EXPECT_EQ(questions.asked, QStringList{QStringLiteral(" Afdrukken naar PDF|Kaartjes.pdf")});
    EXPECT_TRUE(questions.messages.isEmpty());
    ASSERT_EQ(RenderedPdf::pageCount(pdf), 1);
    const QRectF cards = RenderedPdf::boxOf(RenderedPdf::renderPage(pdf), QRectF(0, 0, 210, 297), isBlue);
    EXPECT_NEAR(cards.left(), 12, 0.3);
    EXPECT_NEAR(cards.top(), 19, 0.3);
    EXPECT_NEAR(cards.right(), 192, 0.3);
    EXPECT_NEAR(cards.bottom(), 269, 0.3);
    EXPECT_EQ(RenderedPdf::words(pdf).size(), 10 * 7 * 2) << "\"Regel 1\" to \"Regel 7\" on every card";
}

TEST_F(PrintWindowTest, SheetCountThreeIsOneDocumentOfOnePageInThreeCopies)
{
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        in<QComboBox>(d, QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("3"));
        click(d, QStringLiteral("PrintKnop"));
    });
    EXPECT_EQ(printer.preparedCopies, QList<int>{3});
    EXPECT_EQ(RenderedPdf::pageCount(printerPages), 1);
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(PrintWindowTest, PrintAndExitAreDisabledWhileTheAnimationAndThePrintRun)
{
    QStringList seen;
    auto note = [&](QDialog &d, const QString &when) {
        const bool printOn = in<QPushButton>(d, QStringLiteral("PrintKnop"))->isEnabled();
        const bool exitOn = in<QPushButton>(d, QStringLiteral("ExitKnop"))->isEnabled();
        d.close();
        d.reject();
        seen << QStringLiteral("%1 %2 %3 %4").arg(when).arg(printOn).arg(exitOn).arg(d.isVisible());
    };
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        int steps = 0;
        wait = [&](double) {
            if (++steps == 90)
                note(d, QStringLiteral("scanning"));
        };
        printer.whenPrinting = [&] { note(d, QStringLiteral("printing")); };
        click(d, QStringLiteral("PrintKnop"));
        EXPECT_TRUE(in<QPushButton>(d, QStringLiteral("PrintKnop"))->isEnabled());
        EXPECT_TRUE(in<QPushButton>(d, QStringLiteral("ExitKnop"))->isEnabled());
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_EQ(seen, (QStringList{QStringLiteral("scanning 0 0 1"), QStringLiteral("printing 0 0 1")}));
}

TEST_F(PrintWindowTest, ScanLineSweepsThePreviewWhileTheDialogStaysResponsive)
{
    wait = [](double seconds) { Algemeen::WaitSeconds(seconds); };
    QList<int> heights;
    QStringList status;
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        QWidget *line = in(d, QStringLiteral("Lijn"));
        QTimer look;
        look.setInterval(300);
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (line->isVisible())
                heights << line->y();
            status << in<QLabel>(d, QStringLiteral("Label2"))->text();
        });
        look.start();
        click(d, QStringLiteral("PrintKnop"));
        look.stop();
        EXPECT_FALSE(line->isVisible());
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("Label2"))->text(), QStringLiteral("Info..."));
    });
    ASSERT_GE(heights.size(), 3) << "timers run during the animation";
    EXPECT_GT(heights.last(), heights.first());
    EXPECT_LE(heights.last(), 180);
    EXPECT_EQ(status.first(), QStringLiteral("Scanning..."));
    EXPECT_EQ(printer.preparedCopies, QList<int>{1});
}

TEST_F(PrintWindowTest, FailedPrintsGetAMessageAndTheDialogCarriesOn)
{
    printer.refuses = true;
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        click(d, QStringLiteral("PrintKnop"));
        EXPECT_TRUE(in<QPushButton>(d, QStringLiteral("PrintKnop"))->isEnabled());
        printer.refuses = false;
        printer.toFile = true;
        questions.saveFileAnswers = {dir.filePath(QStringLiteral("nergens/vel.pdf"))};
        click(d, QStringLiteral("PrintKnop"));
    });
    ASSERT_EQ(questions.messages.size(), 2);
    EXPECT_TRUE(questions.messages[0].startsWith(QStringLiteral("Lumovander|De printer ")));
    EXPECT_TRUE(questions.messages[1].startsWith(QStringLiteral("Lumovander|Het PDF-bestand ")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("nergens/vel.pdf"))));
}

TEST_F(PrintWindowTest, APrinterThatThrowsLeavesTheDialogFreeToClose)
{
    printer.whenPrinting = [] { throw std::bad_alloc(); };
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        click(d, QStringLiteral("PrintKnop"));
        EXPECT_TRUE(in<QPushButton>(d, QStringLiteral("PrintKnop"))->isEnabled());
        EXPECT_EQ(d.cursor().shape(), Qt::ArrowCursor);
        click(d, QStringLiteral("ExitKnop"));
        EXPECT_FALSE(d.isVisible()) << "Exit closes the dialog";
        if (d.isVisible())
            d.hide(); // not to hang here when Exit is refused
    });
    EXPECT_EQ(questions.messages.size(), 1) << "the command boundary says what went wrong";
}

TEST_F(PrintWindowTest, SetupPrinterAsksTheStationOverTheWindow)
{
    trigger(QStringLiteral("FileSetupPrinter"));
    EXPECT_EQ(printer.setUpParents, QList<QWidget *>{&window});
}

// ---- a card with a back ----

TEST_F(PrintWindowTest, SidesAreChosenOnlyForACardWithABackAndTheBacksCorrectionIsNamed)
{
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        EXPECT_EQ(d.findChild<QComboBox *>(QStringLiteral("Dubbelzijdig")), nullptr);
        EXPECT_EQ(d.findChild<QLabel *>(QStringLiteral("AchterCorrectieRegel")), nullptr);
        EXPECT_EQ(d.size(), QSize(264, 270)) << "the dialog of a one-sided card: the frame, \"Begin bij kaart\" and the correction";
    });
    cardWithBack();
    using CorrectionFile::FlipEdge;
    ASSERT_TRUE(CorrectionFile::storeBack(corrections(), printer.name, FlipEdge::Long, {0.8, -0.4, 1, 1}));
    ASSERT_TRUE(CorrectionFile::storeBack(corrections(), printer.name, FlipEdge::Short, {-1.2, 0.3, 1.002, 1.002}));
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        auto *sides = in<QComboBox>(d, QStringLiteral("Dubbelzijdig"));
        ASSERT_NE(sides, nullptr);
        EXPECT_TRUE(sides->isVisible());
        ASSERT_EQ(sides->count(), 4);
        EXPECT_EQ(sides->itemText(0), QStringLiteral("Alleen voorkant"));
        EXPECT_EQ(sides->itemText(1), QStringLiteral("Dubbelzijdig, omslaan over de lange kant"));
        EXPECT_EQ(sides->itemText(2), QStringLiteral("Dubbelzijdig, omslaan over de korte kant"));
        EXPECT_EQ(sides->itemText(3), QStringLiteral("Handmatig: eerst de voorkanten, dan de achterkanten"));
        EXPECT_EQ(sides->currentIndex(), 0);
        auto *backLine = in<QLabel>(d, QStringLiteral("AchterCorrectieRegel"));
        EXPECT_FALSE(backLine->isVisible()) << "the fronts only have no backs' correction";
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("CorrectieRegel"))->text(), QStringLiteral("geen correctie"));
        const QStringList expected = {QStringLiteral("Achterkant: +0,8 / \u22120,4 mm"),
                                      QStringLiteral("Achterkant: \u22121,2 / +0,3 mm, 100,2 %"),
                                      QStringLiteral("Achterkant: +0,8 / \u22120,4 mm")};
        for (int choice = 1; choice <= 3; ++choice) {
            chooseSides(d, choice);
            EXPECT_TRUE(backLine->isVisible()) << choice;
            EXPECT_EQ(backLine->text(), expected[choice - 1]) << "by hand the stack turns over the long edge";
            EXPECT_TRUE(d.rect().contains(backLine->geometry()));
        }
        EXPECT_TRUE(d.rect().contains(sides->geometry()));
    });
}

// "Alleen voorkant" prints a card with a back as the sheet of its front always printed,
// on the printer and into a PDF, byte for byte.
TEST_F(PrintWindowTest, TheFrontsOnlyPrintAsTheOneSidedSheetDid)
{
    cardWithBack();
    const PrinterCorrection front{1.5, -0.8, 1.004, 0.998};
    ASSERT_TRUE(CorrectionFile::store(corrections(), printer.name, front));
    ASSERT_TRUE(CorrectionFile::store(corrections(), CorrectionFile::PdfTarget, front));
    ASSERT_TRUE(CorrectionFile::storeBack(corrections(), printer.name, CorrectionFile::FlipEdge::Long, {3, 3, 1, 1}));
    const PrintedCard sheetCard = PrintedCard::from(doc.card());
    const SheetGeometry sheet = SheetGeometry::from(doc.printSettings());

    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) { click(d, QStringLiteral("PrintKnop")); });
    EXPECT_EQ(printer.preparedSides, QList<Duplex>{Duplex::FrontOnly});
    const QByteArray fromDialog = bytesOf(printerPages);
    ASSERT_FALSE(fromDialog.isEmpty());
    ASSERT_TRUE(printSheetTo(printer, questions, sheetCard, sheet, 1, front).isPrinted());
    EXPECT_EQ(fromDialog, bytesOf(printerPages)) << "the printer's document";

    printer.toFile = true;
    const QString pdf = dir.filePath(QStringLiteral("vel.pdf")), before = dir.filePath(QStringLiteral("zoals.pdf"));
    questions.saveFileAnswers = {pdf};
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        in<QComboBox>(d, QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("2"));
        click(d, QStringLiteral("PrintKnop"));
    });
    ASSERT_TRUE(writeSheetPdf(before, sheetCard, sheet, 2, front).isPrinted());
    ASSERT_FALSE(bytesOf(pdf).isEmpty());
    EXPECT_EQ(bytesOf(pdf), bytesOf(before)) << "the PDF";
    EXPECT_TRUE(questions.messages.isEmpty()) << questions.messages.join('|').toStdString();
}

TEST_F(PrintWindowTest, BothSidesGoAsOneDuplexJobOrByHandAfterTheQuestionWithItsPicture)
{
    cardWithBack();
    printer.duplexUnit = true;
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        chooseSides(d, 1);
        click(d, QStringLiteral("PrintKnop"));
    });
    EXPECT_EQ(printer.preparedSides, QList<Duplex>{Duplex::LongEdge});
    EXPECT_EQ(printer.preparedCopies, QList<int>{1});
    ASSERT_EQ(RenderedPdf::pageCount(printerPages), 2);
    const QRectF page = QRectF(0, 0, 210, 297);
    const QRectF fronts = RenderedPdf::boxOf(RenderedPdf::renderPage(printerPages, 1), page, isBlue);
    const QRectF backs = RenderedPdf::boxOf(RenderedPdf::renderPage(printerPages, 2), page, isRed);
    // The fronts from 12 to 192 mm; their backs mirrored over the long edge.
    EXPECT_NEAR(fronts.left(), 12, 0.3);
    EXPECT_NEAR(backs.left(), 210 - fronts.right(), 0.3);
    EXPECT_NEAR(backs.right(), 210 - fronts.left(), 0.3);
    EXPECT_NEAR(backs.top(), fronts.top(), 0.3);
    EXPECT_TRUE(questions.asked.isEmpty());

    questions.yesNoAnswers = {true};
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        chooseSides(d, 3);
        click(d, QStringLiteral("PrintKnop"));
    });
    EXPECT_EQ(printer.preparedSides, (QList<Duplex>{Duplex::LongEdge, Duplex::FrontOnly, Duplex::FrontOnly}))
        << "the fronts, then the backs, each one-sided";
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked[0].startsWith(TurnStackTitle + QLatin1Char('|')));
    ASSERT_EQ(questions.pictures.size(), 1);
    EXPECT_FALSE(questions.pictures[0].isNull()) << "how the stack goes back into the tray";
    ASSERT_EQ(RenderedPdf::pageCount(printerPages), 1);
    EXPECT_NEAR(RenderedPdf::boxOf(RenderedPdf::renderPage(printerPages), page, isRed).left(), backs.left(), 0.3)
        << "the second document is the backs'";
}

TEST_F(PrintWindowTest, ThePagePreviewShowsEachPageAsItPrintsTheBackSecond)
{
    cardWithBack();
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        chooseSides(d, 1);
        click(d, QStringLiteral("VoorbeeldKnop"));
        auto *preview = d.findChild<QDialog *>(QStringLiteral("PaginaVoorbeeld"));
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(preview->isVisible());
        EXPECT_EQ(preview->windowTitle(), QStringLiteral(" Voorbeeld"));
        EXPECT_TRUE(in<QLabel>(d, QStringLiteral("Picture1"))->isVisible()) << "the small sheet stays";
        auto pageLine = [&] { return preview->findChild<QLabel *>(QStringLiteral("PaginaRegel"))->text(); };
        auto picture = [&] { return preview->findChild<QLabel *>(QStringLiteral("PaginaBeeld"))->pixmap().toImage(); };
        auto *previous = preview->findChild<QPushButton *>(QStringLiteral("VorigeKnop"));
        auto *next = preview->findChild<QPushButton *>(QStringLiteral("VolgendeKnop"));
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(previous->text(), QStringLiteral("Vorige"));
        EXPECT_EQ(next->text(), QStringLiteral("Volgende"));
        EXPECT_EQ(pageLine(), QStringLiteral("Pagina 1 van 2"));
        EXPECT_FALSE(previous->isEnabled());
        // At 1.6 px/mm: 14 mm from the left lies on the first front (from 12 mm), but left
        // of every back (from 18 mm, the mirror image of the last column's right edge).
        const auto pixel = [](double xMm, double yMm) { return QPoint(int(xMm * 1.6), int(yMm * 1.6)); };
        const QImage front = picture();
        ASSERT_EQ(front.size(), QSize(336, 475));
        EXPECT_TRUE(isBlue(front.pixel(pixel(14, 30))));
        QTest::mouseClick(next, Qt::LeftButton);
        EXPECT_EQ(pageLine(), QStringLiteral("Pagina 2 van 2"));
        EXPECT_EQ(preview->findChild<QLabel *>(QStringLiteral("KantRegel"))->text(), QStringLiteral("Achterkant"));
        EXPECT_FALSE(next->isEnabled());
        const QImage back = picture();
        EXPECT_EQ(QColor(back.pixel(pixel(14, 30))), QColor(Qt::white));
        EXPECT_TRUE(isRed(back.pixel(pixel(20, 30))));

        // Three sheets on one side: three front pages.
        chooseSides(d, 0);
        in<QComboBox>(d, QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("3"));
        EXPECT_EQ(pageLine(), QStringLiteral("Pagina 1 van 3")) << "the open preview follows the choices";
    });
    EXPECT_TRUE(printer.preparedCopies.isEmpty()) << "a preview prints nothing";
}

// "Begin bij kaart" reaches the small picture, the page preview and the printed page;
// its range follows the sheet's card count.
TEST_F(PrintWindowTest, BeginKaartLeavesTheCardsBeforeItBlankInThePreviewsAndOnPaper)
{
    colouredCard(0);
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        auto *first = in<QSpinBox>(d, QStringLiteral("BeginKaart"));
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("BeginKaartLabel"))->text(), QStringLiteral("Begin bij kaart"));
        EXPECT_EQ(first->minimum(), 1);
        EXPECT_EQ(first->maximum(), 10);
        EXPECT_EQ(first->value(), 1);
        EXPECT_TRUE(d.rect().contains(first->geometry()));
        click(d, QStringLiteral("VoorbeeldKnop"));
        first->setValue(4);
        // The small picture's fourth card is the second of its second row.
        const QImage small = in<QLabel>(d, QStringLiteral("Picture1"))->pixmap().toImage();
        EXPECT_EQ(at(small, 10, 8), PreviewGround);
        EXPECT_EQ(at(small, 120, 8), PreviewGround);
        EXPECT_EQ(at(small, 10, 42), PreviewGround);
        EXPECT_EQ(at(small, 120, 42), Blue);
        // The open page preview follows: at 1.6 px/mm the first card (from 12, 19 mm) is
        // white, the fourth (from 102, 69 mm) blue.
        auto *preview = d.findChild<QDialog *>(QStringLiteral("PaginaVoorbeeld"));
        ASSERT_NE(preview, nullptr);
        const QImage page = preview->findChild<QLabel *>(QStringLiteral("PaginaBeeld"))->pixmap().toImage();
        EXPECT_EQ(QColor(page.pixel(int(20 * 1.6), int(30 * 1.6))), QColor(Qt::white));
        EXPECT_TRUE(isBlue(page.pixel(int(110 * 1.6), int(90 * 1.6))));
        click(d, QStringLiteral("PrintKnop"));
    });
    ASSERT_EQ(RenderedPdf::pageCount(printerPages), 1);
    EXPECT_EQ(RenderedPdf::words(printerPages).size(), 7 * 7 * 2) << "seven cards of \"Regel 1\" to \"Regel 7\"";

    doc.printSettings().CardsPerSheet = 8;
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        auto *first = in<QSpinBox>(d, QStringLiteral("BeginKaart"));
        EXPECT_EQ(first->maximum(), 8);
        EXPECT_EQ(first->value(), 1) << "a used sheet is a one-off: each print starts at its first card";
    });
}

// A card with a team: the dialog counts people and sheets, names each slot's person in
// its small picture, and prints everyone, "Per persoon" cards each from "Begin bij kaart".
TEST_F(PrintWindowTest, ATeamIsCountedNamedAndPrintedFromTheFirstFreeCard)
{
    colouredCard(0);
    editCard(doc, [](Card &card) {
        CardTeam team;
        team.data.headers = {QStringLiteral("Naam")};
        for (int person = 1; person <= 12; ++person)
            team.data.rows.append({QStringLiteral("Lid%1").arg(person)});
        team.mapping.lines[0] = LineSource::ofColumn(0);
        team.leftOut = {11}; // the twelfth stays at home
        card.team = team;
    });
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        auto *line = in<QLabel>(d, QStringLiteral("PersonenRegel"));
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->text(), QStringLiteral("11 personen, 2 vellen"));
        in<QSpinBox>(d, QStringLiteral("BeginKaart"))->setValue(4);
        in<QSpinBox>(d, QStringLiteral("PerPersoon"))->setValue(2);
        // 22 cards from the fourth: 7, 10 and 5 on three sheets.
        EXPECT_EQ(line->text(), QStringLiteral("11 personen, 3 vellen"));
        EXPECT_TRUE(d.rect().contains(line->geometry()));
        // The small picture leaves the first three blank and names the others.
        const QImage small = in<QLabel>(d, QStringLiteral("Picture1"))->pixmap().toImage();
        EXPECT_EQ(at(small, 120, 8), PreviewGround);
        EXPECT_EQ(at(small, 10, 42), PreviewGround);
        EXPECT_EQ(at(small, 120, 42), Blue);
        click(d, QStringLiteral("PrintKnop"));
    });
    ASSERT_EQ(RenderedPdf::pageCount(printerPages), 3);
    QStringList firstSheet;
    for (const PdfWord &word : RenderedPdf::words(printerPages, 1))
        if (word.text.startsWith(QStringLiteral("Lid")))
            firstSheet << word.text;
    EXPECT_EQ(firstSheet, (QStringList{QStringLiteral("Lid1"), QStringLiteral("Lid1"), QStringLiteral("Lid2"),
                                       QStringLiteral("Lid2"), QStringLiteral("Lid3"), QStringLiteral("Lid3"),
                                       QStringLiteral("Lid4")}));
    int lastSheet = 0;
    for (const PdfWord &word : RenderedPdf::words(printerPages, 3))
        lastSheet += word.text.startsWith(QStringLiteral("Lid"));
    EXPECT_EQ(lastSheet, 5);
}

// ---- the system printer ----

TEST(SystemPrinterTest, PrinterChosenInTheDialogIsUsedByTheNextPrint)
{
    QTemporaryDir dir;
    const QString chosen = dir.filePath(QStringLiteral("gekozen.pdf"));
    QWidget *shownOver = nullptr;
    SystemPrinter system([&](QPrinter &printer, QWidget *parent) {
        shownOver = parent;
        printer.setOutputFileName(chosen);
    });
    QWidget window;
    system.setUp(&window);
    EXPECT_EQ(shownOver, &window);
    EXPECT_TRUE(system.printsToFile());
    EXPECT_EQ(system.chosenFileName(), chosen);
}

TEST(SystemPrinterTest, WithoutAnyPrinterTheSheetGoesToAFile)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    SystemPrinter system;
    EXPECT_TRUE(system.printsToFile());
    EXPECT_TRUE(system.chosenFileName().isEmpty());
}
