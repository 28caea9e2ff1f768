// The card's design saved with the card: N.opmaak and the logo copies, written in the
// card's one save, read back on opening, removed with the card, carried by the recovery
// card, and seen by the batch program.
#include "DataFolderFixture.h"
#include "print/RenderedPdf.h"
#include "batch/BatchCommands.h"
#include "cardfile/CardDesignFiles.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardWriter.h"
#include "cardfile/DesignFile.h"
#include "cardfile/OpenFileModel.h"
#include "cardfile/RecoveryCard.h"
#include "cardfile/RecoveryFolder.h"
#include "core/CardPainter.h"
#include "print/PdfSheetWriter.h"
#include "print/PrintedCard.h"
#include "print/SheetGeometry.h"
#include "support/CardEdit.h"
#include "support/MaskedPdf.h"
#include "support/ScriptedQuestions.h"

#include <QFileInfo>

namespace {

// As the program keeps a logo's SVG: rewritten (stamp/SvgSanitiser), which a card's own
// copy is again when it is read.
const QByteArray kSvg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><svg xmlns=\"http://www.w3.org/2000/svg\" "
                        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"40\" height=\"20\" viewBox=\"0 0 40 20\">"
                        "<rect x=\"2\" y=\"2\" width=\"36\" height=\"16\" fill=\"#1060c0\"/></svg>\n";

LogoPicture svgLogo()
{
    LogoPicture logo;
    logo.svg = kSvg;
    return logo;
}

// Every alpha from clear to opaque, in colours that premultiplying rounds.
LogoPicture pngLogo(QColor colour = QColor())
{
    QImage image(32, 24, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           colour.isValid() ? colour.rgba() : qRgba(x * 8, 255 - y * 9, 77, (x * 24 + y * 8) % 256));
    LogoPicture logo;
    logo.bitmap = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return logo;
}

PlacedObject placed(const LogoPicture &logo, const QRectF &rect)
{
    PlacedObject object;
    object.rect = rect;
    object.logo = logo;
    return object;
}

// Every field the file carries, with fractions where a drag leaves them.
CardDesign everyField()
{
    CardDesign design;
    design.lines[1].font = LineFont{QStringLiteral("Liberation Serif"), 20, true, false, true, QColor(0xc0, 0, 0)};
    design.lines[1].align = LineAlign::Centre;
    design.lines[2].align = LineAlign::Right;
    design.lines[2].offset = QPointF(12.5, -3.25);
    design.lines[4].offset = QPointF(0.1, 1.0 / 3);
    design.lines[7].font = LineFont{QStringLiteral("Liberation Sans"), 9, false, true, false, QColor(0, 128, 0, 128)};
    design.stampOffset = QPointF(-40.125, 7.1);
    design.objects = {placed(svgLogo(), QRectF(300.5, 180.25, 96, 48)), placed(pngLogo(), QRectF(-5, 200, 32.75, 24))};
    return design;
}

void fillCard(CardDocument &doc, const CardDesign &design)
{
    doc.applyLayout(2);
    for (int line = 1; line <= 7; ++line)
        doc.enterTextLine(line, QStringLiteral("Regel %1 WWW").arg(line));
    editCard(doc, [&](Card &card) { card.design = design; });
}

QByteArray pdfOf(const CardDocument &doc, const QString &path)
{
    EXPECT_TRUE(writeSheetPdf(path, PrintedCard::from(doc.card()), SheetGeometry(), 1).isPrinted());
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? maskedPdf(file.readAll()) : QByteArray();
}

// The names in folder, one string to compare and show.
std::string filesIn(const QString &folder)
{
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)
        .join(' ')
        .toStdString();
}

LineFont cardFont() { return CardPainter::cardFont(CardState()); }

DesignFile::Read readText(const QByteArray &lines)
{
    return DesignFile::read(QByteArray(DesignFile::VersionLine) + "\n" + lines, cardFont());
}

class DesignFiles : public DataFolderFixture {
protected:
    CardDesign saveAndOpen(const CardDesign &design, const QString &name = QStringLiteral("Jan"))
    {
        CardDocument doc;
        fillCard(doc, design);
        EXPECT_FALSE(CardWriter::write(doc, name).has_value());
        CardDocument opened;
        EXPECT_TRUE(CardOpening::openCard(opened, name));
        return opened.design();
    }
};

} // namespace

TEST_F(DesignFiles, EveryFieldComesBackInAFreshDocumentAndPrintsTheSame)
{
    CardDocument doc;
    fillCard(doc, everyField());
    const QByteArray before = pdfOf(doc, DataFolder::path() + "/voor.pdf");
    ASSERT_FALSE(CardWriter::write(doc, "Jan").has_value());
    EXPECT_EQ(bytesOf(cards("Jan.logo.svg")), kSvg) << "the SVG exactly as it was given";
    EXPECT_TRUE(bytesOf(cards("Jan.logo-2.png")).startsWith("\x89PNG"));
    EXPECT_TRUE(bytesOf(cards("Jan.opmaak")).startsWith("Lumovander opmaak 1\nregel.1.lettertype=Liberation Serif\n"));
    EXPECT_TRUE(bytesOf(cards("Jan.opmaak")).contains("\nregel.2.plaats=12.5;-3.25\n"));

    CardDocument opened;
    ASSERT_TRUE(CardOpening::openCard(opened, "Jan"));
    EXPECT_EQ(opened.design(), doc.design());
    EXPECT_TRUE(pdfOf(opened, DataFolder::path() + "/na.pdf") == before);
}

TEST_F(DesignFiles, ACardWithoutTheFileOpensPlainWhateverWasShownBefore)
{
    CardDocument plain;
    plain.applyLayout(2);
    ASSERT_FALSE(CardWriter::write(plain, "Kaal").has_value());
    EXPECT_EQ(filesIn(cards()), std::string("Kaal-back.bmp Kaal.bmp Kaal.crd Kaal.print.png"));

    CardDocument doc;
    fillCard(doc, everyField());
    ASSERT_TRUE(CardOpening::openCard(doc, "Kaal"));
    EXPECT_TRUE(doc.design().isPlain());
}

TEST_F(DesignFiles, DamagedValuesReadAsThePlainValueOneByOne)
{
    for (const char *bad : {"abc", "nan;0", "0;inf", "2000.5;0", "1;2;3", "1,5;2", ""}) {
        EXPECT_TRUE(readText(QByteArray("regel.3.plaats=") + bad).design.isPlain()) << bad;
        EXPECT_TRUE(readText(QByteArray("zegel.plaats=") + bad).design.isPlain()) << bad;
    }
    EXPECT_EQ(readText("regel.3.plaats=-2000;1e1").design.lines[3].offset, QPointF(-2000, 10));
    for (const char *bad : {"0", "201", "20.5", "twintig"})
        EXPECT_TRUE(readText(QByteArray("regel.3.grootte=") + bad).design.isPlain()) << bad;
    EXPECT_TRUE(readText("regel.3.uitlijning=boven\nregel.8.uitlijning=midden\nregel.3.kleur=#12345").design.isPlain());
    EXPECT_TRUE(readText("regel.3.vet=ja\nregel.3.lettertype=  \nzegel.kleur=#ffffff").design.isPlain());
    // A name that is only a byte order mark is no name either (the UTF-8 reading drops it).
    EXPECT_TRUE(readText("regel.3.lettertype=\xEF\xBB\xBF").design.isPlain());

    // A line font with some values: the card's for the rest.
    const LineFont card = cardFont();
    const auto some = readText("regel.3.vet=1\r\nregel.3.grootte=999\nregel.3.kleur=#00ff00\n").design.lines[3];
    ASSERT_TRUE(some.font.has_value());
    EXPECT_EQ(*some.font, (LineFont{card.name, card.size, true, card.italic, card.underline, QColor(0, 255, 0)}));
    const QByteArray longName(2000, 'A');
    EXPECT_EQ(readText("regel.3.lettertype=" + longName + "\nregel.3.cursief=1").design.lines[3].font->name, card.name);

    // A logo needs its place and its file.
    for (const char *place : {"1;2;0;4", "1;2;3;-4", "3000;2;3;4", "1;2;3", "1;2;3;4001"})
        EXPECT_TRUE(readText(QByteArray("logo.1.bestand=Jan.logo.svg\nlogo.1.plaats=") + place).design.objects.empty())
            << place;
    EXPECT_TRUE(readText("logo.1.plaats=1;2;3;4").design.objects.empty());
    const auto logos = readText("logo.7.plaats=1;2;3;4\nlogo.7.bestand=Jan.logo-7.png\nlogo.1000.plaats=1;2;3;4");
    ASSERT_EQ(logos.design.objects.size(), 1u);
    EXPECT_EQ(logos.design.objects[0].rect, QRectF(1, 2, 3, 4));
    EXPECT_EQ(logos.logoFiles, QStringList{"Jan.logo-7.png"});

    EXPECT_TRUE(DesignFile::read("regel.3.vet=1\n", card).design.isPlain()) << "no version line";
    EXPECT_FALSE(DesignFile::read("Lumovander opmaak 2\nregel.3.vet=1\n", card).design.isPlain()) << "a later version";
}

TEST_F(DesignFiles, GarbageAndDamagedLogosStillOpenTheCard)
{
    ASSERT_FALSE(saveAndOpen(everyField()).isPlain());
    QByteArray garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += char((i * 7919) % 251);
    writeBytes(cards("Jan.opmaak"), garbage);
    CardDocument doc;
    ASSERT_TRUE(CardOpening::openCard(doc, "Jan"));
    EXPECT_TRUE(doc.design().isPlain());

    // A logo replaced by one that fetches is read without what it fetches; a damaged
    // logo goes alone; the other one and the styles stay.
    saveAndOpen(everyField());
    writeBytes(cards("Jan.logo.svg"), "<svg><image href=\"file:///etc/passwd\"/><rect width=\"2\" height=\"2\"/></svg>");
    ASSERT_TRUE(CardOpening::openCard(doc, "Jan"));
    ASSERT_EQ(doc.design().objects.size(), everyField().objects.size());
    EXPECT_FALSE(doc.design().objects.front().logo.svg.contains("passwd"));
    EXPECT_TRUE(doc.design().objects.front().logo.svg.contains("<rect"));
    writeBytes(cards("Jan.logo.svg"), "<svg><image href=\"file:///etc/passwd\"/>");
    CardDesign expected = everyField();
    expected.objects.erase(expected.objects.begin());
    ASSERT_TRUE(CardOpening::openCard(doc, "Jan"));
    EXPECT_EQ(doc.design(), expected);
    QFile::remove(cards("Jan.logo-2.png"));
    writeBytes(cards("Jan.logo.svg"), kSvg);
    ASSERT_TRUE(CardOpening::openCard(doc, "Jan"));
    EXPECT_EQ(doc.design().objects, std::vector<PlacedObject>{everyField().objects[0]});
    EXPECT_FALSE(doc.design().objects[0].logo.drawn.isNull()) << "kept with the helper's pixels";

    // A logo replaced by a drawing that would keep the window busy for minutes is left
    // out, and the note says which and why.
    QByteArray comb = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1000 1000\"><path d=\"M0 0";
    for (int i = 0; i < 250; ++i)
        comb += " L" + QByteArray::number(i * 4 + 2) + " 1000 L" + QByteArray::number(i * 4 + 4) + " 0";
    writeBytes(cards("Jan.logo.svg"), comb + " Z\"/></svg>");
    const auto read = CardDesignFiles::readWithNotes(cards(), "Jan", cardFont());
    EXPECT_TRUE(read.design.objects.empty());
    EXPECT_EQ(read.notes.join('|').toStdString(), "\"Jan.logo.svg\" kon niet als logo worden geopend: de tekening "
                                                  "kost te veel rekenwerk (niet binnen 5 seconden en 700 MB getekend).");
}

TEST_F(DesignFiles, APlainSaveAndALogoOfTheOtherKindRemoveWhatTheEarlierSaveLeft)
{
    CardDesign design = everyField();
    saveAndOpen(design);
    std::swap(design.objects[0], design.objects[1]);
    EXPECT_EQ(saveAndOpen(design), design);
    EXPECT_EQ(filesIn(cards()),
              std::string("Jan-back.bmp Jan.bmp Jan.crd Jan.logo-2.svg Jan.logo.png Jan.opmaak Jan.print.png"));
    design.objects.pop_back();
    design.objects[0].logo = svgLogo();
    EXPECT_EQ(saveAndOpen(design), design);
    EXPECT_EQ(filesIn(cards()), std::string("Jan-back.bmp Jan.bmp Jan.crd Jan.logo.svg Jan.opmaak Jan.print.png"));
    EXPECT_TRUE(saveAndOpen(CardDesign()).isPlain());
    EXPECT_EQ(filesIn(cards()), std::string("Jan-back.bmp Jan.bmp Jan.crd Jan.print.png"));
}

TEST_F(DesignFiles, AFailedSaveLeavesTheEarlierDesignWhole)
{
    CardDesign design = everyField();
    design.objects = {placed(pngLogo(), QRectF(1, 2, 3, 4))};
    saveAndOpen(design);
    const QByteArray text = bytesOf(cards("Jan.opmaak"));
    const QByteArray png = bytesOf(cards("Jan.logo.png"));
    // The record goes last; a folder in its place fails the save after the logos moved.
    QFile::remove(cards("Jan.crd"));
    QDir().mkpath(cards("Jan.crd"));
    CardDocument doc;
    fillCard(doc, everyField());
    ASSERT_TRUE(CardWriter::write(doc, "Jan").has_value());
    EXPECT_EQ(bytesOf(cards("Jan.opmaak")), text);
    EXPECT_EQ(bytesOf(cards("Jan.logo.png")), png);
    EXPECT_EQ(filesIn(cards()), std::string("Jan-back.bmp Jan.bmp Jan.crd Jan.logo.png Jan.opmaak Jan.print.png"));
}

TEST_F(DesignFiles, ALinkInPlaceOfADesignFileIsReplacedOrRemovedItselfNeverWrittenThrough)
{
    QTemporaryDir elsewhere;
    const QString target = QDir(elsewhere.path()).filePath("van-iemand-anders");
    writeBytes(target, "keep me");
    QDir().mkpath(cards());
    ASSERT_TRUE(QFile::link(target, cards("Jan.opmaak")));
    ASSERT_TRUE(QFile::link(target, cards("Jan.logo.png")));
    CardDesign design = everyField();
    design.objects.pop_back();
    EXPECT_EQ(saveAndOpen(design), design);
    EXPECT_EQ(bytesOf(target), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo(cards("Jan.opmaak")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(cards("Jan.logo.png"))) << "the stale PNG link goes itself";

    QFile::remove(cards("Jan.opmaak"));
    ASSERT_TRUE(QFile::link(target, cards("Jan.opmaak")));
    EXPECT_TRUE(saveAndOpen(CardDesign()).isPlain());
    EXPECT_EQ(bytesOf(target), QByteArray("keep me"));
    EXPECT_EQ(filesIn(cards()), std::string("Jan-back.bmp Jan.bmp Jan.crd Jan.print.png"));
}

TEST_F(DesignFiles, DeletingTheCardRemovesItsDesignFilesAndNoOtherCardsNorWhatALinkPointsTo)
{
    QTemporaryDir elsewhere;
    const QString target = QDir(elsewhere.path()).filePath("logo.png");
    writeBytes(target, "keep me");
    saveAndOpen(everyField());
    ASSERT_TRUE(QFile::link(target, cards("Jan.logo-3.png")));
    for (const char *other : {"JAN.opmaak", "Janneke.opmaak", "Jan.logo.jpg", "Jan.logo-1.png"})
        writeBytes(cards(other), "other");

    CardDocument doc;
    ScriptedQuestions questions;
    questions.yesNoAnswers = {true};
    OpenFileModel model(OpenFileModel::Mode::Cards, doc, questions);
    model.select(int(model.entries().indexOf("Jan")));
    model.deleteSelected();
    EXPECT_EQ(filesIn(cards()), std::string("JAN.opmaak Jan.logo-1.png Jan.logo.jpg Janneke.opmaak"));
    EXPECT_EQ(bytesOf(target), QByteArray("keep me"));
}

TEST_F(DesignFiles, TheRecoveryCardCarriesTheDesign)
{
    const QString folder = QDir(DataFolder::path()).filePath("Herstel");
    CardDocument doc;
    fillCard(doc, everyField());
    ASSERT_FALSE(RecoveryCard::write(doc, folder).has_value());
    EXPECT_TRUE(RecoveryFolder::isOurs(folder)) << filesIn(folder);
    CardDocument restored;
    ASSERT_TRUE(RecoveryCard::restore(restored, folder));
    EXPECT_EQ(restored.design(), everyField());

    const auto kept = RecoveryFolder::keepAside(folder, QDateTime(QDate(2026, 12, 9), QTime(16, 5)));
    ASSERT_TRUE(kept.has_value());
    EXPECT_NE(filesIn(folder).find("Bewaard-20261209-1605.logo-2.png"), std::string::npos);
    EXPECT_TRUE(RecoveryFolder::isOurs(folder)) << filesIn(folder);
}

TEST_F(DesignFiles, TheBatchProgramRendersAndPrintsTheDesign)
{
    CardDesign design;
    design.lines[1].offset = QPointF(0, 120);
    design.objects = {placed(pngLogo(Qt::red), QRectF(300, 150, 100, 80))};
    saveAndOpen(design);
    saveAndOpen(CardDesign(), "Kaal");
    QString errors;
    QTextStream err(&errors);
    const QString jan = QDir(DataFolder::path()).filePath("jan.png");
    const QString kaal = QDir(DataFolder::path()).filePath("kaal.png");
    ASSERT_EQ(batchRender({"Jan", jan}, err), 0) << errors.toStdString();
    ASSERT_EQ(batchRender({"Kaal", kaal}, err), 0) << errors.toStdString();
    EXPECT_EQ(QImage(jan).pixelColor(350, 190), QColor(Qt::red));
    EXPECT_NE(QImage(kaal).pixelColor(350, 190), QColor(Qt::red));
    EXPECT_NE(QImage(jan).copy(0, 0, 440, 100), QImage(kaal).copy(0, 0, 440, 100)) << "line 1 moved down";

    const auto isRed = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; };
    for (const char *name : {"Jan", "Kaal"}) {
        const QString pdf = QDir(DataFolder::path()).filePath(QString(name) + ".pdf");
        ASSERT_EQ(batchPrint({name, "--output", pdf, "--folder", DataFolder::path()}, err), 0) << errors.toStdString();
        const int red = RenderedPdf::countIn(RenderedPdf::renderPage(pdf), QRectF(0, 0, 210, 297), isRed);
        if (QByteArray(name) == "Jan")
            EXPECT_GT(red, 10 * 100 * 20) << "the logo on each of the ten cards";
        else
            EXPECT_EQ(red, 0);
    }
}

// A code too long for its level is kept but draws nothing: render and print say so on
// standard error, naming what is too long, and still write their output.
TEST_F(DesignFiles, RenderAndPrintSayOnStandardErrorWhyAQrCodeStaysEmpty)
{
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = QRectF(330, 150, 97, 107);
    qr.qr.content.kind = QrKind::Text;
    qr.qr.content.text = QString(4000, u'x');
    qr.qr.encode();
    ASSERT_FALSE(qr.qr.code.isValid());
    CardDesign design;
    design.objects = {qr};
    ASSERT_EQ(saveAndOpen(design).objects.size(), size_t(1));
    for (const bool render : {true, false}) {
        QString errors;
        QTextStream err(&errors);
        const QString out = QDir(DataFolder::path()).filePath(render ? "jan.png" : "jan.pdf");
        ASSERT_EQ(render ? batchRender({"Jan", out}, err) : batchPrint({"Jan", "--output", out}, err), 0)
            << errors.toStdString();
        err.flush();
        EXPECT_TRUE(errors.startsWith(QStringLiteral("lumovander-batch %1: waarschuwing: De QR-code blijft leeg")
                                          .arg(render ? "render" : "print")))
            << errors.toStdString();
        EXPECT_TRUE(errors.contains(QStringLiteral("De tekst is 4.000 tekens lang"))) << errors.toStdString();
        EXPECT_TRUE(QFileInfo(out).size() > 0);
    }
}

TEST_F(DesignFiles, AQrCodeComesBackBetweenTheLogosWithItsTextLevelColourAndFollowedLines)
{
    CardDesign design;
    design.objects.push_back(placed(svgLogo(), QRectF(300, 20, 90, 45)));
    PlacedObject qr;
    qr.kind = PlacedObject::Kind::Qr;
    qr.rect = QRectF(330.25, 160, 88, 97.2);
    qr.qr.content.kind = QrKind::Text;
    qr.qr.content.text = QStringLiteral("Regel één\\nmet \\\\ en\nregelovergang; €");
    qr.qr.content.contact.naam = QStringLiteral("José Müller");
    qr.qr.content.contact.adres = QStringLiteral("Kerkstraat 1\n1234 AB Plaats");
    qr.qr.follows[size_t(ContactField::Naam)] = {1};
    qr.qr.follows[size_t(ContactField::Adres)] = {4, 5};
    qr.qr.level = QrLevel::Q;
    qr.qr.inTextColour = true;
    qr.qr.encode();
    design.objects.push_back(qr);
    design.objects.push_back(placed(pngLogo(Qt::blue), QRectF(20, 200, 40, 40)));

    const CardDesign opened = saveAndOpen(design);
    EXPECT_EQ(opened, design);
    EXPECT_TRUE(QFile::exists(cards("Jan.logo.svg")));
    EXPECT_TRUE(QFile::exists(cards("Jan.logo-2.png"))) << filesIn(cards(QString()));

    // A damaged value is that value's default; a code without its place is left out.
    const DesignFile::Read read = readText("qr.1.niveau=X\nqr.1.soort=vreemd\nqr.1.plaats=1;2;30;30\n"
                                           "qr.1.naam.regels=9\nqr.2.tekst=zonder plaats\n");
    ASSERT_EQ(read.design.objects.size(), 1u);
    EXPECT_EQ(read.design.objects[0].qr.level, QrLevel::M);
    EXPECT_EQ(read.design.objects[0].qr.content.kind, QrKind::Contact);
    EXPECT_TRUE(read.design.objects[0].qr.follows[size_t(ContactField::Naam)].isEmpty());
}

// A design file may list 999 logos naming one picture: the card keeps the first
// CardDesign::MaxObjects, all sharing the one decoding of the file, and says so.
TEST_F(DesignFiles, NineHundredNinetyNineEntriesForOnePictureKeepTheCapAndShareOneDecoding)
{
    CardDesign design;
    design.objects = {placed(pngLogo(), QRectF(10, 10, 32, 24))};
    saveAndOpen(design);
    QByteArray text = QByteArray(DesignFile::VersionLine) + "\n";
    for (int k = 1; k <= DesignFile::MaxLogos; ++k)
        text += "logo." + QByteArray::number(k) + ".bestand=Jan.logo.png\nlogo." + QByteArray::number(k)
            + ".plaats=" + QByteArray::number(k % 400) + ";10;32;24\n";
    writeBytes(cards("Jan.opmaak"), text);

    CardDocument doc;
    const CardOpening::Opened opened = CardOpening::openCard(doc, "Jan");
    ASSERT_TRUE(opened);
    const auto &objects = doc.design().objects;
    ASSERT_EQ(objects.size(), size_t(CardDesign::MaxObjects));
    EXPECT_EQ(objects.back().rect, QRectF(CardDesign::MaxObjects, 10, 32, 24)) << "the first ones, in order";
    for (const PlacedObject &object : objects)
        EXPECT_EQ(object.logo.bitmap.cacheKey(), objects.front().logo.bitmap.cacheKey()) << "decoded once, shared";
    ASSERT_EQ(opened.notes.size(), 1);
    EXPECT_TRUE(opened.notes.first().contains(QStringLiteral("%1 logo's en QR-codes meer dan de %2")
                                                  .arg(DesignFile::MaxLogos - CardDesign::MaxObjects)
                                                  .arg(CardDesign::MaxObjects)))
        << opened.notes.first().toStdString();

    // Saved again, the shared picture stays one file, named by every object.
    ASSERT_FALSE(CardWriter::write(doc, "Jan").has_value());
    EXPECT_EQ(filesIn(cards()), std::string("Jan-back.bmp Jan.bmp Jan.crd Jan.logo.png Jan.opmaak Jan.print.png"));
    EXPECT_EQ(bytesOf(cards("Jan.opmaak")).count("bestand=Jan.logo.png\n"), CardDesign::MaxObjects);
    CardDocument again;
    const CardOpening::Opened reopened = CardOpening::openCard(again, "Jan");
    EXPECT_TRUE(reopened.notes.isEmpty());
    EXPECT_EQ(again.design(), doc.design());
}

// The pictures of a card together have a budget; each file counts once, and what does not
// fit is left out by name. The open dialog shows the note.
TEST_F(DesignFiles, LogosBeyondTheCardsBudgetAreLeftOutByNameEachFileCountedOnce)
{
    CardDesign design;
    design.objects = {placed(pngLogo(Qt::red), QRectF(0, 0, 32, 24)), placed(pngLogo(Qt::blue), QRectF(50, 0, 32, 24))};
    saveAndOpen(design);
    writeBytes(cards("Jan.opmaak"), QByteArray(DesignFile::VersionLine) + "\n"
                                        "logo.1.bestand=Jan.logo.png\nlogo.1.plaats=0;0;32;24\n"
                                        "logo.2.bestand=Jan.logo.png\nlogo.2.plaats=10;0;32;24\n"
                                        "logo.3.bestand=Jan.logo-2.png\nlogo.3.plaats=50;0;32;24\n");
    const qint64 onePicture = 32 * 24 * 4;
    const auto read = CardDesignFiles::readWithNotes(cards(), "Jan", cardFont(), onePicture + onePicture / 2);
    ASSERT_EQ(read.design.objects.size(), size_t(2)) << "the first picture twice, the second not";
    EXPECT_EQ(read.design.objects[1].rect, QRectF(10, 0, 32, 24));
    ASSERT_EQ(read.notes.size(), 1);
    EXPECT_TRUE(read.notes.first().contains(QStringLiteral("weggelaten: Jan.logo-2.png."))) << read.notes.first().toStdString();
    EXPECT_EQ(CardDesignFiles::readWithNotes(cards(), "Jan", cardFont(), 2 * onePicture).design.objects.size(), size_t(3));

    ScriptedQuestions questions;
    CardDocument doc;
    OpenFileModel model(OpenFileModel::Mode::Cards, doc, questions);
    QByteArray oneTooMany = QByteArray(DesignFile::VersionLine) + "\n";
    for (int k = 1; k <= CardDesign::MaxObjects + 1; ++k)
        oneTooMany += "logo." + QByteArray::number(k) + ".bestand=Jan.logo.png\nlogo." + QByteArray::number(k)
            + ".plaats=0;0;32;24\n";
    writeBytes(cards("Jan.opmaak"), oneTooMany);
    model.select(0);
    ASSERT_TRUE(model.accept());
    ASSERT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(questions.messages.first().contains(QStringLiteral("1 logo's en QR-codes meer dan de 64")))
        << questions.messages.first().toStdString();
    EXPECT_EQ(doc.design().objects.size(), size_t(CardDesign::MaxObjects));
}
