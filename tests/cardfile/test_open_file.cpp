#include "assets/BuiltinPictures.h"
#include "support/CardEdit.h"
#include "core/CardDocument.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardRecord.h"
#include "DataFolderFixture.h"
#include "support/StuckReaderGuard.h"
#include "HandMadeBitmap.h"
#include "cardfile/OpenFileModel.h"
#include "stamp/StampTestFiles.h"
#include "support/ScriptedQuestions.h"

#include <QBuffer>
#include <QFileInfo>
#include <QtEndian>

namespace {

using Mode = OpenFileModel::Mode;

const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kWhite(255, 255, 255);

// A record as the Windows program writes it: Windows-1252, layout 2, outline in grey.
QByteArray windowsRecord(const QByteArray &border = "#TRUE#\r\n120,120,120\r\n")
{
    const QByteArray dashes = "\"--------------------------\"\r\n";
    return "\"Vek Tarnholm Software 2009\"\r\n" + dashes + "2\r\n" + dashes
        + "\"Verdana\"\r\n12\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n10,20,30\r\n" + dashes
        + "\"Jo\xebl de Vries\"\r\n\"  \"\r\n\"Regel 3\"\r\n\"Regel 4\"\r\n\"Regel 5\"\r\n"
          "\"Regel 6\"\r\n\" Ede \"\r\n"
        + dashes + border;
}

QByteArray pngBytes(const QColor &color, QSize size = {600, 300})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A white bitmap of size whose top-left corner, `width` pixels wide, holds the pixels.
QByteArray cornerBitmap(QSize size, int width, const std::vector<QColor> &corner)
{
    std::vector<QColor> pixels(size_t(size.width() * size.height()), kWhite);
    for (size_t i = 0; i < corner.size(); ++i)
        pixels[size_t(int(i) / width * size.width() + int(i) % width)] = corner[i];
    return handMadeBitmap(size.width(), size.height(), pixels);
}

class OpenFile : public DataFolderFixture {
protected:
    void TearDown() override
    {
        EXPECT_EQ(questions.unexpected, 0);
        DataFolderFixture::TearDown();
    }

    void writeWindowsCard(const QString &name, const QByteArray &record = windowsRecord())
    {
        writeBytes(cards(name + ".crd"), record);
        // A card's bitmaps are the canvas's size and its stamp's (layout 2).
        writeBytes(cards(name + "-back.bmp"), cornerBitmap({440, 270}, 2, {kRed, kGreen, kBlue, kWhite}));
        writeBytes(cards(name + ".bmp"), cornerBitmap({140, 180}, 1, {kBlue, kGreen}));
    }

    bool selectAndAccept(OpenFileModel &model, const QString &entry)
    {
        model.select(int(model.entries().indexOf(entry)));
        return model.accept();
    }

    void expectSelectFirstMessage()
    {
        EXPECT_EQ(questions.messages, QStringList{"Lumovander|Selecteer eerst een kaart..."});
    }

    CardDocument doc;
    ScriptedQuestions questions;
};

} // namespace

TEST_F(OpenFile, CardListShowsNamesWithoutExtensionAlphabetically)
{
    // A card named like a back ("N.achterkant") is not listed: its files are that back's.
    for (const char *file : {"b.crd", "Jan-2.crd", "Jan.crd", "a b.crd", "C.CRD", "notes.txt", "d-back.bmp",
                             "Jan.achterkant.crd", "Jan.AchterKant.crd", "Jan.achterkant.rec"})
        writeBytes(cards(file), "x");
    OpenFileModel model(Mode::Cards, doc, questions);
    EXPECT_EQ(model.entries(), (QStringList{"a b", "b", "C", "Jan", "Jan-2"}));
    EXPECT_EQ(model.instruction(),
              QString("Maak d.m.v. de lijst een keuze uit een van de 5 kaarten die u wilt openen."));
    EXPECT_EQ(model.title(), QString(" Open Kaart"));
    EXPECT_EQ(model.openMode(), QString("crd"));
    EXPECT_FALSE(model.showsPreview());
    EXPECT_FALSE(model.deleteEnabled());
}

TEST_F(OpenFile, TemplateListCountsItsTemplatesAndPreviewsTheFirst)
{
    writeBytes(templates("zee.tmp"), pngBytes(kBlue));
    writeBytes(templates("bos.tmp"), pngBytes(kGreen));
    writeBytes(cards("kaart.crd"), "x");
    OpenFileModel model(Mode::Templates, doc, questions);
    EXPECT_EQ(model.entries(), (QStringList{"bos", "zee"}));
    EXPECT_EQ(model.instruction(),
              QString("Maak d.m.v. de lijst een keuze uit een van de 2 templates die u wilt openen."));
    EXPECT_EQ(model.title(), QString(" Open Template"));
    EXPECT_EQ(model.openMode(), QString("tmp"));
    EXPECT_TRUE(model.showsPreview());
    ASSERT_EQ(model.preview().size(), QSize(95, 51)) << "stretched to the box";
    EXPECT_EQ(model.preview().pixelColor(47, 25), kGreen);

    model.select(1);
    EXPECT_TRUE(model.deleteEnabled());
    EXPECT_EQ(model.preview().pixelColor(0, 0), kBlue);
}

TEST_F(OpenFile, MissingFolderGivesCountZero)
{
    OpenFileModel model(Mode::Templates, doc, questions);
    EXPECT_TRUE(model.entries().isEmpty());
    EXPECT_EQ(model.instruction(),
              QString("Maak d.m.v. de lijst een keuze uit een van de 0 templates die u wilt openen."));
    EXPECT_TRUE(model.preview().isNull());
}

TEST_F(OpenFile, OneCardOrTemplateIsCountedInTheSingular)
{
    writeBytes(cards("Jan.crd"), "x");
    writeBytes(templates("zee.tmp"), pngBytes(kBlue));
    EXPECT_EQ(OpenFileModel(Mode::Cards, doc, questions).instruction(),
              QString("Maak d.m.v. de lijst een keuze uit een van de 1 kaart die u wilt openen."));
    EXPECT_EQ(OpenFileModel(Mode::Templates, doc, questions).instruction(),
              QString("Maak d.m.v. de lijst een keuze uit een van de 1 template die u wilt openen."));
}

TEST_F(OpenFile, OkWithoutSelectionAsksToSelectAndClearsTheCaptionInBothModes)
{
    writeWindowsCard("Jan");
    writeBytes(cards("-back.bmp"), handMadeBitmap(1, 1, {kRed}));
    writeBytes(templates("zee.tmp"), pngBytes(kBlue));
    for (Mode mode : {Mode::Cards, Mode::Templates}) {
        questions.messages.clear();
        doc.setLastFileName("Vorige");
        doc.setNameCaption("Vorige");
        const QImage canvasBefore = doc.canvas().image();
        OpenFileModel model(mode, doc, questions);
        EXPECT_FALSE(model.accept()) << "the dialog stays open";
        expectSelectFirstMessage();
        EXPECT_EQ(doc.nameCaption(), QString());
        EXPECT_EQ(doc.lastFileName(), QString());
        EXPECT_EQ(doc.fileName(), QString());
        EXPECT_EQ(doc.canvas().image(), canvasBefore);
    }
}

TEST_F(OpenFile, CardWithoutBackgroundPictureCannotBeOpened)
{
    writeWindowsCard("Jan");
    QFile::remove(cards("Jan-back.bmp"));
    const QImage canvasBefore = doc.canvas().image();
    doc.setLastFileName("Piet");
    doc.setFileName("Piet");
    doc.setNameCaption("Piet");
    OpenFileModel model(Mode::Cards, doc, questions);
    EXPECT_FALSE(selectAndAccept(model, "Jan"));
    EXPECT_EQ(questions.messages,
              QStringList{"Lumovander|De kaart 'Jan' kan niet worden geopend: het plaatje Jan-back.bmp van de kaart "
                          "ontbreekt."});
    EXPECT_EQ(doc.nameCaption(), QString("Piet")) << "the card shown keeps its name";
    EXPECT_EQ(doc.lastFileName(), QString("Piet"));
    EXPECT_EQ(doc.fileName(), QString("Piet"));
    EXPECT_EQ(doc.canvas().image(), canvasBefore);
    EXPECT_EQ(doc.state().FontName, QString("Arial")) << "the record is not read";
    EXPECT_EQ(doc.state().LayoutKind, 0);
}

TEST_F(OpenFile, BackgroundThatIsNoPictureCannotBeOpened)
{
    writeWindowsCard("Jan");
    QByteArray truncated = handMadeBitmap(2, 2, {kRed, kGreen, kBlue, kWhite});
    truncated.chop(4);
    for (const QByteArray &damaged : {QByteArray("BM but no picture"), truncated}) {
        questions.messages.clear();
        doc.setFileName("Piet");
        doc.setNameCaption("Piet");
        writeBytes(cards("Jan-back.bmp"), damaged);
        OpenFileModel model(Mode::Cards, doc, questions);
        EXPECT_FALSE(selectAndAccept(model, "Jan"));
        EXPECT_EQ(questions.messages,
                  QStringList{"Lumovander|De kaart 'Jan' kan niet worden geopend: het plaatje Jan-back.bmp van de "
                              "kaart is beschadigd of geen plaatje."});
        EXPECT_EQ(doc.fileName(), QString("Piet"));
        EXPECT_EQ(doc.nameCaption(), QString("Piet"));
    }
}

TEST_F(OpenFile, WindowsCardOpensWithEverythingRestored)
{
    writeWindowsCard("Jan");
    editCard(doc, [&](Card &card) { card.state.BackColorR = 1; });
    OpenFileModel model(Mode::Cards, doc, questions);
    EXPECT_TRUE(selectAndAccept(model, "Jan"));
    EXPECT_TRUE(questions.messages.isEmpty());

    const CardState &s = doc.state();
    EXPECT_EQ(doc.lastFileName(), QString("Jan"));
    EXPECT_EQ(doc.fileName(), QString("Jan"));
    EXPECT_EQ(doc.nameCaption(), QString("Jan"));
    EXPECT_EQ(s.LayoutKind, 2);
    EXPECT_EQ(s.FontName, QString("Verdana"));
    EXPECT_EQ(s.FontSize, 12);
    EXPECT_TRUE(s.FontBold);
    EXPECT_FALSE(s.FontItalic);
    EXPECT_TRUE(s.FontUnderline);
    EXPECT_EQ(s.textColor(), QColor(10, 20, 30));
    EXPECT_EQ(s.TextLines[1], QString::fromUtf8("Jo\u00ebl de Vries"));
    EXPECT_EQ(s.TextLines[2], QString("  "));
    EXPECT_EQ(s.TextLines[7], QString(" Ede "));
    EXPECT_TRUE(s.CardBorder);
    EXPECT_EQ(s.borderColor(), QColor(120, 120, 120));
    EXPECT_EQ(doc.checkedBorderItem(), 3) << "Grijs";
    EXPECT_EQ(s.BackColorR, GeneralValue(1)) << "the background colour is not in the record";

    // The 24-bit background picture is the canvas.
    const QImage &canvas = doc.canvas().image();
    EXPECT_EQ(canvas.pixelColor(0, 0), kRed);
    EXPECT_EQ(canvas.pixelColor(1, 0), kGreen);
    EXPECT_EQ(canvas.pixelColor(0, 1), kBlue);
    EXPECT_EQ(canvas.pixelColor(1, 1), kWhite);
    EXPECT_EQ(canvas.pixelColor(439, 269), kWhite);

    // The stamp picture takes the place of the bare frame of layout 2.
    EXPECT_TRUE(doc.stamp().isVisible());
    EXPECT_EQ(doc.stamp().geometry(), QRect(18, 18, 140, 180));
    EXPECT_EQ(doc.stamp().image().pixelColor(0, 0), kBlue);
    EXPECT_EQ(doc.stamp().image().pixelColor(0, 1), kGreen);
    EXPECT_EQ(doc.stamp().image().pixelColor(70, 90), kWhite) << "the stamp picture replaces the frame";
}

TEST_F(OpenFile, OutlineCheckMarkFollowsTheRedComponent)
{
    const struct {
        QByteArray border;
        int item;
    } cases[] = {{"#TRUE#\r\n0,5,5\r\n", 2},    {"#TRUE#\r\n255,0,0\r\n", 4},
                 {"#TRUE#\r\n200,200,200\r\n", 0}, {"#FALSE#\r\n255,255,255\r\n", 1}};
    for (const auto &c : cases) {
        writeWindowsCard("Jan", windowsRecord(c.border));
        OpenFileModel model(Mode::Cards, doc, questions);
        ASSERT_TRUE(selectAndAccept(model, "Jan"));
        EXPECT_EQ(doc.checkedBorderItem(), c.item) << c.border.constData();
    }
}

TEST_F(OpenFile, MissingStampPictureLeavesTheBareFrame)
{
    QByteArray record = windowsRecord();
    record.replace("\r\n2\r\n", "\r\n3\r\n");
    writeWindowsCard("Jan", record);
    QFile::remove(cards("Jan.bmp"));
    OpenFileModel model(Mode::Cards, doc, questions);
    ASSERT_TRUE(selectAndAccept(model, "Jan"));
    EXPECT_EQ(doc.stamp().image(), BuiltinPictures::frame(2).convertToFormat(QImage::Format_RGB32));
}

TEST_F(OpenFile, MissingRecordLoadsTheBackgroundAndKeepsTheFields)
{
    writeWindowsCard("Jan");
    QFile::remove(cards("Jan.crd"));
    QFile::remove(cards("Jan.bmp"));
    editCard(doc, [&](Card &card) { card.state.TextLines[1] = "Eigen tekst"; });
    doc.applyLayout(4);
    doc.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image.setPixelColor(0, 0, kRed); });
    // Without its record the card is not listed; it can still be opened by name.
    ASSERT_TRUE(OpenFileModel(Mode::Cards, doc, questions).entries().isEmpty());
    ASSERT_TRUE(CardOpening::openCard(doc, "Jan"));
    EXPECT_EQ(doc.canvas().image().pixelColor(0, 0), kRed);
    EXPECT_EQ(doc.state().TextLines[1], QString("Eigen tekst"));
    EXPECT_EQ(doc.state().LayoutKind, 4);
    EXPECT_EQ(doc.stamp().geometry().left(), 281);
    EXPECT_EQ(doc.stamp().image().pixelColor(0, 0), BuiltinPictures::frame(1).pixelColor(0, 0))
        << "re-applying the layout shows the bare frame";
}

TEST_F(OpenFile, NamedPipesInPlaceOfTheRecordOrAPictureAreNotWaitedFor)
{
    writeWindowsCard("Jan");
    QFile::remove(cards("Jan.crd"));
    QFile::remove(cards("Jan.bmp"));
    {
        const StuckReaderGuard record(cards("Jan.crd"));
        const StuckReaderGuard stamp(cards("Jan.bmp"));
        ASSERT_TRUE(record.made() && stamp.made());
        editCard(doc, [](Card &card) { card.state.TextLines[1] = "Eigen tekst"; });
        doc.applyLayout(4); // kept, so the stamp picture is read too
        ASSERT_TRUE(CardOpening::openCard(doc, "Jan"));
        EXPECT_EQ(doc.state().TextLines[1], QString("Eigen tekst"));
        EXPECT_FALSE(record.stuck());
        EXPECT_FALSE(stamp.stuck());
    }
    QFile::remove(cards("Jan-back.bmp"));
    const StuckReaderGuard background(cards("Jan-back.bmp"));
    EXPECT_FALSE(CardOpening::openCard(doc, "Jan"));
    EXPECT_FALSE(background.stuck());
}

TEST_F(OpenFile, CardFilesWithOtherLetterCaseOpen)
{
    writeWindowsCard("Jan");
    QFile::rename(cards("Jan.crd"), cards("JAN.CRD"));
    QFile::rename(cards("Jan-back.bmp"), cards("Jan-Back.BMP"));
    OpenFileModel model(Mode::Cards, doc, questions);
    ASSERT_EQ(model.entries(), QStringList{"JAN"});
    EXPECT_TRUE(selectAndAccept(model, "JAN"));
    EXPECT_EQ(doc.state().FontName, QString("Verdana"));
}

TEST_F(OpenFile, TemplateChangesOnlyTheCanvasPicture)
{
    writeBytes(templates("zee.tmp"), pngBytes(kBlue, {500, 300}));
    // A card of the same name must not be pulled in.
    writeWindowsCard("zee");
    doc.applyLayout(2);
    doc.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image.setPixelColor(40, 40, kRed); });
    editCard(doc, [&](Card &card) { card.state.TextLines[3] = "Blijft"; });
    doc.chooseBorderItem(4);
    const QImage stampBefore = doc.stamp().image();

    OpenFileModel model(Mode::Templates, doc, questions);
    EXPECT_TRUE(selectAndAccept(model, "zee"));
    EXPECT_TRUE(questions.messages.isEmpty());
    EXPECT_EQ(doc.canvas().picture().size(), QSize(440, 270)) << "only what the card shows is kept";
    EXPECT_EQ(doc.canvas().image().pixelColor(439, 269), kBlue);
    EXPECT_EQ(doc.stamp().image(), stampBefore);
    EXPECT_EQ(doc.state().LayoutKind, 2);
    EXPECT_EQ(doc.state().TextLines[3], QString("Blijft"));
    EXPECT_EQ(doc.state().FontName, QString("Arial"));
    EXPECT_EQ(doc.checkedBorderItem(), 4);
    EXPECT_EQ(doc.nameCaption(), QString("zee"));
    EXPECT_EQ(doc.lastFileName(), QString("zee"));
}

TEST_F(OpenFile, TemplatesOfTodaysFormatsLoadUprightAndCutOffOnesAskToSelect)
{
    // Stored 200 x 300, red on the left; shown turned clockwise, red on top.
    const QImage stored = StampTestFiles::redLeftBlueRight(200, 300);
    const QByteArray heic = StampTestFiles::heic(stored, 6);
    writeBytes(templates("heic.tmp"), heic);
    writeBytes(templates("tiff.tmp"), StampTestFiles::tiff(stored, 0x4));
    writeBytes(templates("webp.tmp"), StampTestFiles::webp(stored.transformed(QTransform().rotate(90))));
    for (const QString name : {"heic", "tiff", "webp"}) {
        editCard(doc, [](Card &card) { card.canvas.setBackColor(kGreen); });
        OpenFileModel model(Mode::Templates, doc, questions);
        ASSERT_TRUE(selectAndAccept(model, name)) << name.toStdString();
        // The template, 300 x 200 upright, covers the card's top-left corner.
        const QImage &card = doc.canvas().image();
        EXPECT_GT(qRed(card.pixel(150, 20)), 200) << name.toStdString();
        EXPECT_GT(qBlue(card.pixel(150, 180)), 200) << name.toStdString();
        EXPECT_EQ(card.pixelColor(350, 100), kGreen) << name.toStdString();
    }

    writeBytes(templates("heic.tmp"), heic.left(heic.size() / 2));
    const QImage before = doc.canvas().image();
    const QString caption = doc.nameCaption();
    OpenFileModel model(Mode::Templates, doc, questions);
    EXPECT_FALSE(selectAndAccept(model, "heic"));
    ASSERT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(questions.messages[0].startsWith("Lumovander|\"heic.tmp\" kon niet worden geopend: "))
        << questions.messages[0].toStdString();
    EXPECT_EQ(doc.canvas().image(), before);
    EXPECT_EQ(doc.nameCaption(), caption);
}

// One message names the template and why it gives no picture; nothing else changes.
TEST_F(OpenFile, TemplateThatIsNoPictureIsNamedWithTheReason)
{
    writeBytes(templates("tekst.tmp"), "Dit is een tekst, geen afbeelding.\n");
    writeBytes(templates("kapot.tmp"), pngBytes(kBlue, {500, 300}).left(200));
    doc.setFileName(QStringLiteral("eerder"));
    const QImage before = doc.canvas().image();
    for (const char *name : {"tekst", "kapot"}) {
        OpenFileModel model(Mode::Templates, doc, questions);
        EXPECT_FALSE(selectAndAccept(model, name));
    }
    EXPECT_EQ(questions.messages,
              QStringList({"Lumovander|\"tekst.tmp\" kon niet worden geopend: het is geen afbeelding.",
                           "Lumovander|\"kapot.tmp\" kon niet worden geopend: de afbeelding is beschadigd of onvolledig."}));
    EXPECT_EQ(doc.canvas().image(), before);
    EXPECT_EQ(doc.fileName(), QString("eerder"));
}

TEST_F(OpenFile, SmallTemplateCoversOnlyItsCorner)
{
    writeBytes(templates("klein.tmp"), handMadeBitmap(1, 1, {kRed}));
    OpenFileModel model(Mode::Templates, doc, questions);
    ASSERT_TRUE(selectAndAccept(model, "klein"));
    EXPECT_EQ(doc.canvas().image().pixelColor(0, 0), kRed);
    EXPECT_EQ(doc.canvas().image().pixelColor(1, 0), doc.canvas().backColor());
}

TEST_F(OpenFile, TemplateThatIsNoPictureHasNoPreview)
{
    writeBytes(templates("kapot.tmp"), "geen plaatje");
    OpenFileModel model(Mode::Templates, doc, questions);
    EXPECT_TRUE(model.preview().isNull());
    EXPECT_FALSE(selectAndAccept(model, "kapot"));
}

TEST_F(OpenFile, TemplateClaimingAHugeSizeIsRefused)
{
    QByteArray header = handMadeBitmap(1, 1, {kRed});
    qToLittleEndian<qint32>(100000, header.data() + 18);
    qToLittleEndian<qint32>(100000, header.data() + 22);
    writeBytes(templates("enorm.tmp"), header);
    OpenFileModel model(Mode::Templates, doc, questions);
    EXPECT_TRUE(model.preview().isNull());
    EXPECT_FALSE(selectAndAccept(model, "enorm"));
    EXPECT_EQ(questions.messages.join(QString()).toStdString(),
              "Lumovander|\"enorm.tmp\" kon niet worden geopend: de afbeelding is te groot (100000 x 100000 pixels) "
              "om in het geheugen te openen.");
}

TEST_F(OpenFile, DeletingACardRemovesItsThreeFilesOnly)
{
    writeWindowsCard("Jan");
    writeWindowsCard("Piet");
    OpenFileModel model(Mode::Cards, doc, questions);
    const QString instruction = model.instruction();
    model.select(0);
    questions.yesNoAnswers = {true};
    model.deleteSelected();

    EXPECT_EQ(questions.asked, QStringList{" Delete|Wilt u het bestand 'Jan' verwijderen"});
    EXPECT_EQ(QDir(cards()).entryList(QDir::Files), (QStringList{"Piet-back.bmp", "Piet.bmp", "Piet.crd"}));
    EXPECT_EQ(model.entries(), QStringList{"Piet"});
    EXPECT_EQ(model.selectedRow(), -1);
    EXPECT_EQ(model.instruction(), instruction) << "the count is not updated";
}

TEST_F(OpenFile, DeletingACardLeavesTheFilesOfOneNamedAlikeInOtherLetters)
{
    writeWindowsCard("JAN");
    writeBytes(cards("JAN-back.print.png"), "print copy of JAN");
    writeBytes(cards("jan.crd"), windowsRecord());
    writeBytes(cards("jan-back.bmp"), handMadeBitmap(1, 1, {kRed}));
    OpenFileModel model(Mode::Cards, doc, questions);
    ASSERT_EQ(model.entries(), (QStringList{"JAN", "jan"}));
    model.select(1);
    questions.yesNoAnswers = {true};
    model.deleteSelected();
    QStringList left = QDir(cards()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"JAN-back.bmp", "JAN-back.print.png", "JAN.bmp", "JAN.crd"}));
}

TEST_F(OpenFile, DeletingACardWithMissingFilesPassesThemOver)
{
    writeBytes(cards("Jan.crd"), "x");
    OpenFileModel model(Mode::Cards, doc, questions);
    model.select(0);
    questions.yesNoAnswers = {true};
    model.deleteSelected();
    EXPECT_TRUE(QDir(cards()).entryList(QDir::Files).isEmpty());
}

TEST_F(OpenFile, DeletingATemplateRemovesOnlyItsFile)
{
    writeBytes(templates("zee.tmp"), pngBytes(kBlue));
    writeWindowsCard("zee");
    OpenFileModel model(Mode::Templates, doc, questions);
    model.select(0);
    questions.yesNoAnswers = {true};
    model.deleteSelected();
    EXPECT_FALSE(QFileInfo::exists(templates("zee.tmp")));
    EXPECT_EQ(QDir(cards()).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(model.entries().isEmpty());
}

TEST_F(OpenFile, DeleteAnsweredNoOrWithoutSelectionKeepsEverything)
{
    writeWindowsCard("Jan");
    OpenFileModel model(Mode::Cards, doc, questions);
    model.deleteSelected(); // nothing selected: not even a question
    EXPECT_TRUE(questions.asked.isEmpty());
    model.select(0);
    questions.yesNoAnswers = {false};
    model.deleteSelected();
    EXPECT_EQ(QDir(cards()).entryList(QDir::Files).size(), 3);
    EXPECT_EQ(model.entries(), QStringList{"Jan"});
}
