#include "assets/BuiltinPictures.h"
#include "core/Composition.h"
#include "print/PrintedView.h"
#include "window/CardView.h"
#include "stamp/panel/PhotoView.h"
#include "WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace {

class MainWindowTest : public WindowFixture {
protected:
    QString labelText(const QString &name) { return control<QLabel>(name)->text(); }
};

// "parent/name|caption|flags": flags c = checked, d = disabled, - = separator.
QStringList describeMenu(const QList<QAction *> &actions, const QString &parent)
{
    QStringList rows;
    for (QAction *a : actions) {
        QString flags;
        if (a->isSeparator())
            flags += QLatin1Char('-');
        if (a->isChecked())
            flags += QLatin1Char('c');
        if (!a->isEnabled())
            flags += QLatin1Char('d');
        rows << parent + QLatin1Char('/') + a->objectName() + QLatin1Char('|')
                    + (a->isSeparator() ? QString() : a->text()) + QLatin1Char('|') + flags;
        if (a->menu())
            rows << describeMenu(a->menu()->actions(), a->objectName());
    }
    return rows;
}

} // namespace

TEST_F(MainWindowTest, MenuTreeHasEveryItemWithCaptionAndMarks)
{
    const QStringList swaps = {QStringLiteral("RGB --> BRG"), QStringLiteral("RGB --> GBR"),
                               QStringLiteral("RGB --> RBG"), QStringLiteral("RGB --> BGR"),
                               QStringLiteral("RGB --> GRB")};
    QStringList expected = {
        "/File|Bestand|", "File/FileNieuw|Nieuw|", "File/Filestreep0||-", "File/FileOpenKaart|Open Kaart|",
        "File/FileSaveKaart|Kaart Opslaan|", "File/FileStreep1||-", "File/FilePrint|Kaartjes Afdrukken|",
        "File/FileDrukklaar|Drukklaar PDF…|", "File/FileSamenvoegen|Samenvoegen…|",
        "File/FileSetupPrinter|Setup Printer|", "File/FileMarges|Afdruk Marges|", "File/FileStreep2||-",
        "File/Fileexit|Exit|",
        "/Wijzigen|Bewerken|", "Wijzigen/WijzigenOngedaan|Ongedaan maken|d", "Wijzigen/WijzigenOpnieuw|Opnieuw|d",
        "/Layout|Layout|", "Layout/LayoutShow(0)|Tekst Links|c", "Layout/LayoutShow(1)|Tekst Midden|",
        "Layout/LayoutShow(2)|Zegelfoto Links|", "Layout/LayoutShow(3)|Zegelfoto Liggend|",
        "Layout/LayoutShow(4)|Zegelfoto Rechts|",
        "/Pasfoto|Zegelfoto|d", "Pasfoto/PasFotoInladen|Foto Inladen|",
        "Pasfoto/PasfotoVergroting|Scherm Vergroten|", "Pasfoto/Pasfotostreep1||-",
        "Pasfoto/EditBewerken|Bewerken|", "EditBewerken/EditConvert(0)|Grayscale|",
        "EditBewerken/EditConvert(1)|Negative|", "EditBewerken/EditConvert(2)|Light|",
        "EditBewerken/EditConvert(3)|Dark|", "EditBewerken/EditConvert(4)|Sharpen|",
        "EditBewerken/EditConvert(5)|Contrast|", "EditConvert(5)/EditContrastConvert(1)|Positive|",
        "EditConvert(5)/EditContrastConvert(2)|Negative|", "EditBewerken/EditConvert(6)|Pixelize|",
        "EditBewerken/EditConvert(7)|Reliëf|", "EditBewerken/EditConvert(8)|Swap Colors|"};
    for (int i = 1; i <= 5; ++i)
        expected << QStringLiteral("EditConvert(8)/EditSwap(%1)|%2|").arg(i).arg(swaps[i - 1]);
    expected << QStringList{
        "EditBewerken/EditConvert(9)|Scattered|", "EditBewerken/EditConvert(10)|Blur|",
        "EditBewerken/EditConvert(11)|Aquarel|", "EditBewerken/EditConvert(12)|Defuse|",
        "EditBewerken/EditConvert(13)|Add noise|", "EditBewerken/EditConvert(14)|Edge|",
        "EditBewerken/EditConvert(15)|Contour|", "Pasfoto/EditStreep1||-",
        "Pasfoto/EditFlipConvert(0)|Flip Horizontal|", "Pasfoto/EditFlipConvert(1)|Flip Vertical|",
        "/ZoomSize|Zoom|d", "ZoomSize/SizeProcent(1)|10%|", "ZoomSize/SizeProcent(2)|20%|",
        "ZoomSize/SizeProcent(3)|30%|", "ZoomSize/SizeProcent(4)|40%|", "ZoomSize/SizeProcent(5)|50%|",
        "ZoomSize/SizeProcent(6)|60%|", "ZoomSize/SizeProcent(7)|70%|", "ZoomSize/SizeProcent(8)|80%|",
        "ZoomSize/SizeProcent(9)|90%|", "ZoomSize/SizeProcent(10)|100%|c", "ZoomSize/SizeProcent(15)|150%|",
        "ZoomSize/SizeProcent(20)|200%|", "ZoomSize/ZoomStreep1||-", "ZoomSize/ZoomPassend|Passend|",
        "/Tools|Tools|", "Tools/TekstLettertype|Lettertype|", "Tools/ToolsSelectierechthoek|Selectierechthoek|",
        "ToolsSelectierechthoek/ToolsSelectierechthoekKleur(1)|Zwart|",
        "ToolsSelectierechthoek/ToolsSelectierechthoekKleur(2)|Grijs|c",
        "ToolsSelectierechthoek/ToolsSelectierechthoekKleur(3)|Wit|", "Tools/ToolsBorder|Border|",
        "ToolsBorder/ToolsBorderKleur(1)|Geen|c", "ToolsBorder/ToolsBorderKleur(2)|Zwart|",
        "ToolsBorder/ToolsBorderKleur(3)|Grijs|", "ToolsBorder/ToolsBorderKleur(4)|Wit|",
        "/Achtergrond|Achtergrond|", "Achtergrond/ToolsBackFoto|Foto Inladen|",
        "ToolsBackFoto/ToolsBackFotoRand(1)|Randloos|", "ToolsBackFoto/ToolsBackFotoRand(2)|Met Rand|",
        "ToolsBackFoto/ToolsBackFotoRand(3)|Bijsnijden…|", "ToolsBackFoto/ToolsBackFotoRand(4)|Passend|",
        "Achtergrond/ToolsBackTemplates|Templates|", "Achtergrond/ToolsBackColor|Verloopkleur|",
        "Achtergrond/Achtergrondstreep1||-", "Achtergrond/AchtergrondBewerken|Bewerken|",
        "AchtergrondBewerken/AchtergrondEdit(0)|Grayscale|", "AchtergrondBewerken/AchtergrondEdit(1)|Negative|",
        "AchtergrondBewerken/AchtergrondEdit(2)|Light|", "AchtergrondBewerken/AchtergrondEdit(3)|Pixelize|",
        "AchtergrondBewerken/AchtergrondEdit(4)|Reliëf|", "AchtergrondBewerken/AchtergrondEdit(5)|Scattered|",
        "AchtergrondBewerken/AchtergrondEdit(6)|Mirror|", "AchtergrondBewerken/Streep5||-",
        "AchtergrondBewerken/AchtergrondRand|Wit Kader|", "AchtergrondBewerken/EditColor|Swap Colors|"};
    for (int i = 1; i <= 5; ++i)
        expected << QStringLiteral("EditColor/EditColors(%1)|%2|").arg(i).arg(swaps[i - 1]);
    expected << QStringList{"/Invoegen|Invoegen|", "Invoegen/InvoegenLogo|Logo…|", "Invoegen/InvoegenQr|QR-code…|",
                            "/Beeld|Beeld|", "Beeld/KantVoor|Voorkant|c", "Beeld/KantAchter|Achterkant|",
                            "Beeld/BeeldStreep1||-", "Beeld/KantAchterWeg|Achterkant verwijderen|d",
                            // Unchecked as the fixture chose the canvas view.
                            "Beeld/BeeldStreep2||-", "Beeld/BeeldAfgedrukt|Zoals afgedrukt|",
                            "Beeld/BeeldVeiligeRand|Veilige rand|", "Beeld/BeeldStreep3||-",
                            "Beeld/PersoonVorige|Vorige|d", "Beeld/PersoonVolgende|Volgende|d",
                            "/Help|Help|", "Help/HelpHelp|Help|", "Help/HelpHandleiding|Handleiding|", "Help/Helpstreep1||-",
                            "Help/HelpSoftware|Meer Software|", "Help/HelpVeltrano|kaartpapier.nl|",
                            "/Tussenstreep|||", "/NaamBestand|*.*|d"};

    const QStringList actual = describeMenu(window.menuBar()->actions(), QString());
    EXPECT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "row " << i;
}

TEST_F(MainWindowTest, ControlsStandAtTheirDesignedPlaces)
{
    const struct {
        const char *name;
        QRect rect;
    } places[] = {
        {"Frame1", {8, 2, 260, 456}},     {"Label1", {8, 14, 244, 434}},    {"Pic", {14, 20, 230, 420}},
        {"HelpLabel", {14, 20, 230, 420}}, {"Frame2", {276, 2, 469, 305}},  {"BackLabel", {8, 14, 454, 284}},
        {"Kaart", {14, 20, 440, 270}},     {"Orgineel", {18, 18, 140, 180}}, {"Shape1", {11, 11, 419, 249}},
        {"BackInfoLabel", {276, 314, 470, 24}}, {"Frame3", {276, 338, 274, 120}},
        {"Label2", {8, 15, 58, 98}},       {"Rscroll", {10, 17, 18, 94}},   {"Gscroll", {28, 17, 18, 94}},
        {"Bscroll", {46, 17, 18, 94}},     {"KleurLabel", {71, 15, 54, 24}}, {"Label4", {140, 15, 58, 98}},
        {"Rscroll1", {142, 17, 18, 94}},   {"Gscroll1", {160, 17, 18, 94}}, {"Bscroll1", {178, 17, 18, 94}},
        {"Label5", {204, 15, 62, 24}},     {"Frame4", {558, 338, 187, 120}}, {"Zegelplaatje", {9, 15, 62, 80}},
        {"Line1", {94, 60, 1, 21}},        {"Line2", {70, 80, 25, 1}},
    };
    for (const auto &p : places)
        EXPECT_EQ(control(QString::fromLatin1(p.name))->geometry(), p.rect) << p.name;

    const struct {
        const char *name;
        QPoint at;
        const char *caption;
    } captions[] = {{"InfoRegel", {283, 318}, "Klik op de regels 1..7 om een tekst in te voeren..."},
                    {"Label3", {72, 44}, "Kleur tekst"},
                    {"Label6", {205, 44}, "Achtergrond"},
                    {"Label7", {16, 99}, "Zegelrand"}};
    for (const auto &c : captions) {
        EXPECT_EQ(control(QString::fromLatin1(c.name))->pos(), c.at) << c.name;
        EXPECT_EQ(labelText(QString::fromLatin1(c.name)), QString::fromUtf8(c.caption));
    }
    const char *options[] = {"Enkel kader", "Met tanding", "Dubbel kader", "Kartelrand"};
    for (int k = 1; k <= 4; ++k) {
        auto *option = control<QRadioButton>(QStringLiteral("Option1(%1)").arg(k));
        EXPECT_EQ(option->geometry().topLeft(), QPoint(80, 16 + 20 * (k - 1)));
        EXPECT_EQ(option->text(), QString::fromLatin1(options[k - 1]));
        EXPECT_EQ(option->isChecked(), k == 1);
    }
    for (int i = 1; i <= 7; ++i) {
        auto *line = control<QLabel>(QStringLiteral("Regel(%1)").arg(i));
        EXPECT_EQ(line->pos(), QPoint(25, 30 + 31 * (i - 1)));
        EXPECT_EQ(line->text(), QStringLiteral("Regel %1").arg(i));
    }
}

TEST_F(MainWindowTest, StartsInTheDesignedState)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("Main"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" Lumovander"));
    EXPECT_EQ(window.size(), QSize(758, 517));
    EXPECT_FALSE(control("Orgineel")->isVisibleTo(&window));
    EXPECT_FALSE(control("Shape1")->isVisibleTo(&window));
    EXPECT_FALSE(control("HelpLabel")->isVisibleTo(&window));
    EXPECT_FALSE(control("Layer")->isVisibleTo(&window));
    EXPECT_EQ(window.photoView()->image(), BuiltinPictures::startPicture());
    const int text[] = {70, 100, 70}, back[] = {200, 230, 200};
    const char *textBars[] = {"Rscroll", "Gscroll", "Bscroll"}, *backBars[] = {"Rscroll1", "Gscroll1", "Bscroll1"};
    for (int c = 0; c < 3; ++c) {
        auto *bar = control<QScrollBar>(QString::fromLatin1(textBars[c]));
        EXPECT_EQ(bar->value(), text[c]);
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 255);
        EXPECT_EQ(bar->orientation(), Qt::Vertical);
        EXPECT_EQ(control<QScrollBar>(QString::fromLatin1(backBars[c]))->value(), back[c]);
    }
    EXPECT_EQ(control("KleurLabel")->palette().color(QPalette::Window), QColor(70, 100, 70));
    EXPECT_EQ(control("Label5")->palette().color(QPalette::Window), QColor(200, 230, 200));
    EXPECT_EQ(control("Label1")->palette().color(QPalette::Window), QColor(70, 90, 70));
    EXPECT_EQ(control("BackInfoLabel")->palette().color(QPalette::Window), QColor(190, 190, 130));
    EXPECT_EQ(control<QLabel>("Zegelplaatje")->pixmap().toImage(),
              QPixmap::fromImage(BuiltinPictures::thumbnail(1)).toImage());
}

TEST_F(MainWindowTest, LayoutMenuPlacesTheCardAndEnablesZegelfotoOnlyForStampLayouts)
{
    const bool stamped[] = {false, false, true, true, true};
    for (int kind : {2, 0, 3, 1, 4}) {
        trigger(QStringLiteral("LayoutShow(%1)").arg(kind));
        EXPECT_EQ(window.action(QStringLiteral("Pasfoto"))->isEnabled(), stamped[kind]) << kind;
        EXPECT_EQ(control("Orgineel")->isVisibleTo(&window), stamped[kind]) << kind;
        for (int k = 0; k <= 4; ++k)
            EXPECT_EQ(window.action(QStringLiteral("LayoutShow(%1)").arg(k))->isChecked(), k == kind);
    }
    EXPECT_EQ(control("Orgineel")->geometry(), QRect(281, 18, 140, 180));
    trigger(QStringLiteral("LayoutShow(3)"));
    EXPECT_EQ(control("Orgineel")->geometry(), QRect(18, 18, 180, 140));
    EXPECT_EQ(control("Regel(5)")->pos(), QPoint(20, 165));
    // Choosing the checked layout again keeps its mark.
    trigger(QStringLiteral("LayoutShow(3)"));
    EXPECT_TRUE(window.action(QStringLiteral("LayoutShow(3)"))->isChecked());
}

TEST_F(MainWindowTest, BorderMenuShowsTheOutlineWithOneMark)
{
    trigger(QStringLiteral("ToolsBorderKleur(3)"));
    EXPECT_TRUE(control("Shape1")->isVisibleTo(&window));
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(window.action(QStringLiteral("ToolsBorderKleur(%1)").arg(i))->isChecked(), i == 3);
    trigger(QStringLiteral("ToolsBorderKleur(1)"));
    EXPECT_FALSE(control("Shape1")->isVisibleTo(&window));
    EXPECT_TRUE(window.action(QStringLiteral("ToolsBorderKleur(1)"))->isChecked());
    EXPECT_FALSE(window.action(QStringLiteral("ToolsBorderKleur(3)"))->isChecked());
}

TEST_F(MainWindowTest, ExitAnsweredNoKeepsEverything)
{
    window.show();
    // A card as it was opened or saved: only the exit question comes.
    doc.replaceCard(QStringLiteral("Open"), [] {
        Card card;
        card.state.TextLines[1] = QStringLiteral("Blijft");
        return card;
    }(), true);
    doc.printSettings().CardsPerSheet = 8;
    questions.yesNoAnswers = {false};
    trigger(QStringLiteral("Fileexit"));
    EXPECT_EQ(questions.asked, (QStringList{QStringLiteral(" Exit programma|Wilt u dit programma nu afsluiten?")}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(doc.state().TextLines[1], QStringLiteral("Blijft"));
    QFile file(settingsPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("\r\n10\r\n"));
}

TEST_F(MainWindowTest, ExitAnsweredYesWritesTheSettings)
{
    window.show();
    doc.printSettings().PrintMarginA = QStringLiteral("12");
    doc.printSettings().CardsPerSheet = 8;
    questions.yesNoAnswers = {true};
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    QFile file(settingsPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("\r\n\"12\",23,90,50,0,0\r\n8\r\n")) << bytes.constData();
    EXPECT_TRUE(questions.messages.isEmpty());
}

TEST(MainWindowSettings, UnwritableSettingsStillStartAndEndWithAMessage)
{
    QTemporaryDir dir;
    const QString blocked = dir.filePath(QStringLiteral("Lumovander.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Lumovander.ini")));
    CardDocument doc;
    ScriptedQuestions questions;
    MainWindow window(doc, questions, blocked);
    window.show();
    questions.yesNoAnswers = {true};
    EXPECT_TRUE(window.close());
    ASSERT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(questions.messages[0].startsWith(QStringLiteral("Lumovander|")));
}

TEST_F(MainWindowTest, EnlargedPhotoPanelCoversTheOtherPanels)
{
    window.setEnlargedPhotoPanel(true);
    EXPECT_EQ(control("Frame1")->width(), 737);
    EXPECT_EQ(control("Label1")->width(), 721);
    EXPECT_EQ(control("Pic")->width(), 707);
    EXPECT_EQ(control("Pic")->height(), 420);
    for (const char *covered : {"Frame2", "Frame3", "Frame4"})
        EXPECT_FALSE(control(QString::fromLatin1(covered))->isVisibleTo(&window)) << covered;
    EXPECT_TRUE(window.action(QStringLiteral("PasfotoVergroting"))->isChecked());
    EXPECT_TRUE(window.action(QStringLiteral("ZoomSize"))->isEnabled());
    EXPECT_TRUE(control("Layer")->isVisibleTo(&window));

    window.setEnlargedPhotoPanel(false);
    EXPECT_EQ(control("Frame1")->width(), 260);
    EXPECT_EQ(control("Label1")->width(), 244);
    EXPECT_EQ(control("Pic")->width(), 230);
    EXPECT_TRUE(control("Frame2")->isVisibleTo(&window));
    EXPECT_FALSE(window.action(QStringLiteral("ZoomSize"))->isEnabled());
    EXPECT_FALSE(control("Layer")->isVisibleTo(&window));
}

TEST_F(MainWindowTest, StampBorderOptionChangesStyleAndThumbnailAtOnce)
{
    window.show();
    QTest::mouseClick(control<QRadioButton>(QStringLiteral("Option1(3)")), Qt::LeftButton);
    EXPECT_EQ(doc.state().StampBorderStyle, 5);
    EXPECT_EQ(control<QLabel>("Zegelplaatje")->pixmap().toImage(),
              QPixmap::fromImage(BuiltinPictures::thumbnail(3)).toImage());
}

TEST(MainWindowViewChoices, ThePrintedViewIsTheFirstAndTheLastChoiceComesBackBesideTheSettings)
{
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Lumovander.ini"));
    const QString choices = ViewChoices::besideSettings(settings);
    CardDocument doc;
    ScriptedQuestions questions;
    {
        MainWindow window(doc, questions, settings);
        EXPECT_TRUE(window.cardView()->isPrinted());
        EXPECT_TRUE(window.cardView()->showsSafetyMargin());
        window.action(QStringLiteral("BeeldAfgedrukt"))->trigger();
        EXPECT_FALSE(window.cardView()->isPrinted());
    }
    EXPECT_EQ(ViewChoices::read(choices), (ViewChoices{false, true}));
    {
        MainWindow window(doc, questions, settings);
        EXPECT_FALSE(window.cardView()->isPrinted());
        EXPECT_FALSE(window.action(QStringLiteral("BeeldAfgedrukt"))->isChecked());
        window.action(QStringLiteral("BeeldVeiligeRand"))->trigger();
    }
    EXPECT_EQ(ViewChoices::read(choices), (ViewChoices{false, false}));
    // The settings file keeps its own lines.
    QFile ini(settings);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(ini.readAll().contains("Afgedrukt"));

    // A damaged file is the defaults; a line that makes sense still counts.
    QFile damaged(choices);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("ZoalsAfgedrukt=ja\n\xff\xfe\nVeiligeRand=0\nVeiligeRand\n");
    damaged.close();
    EXPECT_EQ(ViewChoices::read(choices), (ViewChoices{true, false}));
    EXPECT_EQ(ViewChoices::read(dir.filePath(QStringLiteral("missing.ini"))), ViewChoices());
    EXPECT_TRUE(questions.messages.isEmpty());
}

// The printed view keeps its canvas picture scaled from one paint to the next (a drag
// redraws the card at every move): a new picture or another card size must never show
// the one before. Its pixels stay those of the printed card drawn whole.
TEST_F(MainWindowTest, PrintedViewShowsTheCardItHasNow)
{
    window.action(QStringLiteral("BeeldAfgedrukt"))->setChecked(true);
    CardView *view = window.cardView();
    const auto shown = [view] {
        QImage image(view->size(), QImage::Format_RGB32);
        view->render(&image);
        return image.copy(view->cardRect());
    };
    const auto printed = [&] {
        PrintedCard card = PrintedCard::from(doc.card());
        card.canvasPrint = QImage();
        card.stampPrint = QImage();
        return PrintedView::picture(card, SheetGeometry::from(doc.printSettings()), view->printedDpi())
            .convertToFormat(QImage::Format_RGB32);
    };
    const auto gradient = [](QPointF to, QColor from, QColor towards) {
        QImage picture(Composition::CanvasSize, QImage::Format_RGB32);
        QLinearGradient fill(QPointF(0, 0), to);
        fill.setColorAt(0, from);
        fill.setColorAt(1, towards);
        QPainter(&picture).fillRect(picture.rect(), fill);
        return picture;
    };
    doc.setCanvasPicture(QStringLiteral("Achtergrond"), gradient({440, 0}, Qt::darkCyan, Qt::yellow));
    EXPECT_EQ(shown(), printed());
    doc.setCanvasPicture(QStringLiteral("Achtergrond"), gradient({0, 270}, Qt::darkRed, Qt::white));
    EXPECT_EQ(shown(), printed());
    doc.printSettings().CardWidthMm = 85;
    doc.printSettings().CardHeightMm = 55;
    view->followSheet();
    EXPECT_EQ(shown().size(), PrintedView::pixelsAt({85, 55}, view->printedDpi()));
    EXPECT_EQ(shown(), printed());
}
