#include "background/BackgroundPhoto.h"
#include "batch/BatchCommands.h"
#include "background/FilterCommands.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardWriter.h"
#include "cardfile/OpenFileModel.h"
#include "core/CardDocument.h"
#include "core/Composition.h"
#include "core/DataFolder.h"
#include "print/PdfSheetWriter.h"
#include "support/CardEdit.h"
#include "stamp/BackPic.h"
#include "support/ImageCompare.h"
#include "support/ScriptedQuestions.h"
#include "support/WmfWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The print copies from the photo to the PDF: what paper gets, what survives a save,
// and that a card without print copies prints as it always did.
namespace {

constexpr QSize PrintSize = Composition::PrintCanvasSize;

struct PdfImage {
    int width = 0, height = 0, object = 0, xPpi = 0, yPpi = 0;
};

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The rows of `pdfimages -list`: page num type width height color comp bpc enc interp
// object ID x-ppi y-ppi size ratio.
QList<PdfImage> listImages(const QString &pdf)
{
    QList<PdfImage> images;
    for (const QString &line : runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split('\n')) {
        const QStringList cells = line.simplified().split(' ');
        if (cells.size() < 14 || cells[2] != QLatin1String("image"))
            continue;
        images.push_back({cells[3].toInt(), cells[4].toInt(), cells[10].toInt(), cells[12].toInt(), cells[13].toInt()});
    }
    return images;
}

// The embedded pictures of the PDF's first page, as pdfimages extracts them.
QList<QImage> extractImages(const QString &pdf)
{
    QTemporaryDir folder;
    runTool(QStringLiteral("pdfimages"), {QStringLiteral("-png"), QStringLiteral("-f"), QStringLiteral("1"),
                                          QStringLiteral("-l"), QStringLiteral("1"), pdf, folder.filePath("img")});
    QList<QImage> images;
    for (const QString &name : QDir(folder.path()).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
        images.push_back(QImage(folder.filePath(name)).convertToFormat(QImage::Format_RGB32));
    return images;
}

QImage imageOfSize(const QList<QImage> &images, QSize size)
{
    for (const QImage &image : images)
        if (image.size() == size)
            return image;
    return {};
}

class PrintCopies : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        DataFolder::setOverride(folder.path());
        // Ripples about 9 print pixels long: paper can show them, the screen card cannot.
        photo = ImageCompare::detailedPhoto(2400, 1500, 2.0);
        photoPath = folder.filePath(QStringLiteral("foto.png"));
        ASSERT_TRUE(photo.save(photoPath));
    }
    void TearDown() override { DataFolder::setOverride(QString()); }

    void loadPhoto(CardDocument &document, PhotoPlacement placement = PhotoPlacement::Borderless)
    {
        BackPic backPic;
        ASSERT_TRUE(loadBackgroundPhoto(document, backPic, photoPath, placement));
    }
    // The sheet as printed; with one card only, for reading its pictures back quickly.
    QString printPdf(const CardDocument &document, const QString &name, bool oneCard = false)
    {
        const QString pdf = folder.filePath(name);
        SheetGeometry sheet = SheetGeometry::from(document.printSettings());
        if (oneCard)
            sheet.cardsPerSheet = 1;
        EXPECT_TRUE(writeSheetPdf(pdf, PrintedCard::from(document.card()), sheet, 1).isPrinted());
        return pdf;
    }
    void run(CardDocument &document, const char *objectName)
    {
        const FilterCommand *command = findFilterCommand(QString::fromLatin1(objectName));
        ASSERT_NE(command, nullptr) << objectName;
        runFilterCommand(document, *command);
    }
    QString cards(const QString &file) const { return QDir(DataFolder::cardsFolder()).filePath(file); }

    QTemporaryDir folder;
    QImage photo;
    QString photoPath;
};

TEST_F(PrintCopies, PhotoBackgroundIsEmbeddedOnceAtPrintResolutionFromTheSource)
{
    CardDocument document;
    loadPhoto(document);
    const QString pdf = printPdf(document, QStringLiteral("kaart.pdf"));

    QSet<int> objects;
    int drawn = 0;
    PdfImage background;
    for (const PdfImage &image : listImages(pdf))
        if (image.width == PrintSize.width() && image.height == PrintSize.height()) {
            ++drawn;
            objects.insert(image.object);
            background = image;
        }
    EXPECT_EQ(drawn, 10);
    ASSERT_EQ(objects.size(), 1) << "ten cards, one stored background";

    const QImage expected = ImageCompare::resample(photo, photo.rect(), PrintSize);
    const QImage embedded =
        imageOfSize(extractImages(printPdf(document, QStringLiteral("een.pdf"), true)), PrintSize);
    ASSERT_FALSE(embedded.isNull());
    const double after = ImageCompare::psnr(embedded, expected);
    // What paper got from the screen picture: 440 x 270 over the same card.
    const QImage &screen = document.canvas().image();
    const double before = ImageCompare::psnr(ImageCompare::resample(screen, screen.rect(), PrintSize), expected);
    const double screenPpi = background.xPpi / double(Composition::PrintScale);
    RecordProperty("print_copy", QStringLiteral("%1 ppi, %2 dB").arg(background.xPpi).arg(after).toStdString());
    RecordProperty("screen_picture", QStringLiteral("%1 ppi, %2 dB").arg(screenPpi).arg(before).toStdString());
    EXPECT_GE(background.xPpi, 300) << "print copy " << background.xPpi << " ppi, screen picture " << screenPpi;
    EXPECT_GE(background.yPpi, 300);
    EXPECT_GE(after, 40.0) << "print copy " << after << " dB (before the PDF "
                           << ImageCompare::psnr(document.canvas().printImage(), expected)
                           << " dB), screen picture enlarged " << before << " dB";
    EXPECT_LT(before, after - 10) << "print copy " << after << " dB, screen picture enlarged " << before << " dB";
}

TEST_F(PrintCopies, MarginPlacementAndWhiteFrameLieWhereTheScreenPutsThem)
{
    CardDocument document;
    document.setBackColorComponent(CardDocument::Red, 10);
    loadPhoto(document, PhotoPlacement::WithMargin);
    const QImage print = document.canvas().printImage();
    ASSERT_TRUE(document.canvas().hasPrintCopy());
    // The band keeps the background colour, at four times its width; the photo starts
    // at (48, 48) and fills 1668 x 988.
    EXPECT_EQ(print.pixel(47, 100), document.canvas().image().pixel(11, 25));
    EXPECT_EQ(print.pixel(1716, 100), document.canvas().image().pixel(429, 25));
    const QRect area(48, 48, 417 * 4, 247 * 4);
    EXPECT_GE(ImageCompare::psnr(print.copy(area), ImageCompare::resample(photo, photo.rect(), area.size())), 40.0);
}

TEST_F(PrintCopies, PointFilterRunsOnThePrintCopyLookChangingFilterEnlargesTheScreenResult)
{
    CardDocument document;
    loadPhoto(document);
    const QImage before = document.canvas().printImage();
    run(document, "AchtergrondEdit(1)"); // Negative
    ASSERT_TRUE(document.canvas().hasPrintCopy());
    QImage negated = before.copy();
    negated.invertPixels();
    EXPECT_EQ(document.canvas().printImage(), negated);

    run(document, "AchtergrondEdit(4)"); // Reliëf: neighbours measured in screen pixels
    ASSERT_TRUE(document.canvas().hasPrintCopy());
    EXPECT_EQ(document.canvas().printImage(),
              document.canvas()
                  .image()
                  .scaled(PrintSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                  .convertToFormat(QImage::Format_RGB32));

    document.applyLayout(2);
    const QImage stampBefore = document.stamp().printImage();
    run(document, "EditFlipConvert(0)");
    EXPECT_EQ(document.stamp().printImage(), stampBefore.mirrored(true, false));
}

TEST_F(PrintCopies, SavedCardReopensAndPrintsTheSamePictures)
{
    CardDocument document;
    document.applyLayout(2);
    loadPhoto(document);
    const QString firstPdf = printPdf(document, QStringLiteral("voor.pdf"), true);
    const QList<PdfImage> listed = listImages(firstPdf);
    const auto stampImage = std::find_if(listed.begin(), listed.end(), [](const PdfImage &image) {
        return image.width == 140 * Composition::PrintScale && image.height == 180 * Composition::PrintScale;
    });
    ASSERT_NE(stampImage, listed.end()) << "the bare frame prints from the frame drawn at print scale";
    EXPECT_GE(stampImage->xPpi, 300);
    ASSERT_FALSE(CardWriter::write(document, QStringLiteral("Jan")).has_value());
    EXPECT_TRUE(QFile::exists(cards(QStringLiteral("Jan-back.print.png"))));
    EXPECT_TRUE(QFile::exists(cards(QStringLiteral("Jan.print.png"))));

    CardDocument reopened;
    ASSERT_TRUE(CardOpening::openCard(reopened, QStringLiteral("Jan")));
    ASSERT_TRUE(reopened.canvas().hasPrintCopy());
    ASSERT_TRUE(reopened.stamp().hasPrintCopy());
    const QString secondPdf = printPdf(reopened, QStringLiteral("na.pdf"), true);
    const QList<QImage> first = extractImages(firstPdf);
    const QList<QImage> second = extractImages(secondPdf);
    ASSERT_EQ(first.size(), 2) << "background and stamp";
    ASSERT_EQ(second.size(), first.size());
    for (qsizetype i = 0; i < first.size(); ++i)
        EXPECT_TRUE(first[i] == second[i]) << "picture " << i << " of the PDF differs after reopening";

    ScriptedQuestions questions;
    questions.yesNoAnswers = {true};
    OpenFileModel model(OpenFileModel::Mode::Cards, reopened, questions);
    model.select(0);
    model.deleteSelected();
    EXPECT_EQ(QDir(DataFolder::cardsFolder()).entryList(QDir::Files), QStringList());
}

TEST_F(PrintCopies, BatchRenderAtScaleDrawsThePrintCopy)
{
    CardDocument document;
    loadPhoto(document);
    editCard(document, [](Card &card) {
        for (QString &line : card.state.TextLines)
            line.clear();
    });
    ASSERT_FALSE(CardWriter::write(document, QStringLiteral("Jan")).has_value());
    const QString output = folder.filePath(QStringLiteral("kaart.png"));
    QString errors;
    QTextStream err(&errors);
    ASSERT_EQ(batchRender({QStringLiteral("Jan"), output, QStringLiteral("--scale"), QStringLiteral("4")}, err), 0)
        << errors.toStdString();
    const QImage rendered = QImage(output).convertToFormat(QImage::Format_RGB32);
    const double fine = ImageCompare::psnr(rendered, ImageCompare::resample(photo, photo.rect(), PrintSize));
    EXPECT_GE(fine, 40.0);
}

TEST_F(PrintCopies, CardWithoutOrWithAForeignPrintCopyPrintsItsScreenPictures)
{
    CardDocument document;
    document.applyLayout(2);
    loadPhoto(document);
    ASSERT_FALSE(CardWriter::write(document, QStringLiteral("Jan")).has_value());

    // A bitmap changed since the save: its print copy belongs to another picture.
    QImage changed = document.canvas().image().copy();
    changed.setPixel(5, 5, qRgb(0, 0, 0));
    ASSERT_TRUE(changed.save(cards(QStringLiteral("Jan-back.bmp")), "BMP"));
    CardDocument foreign;
    ASSERT_TRUE(CardOpening::openCard(foreign, QStringLiteral("Jan")));
    EXPECT_FALSE(foreign.canvas().hasPrintCopy());
    EXPECT_TRUE(foreign.stamp().hasPrintCopy()) << "the stamp's bitmap is unchanged";

    // A card folder from before print copies: paper gets exactly the screen pictures.
    ASSERT_TRUE(QFile::remove(cards(QStringLiteral("Jan-back.print.png"))));
    ASSERT_TRUE(QFile::remove(cards(QStringLiteral("Jan.print.png"))));
    CardDocument old;
    ASSERT_TRUE(CardOpening::openCard(old, QStringLiteral("Jan")));
    const PrintedCard printed = PrintedCard::from(old.card());
    EXPECT_TRUE(printed.canvasPrint.isNull());
    EXPECT_TRUE(printed.stampPrint.isNull());
    EXPECT_EQ(printed.canvas, old.canvas().image());
    EXPECT_EQ(printed.stamp, old.stamp().image());
}

TEST_F(PrintCopies, FailedSaveLeavesTheOldPrintCopiesAndNoNewOne)
{
    QDir().mkpath(cards(QStringLiteral("Jan.crd"))); // the record cannot be replaced
    const auto writeOld = [this](const QString &name, const QByteArray &bytes) {
        QFile file(cards(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    writeOld(QStringLiteral("Jan-back.print.png"), "old print");
    CardDocument document;
    document.applyLayout(2);
    loadPhoto(document);
    EXPECT_TRUE(CardWriter::write(document, QStringLiteral("Jan")).has_value());
    QFile old(cards(QStringLiteral("Jan-back.print.png")));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old print"));
    EXPECT_EQ(QDir(DataFolder::cardsFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"Jan-back.print.png", "Jan.crd"}));
}

} // namespace

// The card shows a template at its own size from the top-left corner. A metafile has no
// pixels of its own, so paper gets it drawn again at print scale: lines as sharp as
// paper can take them. A bitmap's pixels are all it has; it prints as its screen picture.
TEST_F(PrintCopies, MetafileTemplateIsDrawnAgainAtPrintScaleABitmapTemplateIsNot)
{
    ASSERT_TRUE(QDir().mkpath(DataFolder::templatesFolder()));
    const auto writeTemplate = [](const QString &name, const QByteArray &bytes) {
        QFile file(QDir(DataFolder::templatesFolder()).filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    // 600 x 400 pixels at 96 units an inch, larger than the card; a line every 20 pixels.
    WmfWriter lines;
    lines.nullBrush().pen(Qt::black, 1);
    for (int x = 10; x < 600; x += 20)
        lines.line({x, 0}, {x, 400});
    ASSERT_TRUE(writeTemplate(QStringLiteral("lijnen.tmp"), lines.placeable(QRect(0, 0, 600, 400))));

    CardDocument document;
    ASSERT_TRUE(CardOpening::loadTemplate(document, QStringLiteral("lijnen")));
    const QImage screen = document.canvas().image();
    ASSERT_TRUE(document.canvas().hasPrintCopy());
    const QImage print = document.canvas().printImage();
    ASSERT_EQ(print.size(), PrintSize);
    const QImage back = print.scaled(screen.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GE(ImageCompare::psnr(back, screen), 30.0) << "the part the card shows, and nothing else";
    // 22 lines cross the card, each 4 print pixels of solid black; the screen picture
    // enlarged has its lines grey and soft.
    const QImage enlarged = screen.scaled(PrintSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_EQ(ImageCompare::solidBlackInRow(print, 500), 22 * 4);
    EXPECT_LT(ImageCompare::solidBlackInRow(enlarged, 500), 22 * 2);

    ASSERT_TRUE(QFile::copy(photoPath, QDir(DataFolder::templatesFolder()).filePath(QStringLiteral("foto.tmp"))));
    ASSERT_TRUE(CardOpening::loadTemplate(document, QStringLiteral("foto")));
    EXPECT_FALSE(document.canvas().hasPrintCopy());
}

// A metafile as background photo is stretched over the card; paper gets it drawn again
// at a scale that covers the print area instead of the screen drawing enlarged eightfold.
TEST_F(PrintCopies, MetafileBackgroundPhotoIsDrawnAgainToCoverThePrintArea)
{
    // 220 x 135 pixels at 96 units an inch, half the card each way; a line every 10 pixels.
    WmfWriter lines;
    lines.nullBrush().pen(Qt::black, 1);
    for (int x = 5; x < 220; x += 10)
        lines.line({x, 0}, {x, 135});
    const QString path = folder.filePath(QStringLiteral("lijnen.wmf"));
    QFile file(path);
    const QByteArray bytes = lines.placeable(QRect(0, 0, 220, 135));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    CardDocument document;
    BackPic backPic;
    ASSERT_TRUE(loadBackgroundPhoto(document, backPic, path, PhotoPlacement::Borderless));
    EXPECT_EQ(backPic.size(), QSize(220, 135)) << "the panel's picture stays the metafile at its own size";
    const QImage screen = document.canvas().image();
    ASSERT_TRUE(document.canvas().hasPrintCopy());
    const QImage print = document.canvas().printImage();
    ASSERT_EQ(print.size(), PrintSize);
    const QImage back = print.scaled(backPic.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GE(ImageCompare::psnr(back, backPic.image()), 30.0) << "the same picture, finer";
    // Drawn at 8 x, each of the 22 lines is 8 print pixels of solid black; the screen
    // drawing enlarged leaves them soft.
    const QImage enlarged = screen.scaled(PrintSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_EQ(ImageCompare::solidBlackInRow(print, 500), 22 * 8);
    EXPECT_LT(ImageCompare::solidBlackInRow(enlarged, 500), 22 * 4);

    // A photo after it has pixels of its own: no finer drawing is left over from the metafile.
    ASSERT_TRUE(loadBackgroundPhoto(document, backPic, photoPath, PhotoPlacement::Borderless));
    EXPECT_EQ(&backPic.printSource(), &backPic.image());
}
