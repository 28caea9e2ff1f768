// A card's back in its files: N.achterkant.rec, .bmp, .print.png and its design, written in
// the card's one save, read back on opening, previewed and deleted with the card, carried
// by the recovery card and drawn by the batch program.
#include "DataFolderFixture.h"
#include "print/RenderedPdf.h"
#include "batch/BatchCommands.h"
#include "cardfile/Autosave.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardRecord.h"
#include "cardfile/CardWriter.h"
#include "cardfile/OpenFileModel.h"
#include "cardfile/RecoveryCard.h"
#include "cardfile/RecoveryFolder.h"
#include "core/CardPainter.h"
#include "support/CardEdit.h"
#include "support/ScriptedQuestions.h"

#include <QPainter>

namespace {

const QByteArray kSvg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><svg xmlns=\"http://www.w3.org/2000/svg\" "
                        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"40\" height=\"20\" viewBox=\"0 0 40 20\">"
                        "<rect x=\"2\" y=\"2\" width=\"36\" height=\"16\" fill=\"#1060c0\"/></svg>\n";

void paintPattern(QImage &image, int seed)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed) % 256, (y * 13 + seed) % 256, (x + y) % 256));
}

PlacedObject logo(const QRectF &rect, bool svg)
{
    PlacedObject object;
    object.rect = rect;
    if (svg) {
        object.logo.svg = kSvg;
    } else {
        QImage image(16, 12, QImage::Format_ARGB32_Premultiplied);
        image.fill(qRgba(0, 120, 0, 255));
        object.logo.bitmap = image;
    }
    return object;
}

void designFront(CardDocument &doc)
{
    doc.applyLayout(2);
    doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { paintPattern(image, 1); });
    doc.enterTextLine(1, QStringLiteral("Jan de Vries"));
    editCard(doc, [](Card &card) { card.design.objects = {logo(QRectF(300, 20, 64, 48), false)}; });
}

// A back unlike the front in every part a face has: its picture with a print copy, its
// lines, font and text colour, a moved and a realigned line, both kinds of logo and a QR code.
void designBack(CardDocument &doc)
{
    doc.showSide(CardSide::Back);
    doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { paintPattern(image, 7); },
                     [](QImage &print, const QImage &) { paintPattern(print, 9); });
    doc.enterTextLine(2, QStringLiteral("Afspraak op:"));
    doc.enterTextLine(6, QStringLiteral("www.voorbeeld.nl"));
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(20);
    font.setBold(true);
    doc.applyChosenFont(font);
    doc.setTextColorComponent(CardDocument::Red, 200);
    editCard(doc, [](Card &card) {
        CardDesign &design = card.back->design;
        design.lines[2].offset = QPointF(10.5, -4);
        design.lines[6].align = LineAlign::Right;
        PlacedObject qr;
        qr.kind = PlacedObject::Kind::Qr;
        qr.rect = QRectF(330, 150, 90, 90);
        qr.qr.content.kind = QrKind::Text;
        qr.qr.content.text = QStringLiteral("Achterkant");
        qr.qr.encode();
        design.objects = {logo(QRectF(20, 20, 80, 40), true), qr, logo(QRectF(20, 200, 32, 24), false)};
    });
}

QImage painted(const CardFace &face, const StampBox *stamp)
{
    QImage image(440, 270, QImage::Format_RGB32);
    QPainter painter(&image);
    CardPainter::paintFace(painter, face, stamp);
    return image;
}

std::string filesIn(const QString &folder)
{
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)
        .join(' ')
        .toStdString();
}

// The files of Jan designed with designFront, without a back.
const std::string kFront = "Jan-back.bmp Jan.bmp Jan.crd Jan.logo.png Jan.opmaak Jan.print.png";
const std::string kBack = "Jan.achterkant.bmp Jan.achterkant.logo-2.png Jan.achterkant.logo.svg Jan.achterkant.opmaak "
                          "Jan.achterkant.print.png Jan.achterkant.rec";

class BackFiles : public DataFolderFixture {
protected:
    void SetUp() override
    {
        DataFolderFixture::SetUp();
        designFront(twoSided);
        designBack(twoSided);
        designFront(oneSided);
        ASSERT_TRUE(twoSided.hasBack());
        ASSERT_TRUE(twoSided.card().back->canvas.hasPrintCopy());
    }

    void deleteCard(const QString &name)
    {
        CardDocument doc;
        ScriptedQuestions questions;
        questions.yesNoAnswers = {true};
        OpenFileModel model(OpenFileModel::Mode::Cards, doc, questions);
        model.select(int(model.entries().indexOf(name)));
        model.deleteSelected();
        EXPECT_EQ(questions.unexpected, 0);
    }

    CardDocument twoSided;
    CardDocument oneSided;
};

} // namespace

TEST_F(BackFiles, BothSidesComeBackInAFreshDocumentWithTheFrontShown)
{
    const Card saved = twoSided.card();
    ASSERT_FALSE(CardWriter::write(twoSided, "Jan"));
    EXPECT_EQ(filesIn(cards()), "Jan-back.bmp " + kBack + " Jan.bmp Jan.crd Jan.logo.png Jan.opmaak Jan.print.png");

    CardDocument opened;
    ASSERT_TRUE(CardOpening::openCard(opened, "Jan"));
    EXPECT_EQ(opened.shownSide(), CardSide::Front);
    ASSERT_TRUE(opened.hasBack());
    const CardFace &back = *opened.card().back;
    EXPECT_EQ(CardRecord::write(back.state), CardRecord::write(saved.back->state));
    EXPECT_EQ(back.state.LayoutKind, 1);
    EXPECT_EQ(back.canvas.image(), saved.back->canvas.image());
    ASSERT_TRUE(back.canvas.hasPrintCopy());
    EXPECT_EQ(back.canvas.printImage(), saved.back->canvas.printImage());
    EXPECT_EQ(back.design, saved.back->design);

    // Neither side takes the other's files for its own.
    EXPECT_EQ(opened.card().design, saved.design);
    EXPECT_EQ(CardRecord::write(opened.card().state), CardRecord::write(saved.state));
    EXPECT_EQ(painted(opened.card(), &opened.card().stamp), painted(saved, &saved.stamp));
}

TEST_F(BackFiles, AOneSidedSaveWritesTodaysFilesAndRemovesTheBackOfAnEarlierSave)
{
    ASSERT_FALSE(CardWriter::write(twoSided, "Jan"));
    ASSERT_FALSE(CardWriter::write(oneSided, "Jan"));
    EXPECT_EQ(filesIn(cards()), kFront);
    // Opened onto a card that has a back, the one-sided card has none.
    ASSERT_TRUE(CardOpening::openCard(twoSided, "Jan"));
    EXPECT_FALSE(twoSided.hasBack());

    // Without the back's record the files of those names are no back: a card an earlier
    // version let the user name "Jan.achterkant" keeps them.
    writeBytes(cards("Jan.achterkant.crd"), "record");
    writeBytes(cards("Jan.achterkant.bmp"), "stamp");
    writeBytes(cards("Jan.achterkant.opmaak"), "design");
    ASSERT_FALSE(CardWriter::write(oneSided, "Jan"));
    EXPECT_EQ(bytesOf(cards("Jan.achterkant.bmp")), QByteArray("stamp"));
    EXPECT_EQ(bytesOf(cards("Jan.achterkant.opmaak")), QByteArray("design"));
    CardDocument opened;
    ASSERT_TRUE(CardOpening::openCard(opened, "Jan"));
    EXPECT_FALSE(opened.hasBack());
}

TEST_F(BackFiles, ALinkAmongTheBacksFilesIsReplacedOrRemovedItselfNeverFollowed)
{
    QTemporaryDir elsewhere;
    const QString target = QDir(elsewhere.path()).filePath("van-iemand-anders");
    writeBytes(target, "keep me");
    QDir().mkpath(cards());
    for (const char *file : {"Jan.achterkant.rec", "Jan.achterkant.bmp", "Jan.achterkant.logo.svg"})
        ASSERT_TRUE(QFile::link(target, cards(file)));
    ASSERT_FALSE(CardWriter::write(twoSided, "Jan"));
    EXPECT_EQ(bytesOf(target), QByteArray("keep me"));
    for (const char *file : {"Jan.achterkant.rec", "Jan.achterkant.bmp", "Jan.achterkant.logo.svg"})
        EXPECT_FALSE(QFileInfo(cards(file)).isSymLink()) << file;

    // A link standing where the back's record goes is the card's to remove.
    for (const char *file : {"Jan.achterkant.rec", "Jan.achterkant.print.png"}) {
        QFile::remove(cards(file));
        ASSERT_TRUE(QFile::link(target, cards(file)));
    }
    ASSERT_FALSE(CardWriter::write(oneSided, "Jan"));
    EXPECT_EQ(filesIn(cards()), kFront);
    EXPECT_EQ(bytesOf(target), QByteArray("keep me"));
}

TEST_F(BackFiles, DeletingTheCardRemovesItsBackAndNoOtherCardsNorWhatALinkPointsTo)
{
    QTemporaryDir elsewhere;
    const QString target = QDir(elsewhere.path()).filePath("logo.svg");
    writeBytes(target, "keep me");
    ASSERT_FALSE(CardWriter::write(twoSided, "Janneke"));
    const std::string janneke = filesIn(cards());
    ASSERT_FALSE(CardWriter::write(twoSided, "Jan"));
    for (const char *file : {"Jan.achterkant.logo.svg", "Jan.achterkant.print.png"}) {
        QFile::remove(cards(file));
        ASSERT_TRUE(QFile::link(target, cards(file)));
    }
    ASSERT_TRUE(QFile::link(target, cards("Jan.achterkant.logo-3.png")));
    deleteCard("Jan");
    EXPECT_EQ(filesIn(cards()), janneke);
    EXPECT_EQ(bytesOf(target), QByteArray("keep me"));
}

TEST_F(BackFiles, TheRecoveryCardCarriesTheBackAndKeepsItAsideWithTheRest)
{
    const QString folder = QDir(DataFolder::path()).filePath("Herstel");
    {
        // What the window keeps every minute: the card as a whole, the back included.
        Autosave autosave(twoSided, folder, std::chrono::hours(1));
        autosave.saveNow();
        autosave.waitForWrites();
    }
    EXPECT_TRUE(RecoveryFolder::isOurs(folder)) << filesIn(folder);
    CardDocument restored;
    ASSERT_TRUE(RecoveryCard::restore(restored, folder));
    ASSERT_TRUE(restored.hasBack());
    EXPECT_EQ(restored.card().back->design, twoSided.card().back->design);
    EXPECT_EQ(painted(*restored.card().back, nullptr), painted(*twoSided.card().back, nullptr));

    // A card whose back does not come back whole is not offered as whole.
    const QString backPicture = QDir(folder).filePath("Kaart.achterkant.bmp");
    const QByteArray picture = bytesOf(backPicture);
    writeBytes(backPicture, picture.left(60));
    EXPECT_FALSE(RecoveryCard::find(folder));
    writeBytes(backPicture, picture);
    ASSERT_TRUE(RecoveryCard::find(folder));

    ASSERT_TRUE(RecoveryFolder::keepAside(folder, QDateTime(QDate(2026, 12, 9), QTime(16, 5))));
    EXPECT_EQ(QDir(folder).entryList({"Kaart*"}, QDir::Files), QStringList()) << filesIn(folder);
    for (const char *file : {"Bewaard-20261209-1605.achterkant.rec", "Bewaard-20261209-1605.achterkant.logo.svg"})
        EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(file))) << file;
    EXPECT_TRUE(RecoveryFolder::isOurs(folder)) << filesIn(folder);
}

TEST_F(BackFiles, RenderDrawsTheBackWithoutStampAndRefusesACardWithoutOne)
{
    ASSERT_FALSE(CardWriter::write(twoSided, "Jan"));
    ASSERT_FALSE(CardWriter::write(oneSided, "Kaal"));
    QString errors;
    QTextStream err(&errors);
    const QString front = QDir(DataFolder::path()).filePath("voor.png");
    const QString back = QDir(DataFolder::path()).filePath("achter.png");
    ASSERT_EQ(batchRender({"Jan", front}, err), 0) << errors.toStdString();
    ASSERT_EQ(batchRender({"Jan", back, "--achterkant"}, err), 0) << errors.toStdString();
    CardDocument opened;
    ASSERT_TRUE(CardOpening::openCard(opened, "Jan"));
    EXPECT_EQ(QImage(back).convertToFormat(QImage::Format_RGB32), painted(*opened.card().back, nullptr));
    EXPECT_NE(QImage(back), QImage(front));

    const QString none = QDir(DataFolder::path()).filePath("geen.png");
    errors.clear();
    EXPECT_NE(batchRender({"Kaal", none, "--achterkant"}, err), 0);
    err.flush();
    EXPECT_EQ(errors.count('\n'), 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains("no back")) << errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(none));
}

TEST_F(BackFiles, PrintDoubleSidedReadsTheSavedBack)
{
    ASSERT_FALSE(CardWriter::write(twoSided, "Jan"));
    ASSERT_FALSE(CardWriter::write(oneSided, "Kaal"));
    QString errors;
    QTextStream err(&errors);
    const QString pdf = QDir(DataFolder::path()).filePath("jan.pdf");
    ASSERT_EQ(batchPrint({"Jan", "--output", pdf, "--dubbelzijdig", "kort"}, err), 0) << errors.toStdString();
    EXPECT_EQ(RenderedPdf::pageCount(pdf), 2);
    const QString none = QDir(DataFolder::path()).filePath("kaal.pdf");
    EXPECT_NE(batchPrint({"Kaal", "--output", none, "--dubbelzijdig", "lang"}, err), 0);
    EXPECT_FALSE(QFileInfo::exists(none));
}

TEST_F(BackFiles, TheOpenDialogListsNoBackAsACardAndPreviewsBothSidesOnlyOfACardWithABack)
{
    editCard(twoSided, [](Card &card) {
        card.canvas.image().fill(Qt::red);
        card.back->canvas.image().fill(Qt::blue);
    });
    ASSERT_FALSE(CardWriter::write(twoSided, "Jan"));
    ASSERT_FALSE(CardWriter::write(oneSided, "Kaal"));
    writeBytes(cards("Oud.achterkant.crd"), "a card of an earlier version");
    writeBytes(cards("Oud.ACHTERKANT.crd"), "the same on Windows");

    CardDocument doc;
    ScriptedQuestions questions;
    OpenFileModel model(OpenFileModel::Mode::Cards, doc, questions);
    EXPECT_EQ(model.entries(), (QStringList{"Jan", "Kaal"}));
    model.select(1);
    EXPECT_FALSE(model.showsPreview());
    model.select(0);
    ASSERT_TRUE(model.showsPreview());
    const QImage preview = model.preview();
    ASSERT_EQ(preview.size(), OpenFileModel::PreviewSize);
    // Their top-right corners, where neither side has anything drawn over its picture.
    EXPECT_EQ(preview.pixelColor(44, 13), QColor(Qt::red)) << "the front on the left";
    EXPECT_EQ(preview.pixelColor(93, 13), QColor(Qt::blue)) << "the back on the right";
    EXPECT_EQ(preview.pixelColor(47, 25).alpha(), 0) << "apart";
    EXPECT_EQ(preview.pixelColor(3, 2).alpha(), 0) << "each in its own shape";
}
