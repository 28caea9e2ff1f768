#include "batch/BatchCommands.h"
#include "batch/BatchPrintCommand.h"
#include "core/SettingsFile.h"
#include "print/SheetGeometry.h"
#include "MarkedCard.h"
#include "support/CardEdit.h"
#include "core/CardDocument.h"
#include "cardfile/CardWriter.h"
#include "core/DataFolder.h"
#include "print/CorrectionFile.h"
#include "RenderedPdf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BatchPrint : public testing::Test {
protected:
    void SetUp() override
    {
        DataFolder::setOverride(folder.path());
        CardDocument card;
        for (int i = 1; i <= 7; ++i)
            editCard(card, [&](Card &card) { card.state.TextLines[i] = QStringLiteral("Lijn%1").arg(i); });
        ASSERT_FALSE(CardWriter::write(card, QStringLiteral("Jan")).has_value());
    }
    void TearDown() override { DataFolder::setOverride(QString()); }

    void writeSettings(const QByteArray &bytes)
    {
        QFile ini(folder.filePath(QStringLiteral("Lumovander.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(bytes);
    }

    int run(QStringList args)
    {
        errors.clear();
        QTextStream err(&errors);
        return batchPrint(args, err);
    }

    QPointF firstWordOf(const QString &pdf)
    {
        const QList<PdfWord> words = RenderedPdf::words(pdf);
        return words.isEmpty() ? QPointF(-1, -1) : words.first().box.topLeft();
    }

    QTemporaryDir folder;
    QTemporaryDir outputs;
    QString errors;
};

void expectNear(QPointF actual, QPointF expected)
{
    EXPECT_NEAR(actual.x(), expected.x(), 0.3);
    EXPECT_NEAR(actual.y(), expected.y(), 0.3);
}

} // namespace

TEST_F(BatchPrint, PrintsTheSavedCardWithTheFoldersSettings)
{
    writeSettings("\"Vek Tarnholm Software 2009\"\r\n\"--------------------------\"\r\n"
                  "\"20,5\",\"25\",\"90\",\"50\",\"0\",0\r\n8\r\n");
    const QString pdf = outputs.filePath(QStringLiteral("jan.pdf"));
    EXPECT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--folder"), folder.path(), QStringLiteral("--output"), pdf,
                   QStringLiteral("--copies"), QStringLiteral("2")}),
              0)
        << errors.toStdString();
    EXPECT_EQ(RenderedPdf::pageCount(pdf), 2);
    EXPECT_EQ(RenderedPdf::words(pdf, 2).size(), 8 * 7);
    expectNear(firstWordOf(pdf), QPointF(17.5 + 6, 21 + 6));
}

TEST_F(BatchPrint, SavedPicturesPrintAtTheirPlacesOnTheRenderedPage)
{
    CardDocument card;
    QImage canvas(440, 270, QImage::Format_RGB32);
    canvas.fill(QColor(0, 0, 200));
    card.setCanvasPicture(QStringLiteral("Templates"), canvas);
    card.applyLayout(2);
    QImage stamp(card.stamp().image().size(), QImage::Format_RGB32);
    stamp.fill(QColor(0, 200, 0));
    editCard(card, [&](Card &card) { card.stamp.setPicture(stamp); });
    ASSERT_FALSE(CardWriter::write(card, QStringLiteral("Zegel")).has_value());

    const QString pdf = outputs.filePath(QStringLiteral("zegel.pdf"));
    ASSERT_EQ(run({QStringLiteral("Zegel"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), folder.path()}),
              0)
        << errors.toStdString();
    const QImage page = RenderedPdf::renderPage(pdf);
    const auto isBlue = [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 60 && qGreen(c) < 60; };
    const auto isGreen = [](QRgb c) { return qGreen(c) > 150 && qRed(c) < 60 && qBlue(c) < 60; };
    const QRectF cards = RenderedPdf::boxOf(page, QRectF(0, 0, 210, 297), isBlue);
    expectNear(cards.topLeft(), QPointF(12, 19));
    expectNear(cards.bottomRight(), QPointF(192, 269));
    const QRectF lastStamp = RenderedPdf::boxOf(page, QRectF(104, 221, 31, 37), isGreen);
    expectNear(lastStamp.topLeft(), QPointF(102 + 5, 219 + 5));
    expectNear(lastStamp.bottomRight(), QPointF(102 + 31.32, 219 + 37.11));
}

TEST_F(BatchPrint, MissingSettingsFilePrintsWithTheDefaults)
{
    const QString pdf = outputs.filePath(QStringLiteral("jan.pdf"));
    EXPECT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), folder.path()}),
              0);
    EXPECT_EQ(RenderedPdf::pageCount(pdf), 1);
    EXPECT_EQ(RenderedPdf::words(pdf).size(), 10 * 7);
    expectNear(firstWordOf(pdf), QPointF(12 + 6, 19 + 6));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("Lumovander.ini")))) << "printing writes no settings";
}

TEST_F(BatchPrint, AbsurdMarginsInTheSettingsPrintWithTheDefaults)
{
    writeSettings("\"Vek Tarnholm Software 2009\"\r\n\"--------------------------\"\r\n"
                  "1e18,10000,nan,\"1e300\",-1e18,1000000\r\n10\r\n");
    const QString pdf = outputs.filePath(QStringLiteral("jan.pdf"));
    EXPECT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), folder.path()}),
              0)
        << errors.toStdString();
    EXPECT_EQ(RenderedPdf::words(pdf).size(), 10 * 7) << "every card is on the page";
    expectNear(firstWordOf(pdf), QPointF(12 + 6, 19 + 6));
}

TEST_F(BatchPrint, BadInputGivesOneLineAndNoPdf)
{
    const QString pdf = outputs.filePath(QStringLiteral("out.pdf"));
    const QString dir = folder.path();
    const QList<QStringList> cases = {
        {QStringLiteral("Jan"), QStringLiteral("--folder"), dir},
        {QStringLiteral("--output"), pdf},
        {QStringLiteral("Jan"), QStringLiteral("--output"), outputs.filePath(QStringLiteral("out.png"))},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--copies"), QStringLiteral("0")},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--copies"), QStringLiteral("11")},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--copies"), QStringLiteral("twee")},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--copies")},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--output"), pdf},
        {QStringLiteral("Jan"), QStringLiteral("Piet"), QStringLiteral("--output"), pdf},
        {QStringLiteral("Jan"), QStringLiteral("--scale"), QStringLiteral("2"), QStringLiteral("--output"), pdf},
        {QStringLiteral("Piet"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), dir},
        {QStringLiteral("../Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), dir + "/Cards"},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), dir + "/nergens"},
        {QStringLiteral("Jan"), QStringLiteral("--output"), outputs.filePath(QStringLiteral("nergens/out.pdf")),
         QStringLiteral("--folder"), dir},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--dubbelzijdig"), QStringLiteral("beide")},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--dubbelzijdig")},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--begin"), QStringLiteral("0")},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--begin"), QStringLiteral("11")},
        {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--begin"), QStringLiteral("vier")},
    };
    for (const QStringList &args : cases) {
        EXPECT_NE(run(args), 0) << args.join(' ').toStdString();
        EXPECT_EQ(errors.count(QLatin1Char('\n')), 1) << args.join(' ').toStdString();
        EXPECT_TRUE(errors.startsWith(QStringLiteral("lumovander-batch print: ")));
    }
    EXPECT_TRUE(QDir(outputs.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
}

TEST_F(BatchPrint, CardWithoutRecordIsRefused)
{
    QFile::remove(folder.filePath(QStringLiteral("Cards/Jan.crd")));
    const QString pdf = outputs.filePath(QStringLiteral("jan.pdf"));
    EXPECT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), folder.path()}),
              1);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(BatchPrint, CorrectionFromTheFolderOrTheCommandLineOrNone)
{
    const QString pdf = outputs.filePath(QStringLiteral("jan.pdf"));
    const QStringList base = {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"),
                              folder.path()};
    const QPointF line1(12 + 6, 19 + 6);
    // A stored correction for another printer does not apply to the PDF.
    const QString corrections = folder.filePath(QStringLiteral("Lumovander-correctie.ini"));
    ASSERT_TRUE(CorrectionFile::store(corrections, QStringLiteral("Kantoor"), PrinterCorrection{4, 4, 1, 1}));
    ASSERT_EQ(run(base), 0) << errors.toStdString();
    expectNear(firstWordOf(pdf), line1);

    ASSERT_TRUE(CorrectionFile::store(corrections, CorrectionFile::PdfTarget, PrinterCorrection{2, -1, 1, 1}));
    ASSERT_EQ(run(base), 0) << errors.toStdString();
    expectNear(firstWordOf(pdf), line1 + QPointF(2, -1));

    ASSERT_EQ(run(base + QStringList{QStringLiteral("--no-correction")}), 0) << errors.toStdString();
    expectNear(firstWordOf(pdf), line1);

    ASSERT_EQ(run(base + QStringList{QStringLiteral("--shift"), QStringLiteral("1.5,-0.8"), QStringLiteral("--scale"),
                                     QStringLiteral("100.5,99.7")}),
              0)
        << errors.toStdString();
    const PrinterCorrection given{1.5, -0.8, 1.005, 0.997};
    expectNear(firstWordOf(pdf), given.apply(line1));

    for (const QStringList &bad : {QStringList{QStringLiteral("--scale"), QStringLiteral("150,100")},
                                   QStringList{QStringLiteral("--shift"), QStringLiteral("1;2")},
                                   QStringList{QStringLiteral("--shift"), QStringLiteral("1,2"), QStringLiteral("--no-correction")}}) {
        EXPECT_EQ(run(base + bad), 2) << bad.join(' ').toStdString();
        EXPECT_EQ(errors.count(QLatin1Char('\n')), 1);
    }
}

// Qt reads "nan" and "inf" as numbers; a shift of NaN once printed without the logos and
// the QR code's modules.
TEST_F(BatchPrint, ShiftOrScaleThatIsNoFiniteNumberIsRefusedInDutchAndWritesNothing)
{
    const QString pdf = outputs.filePath(QStringLiteral("jan.pdf"));
    const QStringList base = {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"),
                              folder.path()};
    const QList<QStringList> cases = {
        {QStringLiteral("--shift"), QStringLiteral("nan,nan")}, {QStringLiteral("--shift"), QStringLiteral("0,nan")},
        {QStringLiteral("--shift"), QStringLiteral("inf,0")},   {QStringLiteral("--shift"), QStringLiteral("-inf,1")},
        {QStringLiteral("--scale"), QStringLiteral("nan,100")}, {QStringLiteral("--scale"), QStringLiteral("100,inf")},
    };
    for (const QStringList &bad : cases) {
        EXPECT_EQ(run(base + bad), 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(errors.contains(QStringLiteral("is geen getal; er is niets geschreven"))) << errors.toStdString();
        EXPECT_EQ(errors.count(QLatin1Char('\n')), 1) << errors.toStdString();
    }
    // Within the range but written oddly, a shift still is one.
    EXPECT_EQ(run(base + QStringList{QStringLiteral("--shift"), QStringLiteral("30.5,0")}), 2);
    EXPECT_FALSE(QFile::exists(pdf));
    ASSERT_EQ(run(base + QStringList{QStringLiteral("--shift"), QStringLiteral(" 1.5 , -30 ")}), 0) << errors.toStdString();
}

TEST_F(BatchPrint, CardsOffThePageAreAWarningAndTheRestPrints)
{
    writeSettings("\"Vek Tarnholm Software 2009\"\r\n\"--------------------------\"\r\n"
                  "\"60\",\"23\",\"90\",\"50\",\"0\",0\r\n10\r\n");
    const QString pdf = outputs.filePath(QStringLiteral("jan.pdf"));
    EXPECT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), folder.path(),
                   QStringLiteral("--no-correction")}),
              0);
    EXPECT_EQ(errors, QStringLiteral("lumovander-batch print: warning: cards 2, 4, 6, 8, 10 leave the A4 page; "
                                     "the sheet prints what fits\n"));
    EXPECT_EQ(RenderedPdf::pageCount(pdf), 1);

    writeSettings("\"Vek Tarnholm Software 2009\"\r\n\"--------------------------\"\r\n"
                  "15,23,90,50,0,0\r\n10\r\n");
    EXPECT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), folder.path()}),
              0);
    EXPECT_EQ(errors, QString());
}

// A name or path from the command line may hold an escape or a line break; the one
// line of the error must not carry them to the terminal.
TEST_F(BatchPrint, NamesAreEchoedWithoutControlCharacters)
{
    const QString name = QStringLiteral("Ja\x1b[2Jn\nx");
    EXPECT_EQ(run({name, QStringLiteral("--output"), outputs.filePath(QStringLiteral("x.pdf")), QStringLiteral("--folder"),
                   folder.path()}),
              1);
    EXPECT_FALSE(errors.contains(QChar(0x1b))) << errors.toStdString();
    EXPECT_EQ(errors.count(QLatin1Char('\n')), 1) << errors.toStdString();

    QString calibrateErrors;
    QTextStream err(&calibrateErrors);
    EXPECT_EQ(batchCalibrate({QStringLiteral("--output"), QStringLiteral("a\x1b]0;x\x07\nb.png")}, err), 2);
    err.flush();
    EXPECT_FALSE(calibrateErrors.contains(QChar(0x1b))) << calibrateErrors.toStdString();
    EXPECT_EQ(calibrateErrors.count(QLatin1Char('\n')), 1) << calibrateErrors.toStdString();
}

// A card with a back, printed double-sided: each sheet a page of fronts and a page of
// backs, every back the mirror image of its front on the physical page for the edge the
// paper turns over. The card is made here: the command reads it as it reads a saved one.
TEST_F(BatchPrint, DoubleSidedWritesEachFrontPageFollowedByItsMirroredBacks)
{
    writeSettings("\"Vek Tarnholm Software 2009\"\r\n\"--------------------------\"\r\n"
                  "\"12,5\",\"17,2\",\"90\",\"50\",\"3,5\",2\r\n10\r\n");
    PrintSettings settings;
    ASSERT_TRUE(SettingsFile::read(folder.filePath(QStringLiteral("Lumovander.ini")), settings));
    const SheetGeometry sheet = SheetGeometry::from(settings);
    Card card = Card::initial();
    card.applyLayout(1);
    QImage green(440, 270, QImage::Format_RGB32), red(440, 270, QImage::Format_RGB32);
    green.fill(QColor(0, 200, 0));
    red.fill(QColor(200, 0, 0));
    card.canvas.setPicture(green);
    card.back = CardFace::blankBack(card);
    card.back->canvas.setPicture(red);
    const PrintCardReader read = [&](const QString &) { return std::optional(PrintCard{card, {}}); };

    const QString pdf = outputs.filePath(QStringLiteral("dubbel.pdf"));
    for (const QString &edge : {QStringLiteral("lang"), QStringLiteral("kort")}) {
        errors.clear();
        QTextStream err(&errors);
        ASSERT_EQ(batchPrint({QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--dubbelzijdig"),
                              edge, QStringLiteral("--no-correction")},
                             err, read),
                  0)
            << errors.toStdString();
        ASSERT_EQ(RenderedPdf::pageCount(pdf), 2);
        const QImage front = RenderedPdf::renderPage(pdf, 1), back = RenderedPdf::renderPage(pdf, 2);
        const double c = sheet.cardWidth, d = sheet.cardHeight;
        for (const QPointF &corner : sheet.cardCorners()) {
            const QRectF f = RenderedPdf::boxOf(front, QRectF(corner, QSizeF(c, d)).adjusted(-1, -1, 1, 1),
                                                MarkedCard::isGreen);
            ASSERT_FALSE(f.isEmpty());
            const QRectF mirrored = edge == QLatin1String("lang") ? QRectF(QPointF(210 - f.right(), f.top()), f.size())
                                                                  : QRectF(QPointF(f.left(), 297 - f.bottom()), f.size());
            const QRectF b = RenderedPdf::boxOf(back, mirrored.adjusted(-1, -1, 1, 1), MarkedCard::isRed);
            // Within a pixel of the page rendered at 10 px/mm.
            EXPECT_NEAR(b.left(), mirrored.left(), 0.11) << edge.toStdString();
            EXPECT_NEAR(b.top(), mirrored.top(), 0.11) << edge.toStdString();
            EXPECT_NEAR(b.right(), mirrored.right(), 0.11) << edge.toStdString();
            EXPECT_NEAR(b.bottom(), mirrored.bottom(), 0.11) << edge.toStdString();
        }
    }
}

// The PDF read back: the first sheet has no word in the slots before --begin, the ones
// from it on hold a card each, and the next sheet is whole.
TEST_F(BatchPrint, BeginLeavesTheSlotsBeforeItEmptyOnTheFirstSheet)
{
    const QString pdf = outputs.filePath(QStringLiteral("rest.pdf"));
    const QStringList base = {QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"),
                              folder.path(), QStringLiteral("--no-correction")};
    ASSERT_EQ(run(base + QStringList{QStringLiteral("--begin"), QStringLiteral("4"), QStringLiteral("--copies"),
                                     QStringLiteral("2")}),
              0)
        << errors.toStdString();
    ASSERT_EQ(RenderedPdf::pageCount(pdf), 2);
    const SheetGeometry sheet;
    const QList<QPointF> corners = sheet.cardCorners();
    QList<int> wordsInSlot(corners.size(), 0);
    for (const PdfWord &word : RenderedPdf::words(pdf, 1))
        for (int slot = 0; slot < corners.size(); ++slot)
            if (QRectF(corners[slot], QSizeF(sheet.cardWidth, sheet.cardHeight)).contains(word.box.center()))
                ++wordsInSlot[slot];
    EXPECT_EQ(wordsInSlot, (QList<int>{0, 0, 0, 7, 7, 7, 7, 7, 7, 7}));
    EXPECT_EQ(RenderedPdf::words(pdf, 2).size(), 10 * 7);

    // The last card of a sheet of eight is its eighth.
    writeSettings("\"Vek Tarnholm Software 2009\"\r\n\"--------------------------\"\r\n"
                  "\"20,5\",\"25\",\"90\",\"50\",\"0\",0\r\n8\r\n");
    QFile::remove(pdf);
    EXPECT_EQ(run(base + QStringList{QStringLiteral("--begin"), QStringLiteral("9")}), 2);
    EXPECT_EQ(errors, QStringLiteral("lumovander-batch print: --begin moet een heel getal van 1 tot 8 zijn, de kaarten "
                                     "op een vel: 9; er is niets geschreven\n"));
    EXPECT_FALSE(QFile::exists(pdf));
    ASSERT_EQ(run(base + QStringList{QStringLiteral("--begin"), QStringLiteral("8")}), 0) << errors.toStdString();
    EXPECT_EQ(RenderedPdf::words(pdf).size(), 7);
}

TEST_F(BatchPrint, DoubleSidedWithoutABackSaysSoAndWritesNothing)
{
    const QString pdf = outputs.filePath(QStringLiteral("jan.pdf"));
    EXPECT_EQ(run({QStringLiteral("Jan"), QStringLiteral("--output"), pdf, QStringLiteral("--folder"), folder.path(),
                   QStringLiteral("--dubbelzijdig"), QStringLiteral("kort")}),
              1);
    EXPECT_EQ(errors, QStringLiteral("lumovander-batch print: de kaart 'Jan' heeft geen achterkant; er is niets "
                                     "geschreven\n"));
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(BatchCalibrate, WritesTheTestPageForTheFoldersSettings)
{
    QTemporaryDir folder;
    QFile ini(folder.filePath(QStringLiteral("Lumovander.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("\"Vek Tarnholm Software 2009\"\r\n\"--------------------------\"\r\n"
              "\"18\",\"17,5\",\"85\",\"54\",\"0\",10\r\n10\r\n");
    ini.close();
    QString errors;
    QTextStream err(&errors);
    const QString pdf = folder.filePath(QStringLiteral("testpagina.pdf"));
    ASSERT_EQ(batchCalibrate({QStringLiteral("--output"), pdf, QStringLiteral("--folder"), folder.path()}, err), 0)
        << errors.toStdString();
    ASSERT_EQ(RenderedPdf::pageCount(pdf), 1);
    // The first card's outline at (15, 13.5): its left edge crosses y = 30 there.
    const QImage page = RenderedPdf::renderPage(pdf);
    const QRectF edge = RenderedPdf::boxOf(page, QRectF(13, 30, 4, 0.1), [](QRgb c) { return qGray(c) < 200; });
    EXPECT_NEAR(edge.center().x(), 15, 0.2);
    EXPECT_NE(batchCalibrate({QStringLiteral("--output"), folder.filePath(QStringLiteral("x.png"))}, err), 0);
    DataFolder::setOverride(QString());
}
