#include "batch/BatchCommands.h"
#include "batch/BatchPrintCommand.h"
#include "cardfile/CardOpening.h"
#include "cardfile/CardWriter.h"
#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "print/PdfSheetWriter.h"
#include "print/SheetGeometry.h"
#include "print/TeamFaces.h"
#include "support/CardEdit.h"
#include "support/MaskedPdf.h"
#include "RenderedPdf.h"
#include "../qr/QrReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A team printed from a CSV file as a Dutch spreadsheet writes it: each slot holds its
// person's name, and its QR code that person's contact.
class BatchTeam : public testing::Test {
protected:
    void SetUp() override
    {
        DataFolder::setOverride(folder.path());
        CardDocument document;
        editCard(document, [](Card &card) {
            card.state.TextLines = {QString(),
                                    QStringLiteral("Naam"),
                                    QStringLiteral("Functie"),
                                    QStringLiteral("naam@bakker.nl"),
                                    QStringLiteral("Bakker & Zonen"),
                                    QStringLiteral("Dorpsstraat 1"),
                                    QStringLiteral("1234 AB Ergens"),
                                    QString()};
            PlacedObject code;
            code.kind = PlacedObject::Kind::Qr;
            code.rect = QRectF(300, 120, 120, 120);
            code.qr = QrObject::fromLines(card.state.TextLines);
            card.design.objects.push_back(code);
        });
        ASSERT_FALSE(CardWriter::write(document, QStringLiteral("Team")).has_value());
    }
    void TearDown() override { DataFolder::setOverride(QString()); }

    QString team(int people)
    {
        QByteArray csv = "Naam;Functie;E-mail\r\n";
        for (int person = 1; person <= people; ++person)
            csv += QStringLiteral("Persoon%1;Adviseur;p%1@bakker.nl\r\n").arg(person, 2, 10, QLatin1Char('0')).toLatin1();
        const QString path = folder.filePath(QStringLiteral("team.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(csv);
        return path;
    }

    int run(const QStringList &options)
    {
        errors.clear();
        QTextStream err(&errors);
        return batchPrint(QStringList{QStringLiteral("Team"), QStringLiteral("--output"), pdf,
                                      QStringLiteral("--no-correction")}
                              + options,
                          err);
    }

    // Per slot of a page: the person's name found there, or "" for an empty slot.
    QStringList namesInSlots(int page)
    {
        const SheetGeometry sheet;
        QStringList names(sheet.cardCorners().size());
        for (const PdfWord &word : RenderedPdf::words(pdf, page))
            for (int slot = 0; slot < names.size(); ++slot)
                if (word.text.startsWith(QStringLiteral("Persoon"))
                    && QRectF(sheet.cardCorners()[slot], QSizeF(sheet.cardWidth, sheet.cardHeight))
                           .contains(word.box.center()))
                    names[slot] += word.text;
        return names;
    }

    QTemporaryDir folder;
    QString pdf = folder.filePath(QStringLiteral("team.pdf"));
    QString errors;
};

QString person(int number)
{
    return QStringLiteral("Persoon%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

TEST_F(BatchTeam, TwelvePeopleFromTheFourthSlotFillTheRestOfOneSheetAndHalfTheNext)
{
    ASSERT_EQ(run({QStringLiteral("--gegevens"), team(12), QStringLiteral("--begin"), QStringLiteral("4")}), 0)
        << errors.toStdString();
    ASSERT_EQ(RenderedPdf::pageCount(pdf), 2);
    QStringList first(3), second;
    for (int p = 1; p <= 7; ++p)
        first << person(p);
    for (int p = 8; p <= 12; ++p)
        second << person(p);
    second << QString() << QString() << QString() << QString() << QString();
    EXPECT_EQ(namesInSlots(1), first);
    EXPECT_EQ(namesInSlots(2), second);

    // Each slot's code is its own person's contact, not the card's nor a neighbour's.
    const SheetGeometry sheet;
    const QImage page = RenderedPdf::renderPage(pdf, 2);
    for (int slot : {0, 4}) {
        const QPointF corner = sheet.cardCorners()[slot] * RenderedPdf::PixelsPerMm;
        const QRect card(corner.toPoint(), QSizeF(sheet.cardWidth * RenderedPdf::PixelsPerMm,
                                                  sheet.cardHeight * RenderedPdf::PixelsPerMm).toSize());
        const ReadCode code = readQrCode(page.copy(card));
        ASSERT_TRUE(code.found) << slot;
        EXPECT_TRUE(code.bytes.contains("FN:" + person(8 + slot).toUtf8())) << code.bytes.constData();
        EXPECT_TRUE(code.bytes.contains(QStringLiteral("p%1@bakker.nl").arg(8 + slot, 2, 10, QLatin1Char('0')).toUtf8()))
            << code.bytes.constData();
    }
}

TEST_F(BatchTeam, CardsOfEachPersonSitSideBySideAndTheSetRepeats)
{
    ASSERT_EQ(run({QStringLiteral("--gegevens"), team(3), QStringLiteral("--per-persoon"), QStringLiteral("2"),
                   QStringLiteral("--copies"), QStringLiteral("2")}),
              0)
        << errors.toStdString();
    ASSERT_EQ(RenderedPdf::pageCount(pdf), 2);
    EXPECT_EQ(namesInSlots(1), (QStringList{person(1), person(1), person(2), person(2), person(3), person(3),
                                            person(1), person(1), person(2), person(2)}));
    EXPECT_EQ(namesInSlots(2).mid(0, 3), (QStringList{person(3), person(3), QString()}));
}

TEST_F(BatchTeam, AFileThatCannotBeReadWritesNothingAndPerPersonNeedsData)
{
    const QString broken = folder.filePath(QStringLiteral("kapot.csv"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Naam;Functie\r\n\"Jan;Directeur\r\n");
    file.close();
    EXPECT_EQ(run({QStringLiteral("--gegevens"), broken}), 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("kapot.csv"))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("regel 2"))) << errors.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(run({QStringLiteral("--per-persoon"), QStringLiteral("2")}), 2);
    EXPECT_FALSE(QFile::exists(pdf));
}

// One person's lines too long for any code: the sheet is written, and the warning names
// that person only.
TEST_F(BatchTeam, ACodeThatHoldsNothingForOnePersonNamesThem)
{
    const QString path = folder.filePath(QStringLiteral("lang.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Naam;Functie;E-mail\r\nAnna Bakker;Adviseur;anna@bakker.nl\r\nBert Smit;" + QByteArray(3000, 'x')
               + ";bert@bakker.nl\r\n");
    file.close();
    ASSERT_EQ(run({QStringLiteral("--gegevens"), path}), 0) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("waarschuwing: Bert Smit: "))) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("Anna"))) << errors.toStdString();
    EXPECT_EQ(errors.count(QStringLiteral("waarschuwing")), 1) << errors.toStdString();
}

// A card saved with its team prints that team, with the mapping and the people left out
// as saved, without naming a file.
TEST_F(BatchTeam, ACardSavedWithItsTeamPrintsThatTeam)
{
    CardDocument document;
    editCard(document, [](Card &card) {
        card.state.TextLines[1] = QStringLiteral("Naam");
        CardTeam team;
        team.data.headers = {QStringLiteral("Functie"), QStringLiteral("Naam")};
        for (int p = 1; p <= 3; ++p)
            team.data.rows.append({QStringLiteral("Adviseur"), person(p)});
        team.mapping.lines[0] = LineSource::ofColumn(1);
        team.leftOut = {1};
        card.team = team;
    });
    ASSERT_FALSE(CardWriter::write(document, QStringLiteral("Team")).has_value());
    ASSERT_EQ(run({QStringLiteral("--per-persoon"), QStringLiteral("2")}), 0) << errors.toStdString();
    EXPECT_EQ(namesInSlots(1), (QStringList{person(1), person(1), person(3), person(3), QString(), QString(),
                                            QString(), QString(), QString(), QString()}));
}

// Printed on both sides, each person's back, with a code of that person's own, lies
// behind that person's front: the long edge turns the sheet's columns over.
TEST_F(BatchTeam, EachPersonsBackLiesBehindTheirOwnFront)
{
    CardDocument document;
    editCard(document, [](Card &card) {
        card.state.TextLines = {QString(), QStringLiteral("Naam"), QStringLiteral("Functie"),
                                QStringLiteral("naam@bakker.nl"), QString(), QString(), QString(), QString()};
        card.back = CardFace::blankBack(card.front());
        PlacedObject code;
        code.kind = PlacedObject::Kind::Qr;
        code.rect = QRectF(140, 60, 150, 150);
        code.qr = QrObject::fromLines(card.state.TextLines);
        card.back->design.objects.push_back(code);
    });
    ASSERT_FALSE(CardWriter::write(document, QStringLiteral("Team")).has_value());
    ASSERT_EQ(run({QStringLiteral("--gegevens"), team(12), QStringLiteral("--begin"), QStringLiteral("4"),
                   QStringLiteral("--dubbelzijdig"), QStringLiteral("lang")}),
              0)
        << errors.toStdString();
    ASSERT_EQ(RenderedPdf::pageCount(pdf), 4);
    EXPECT_EQ(namesInSlots(3).mid(0, 5), (QStringList{person(8), person(9), person(10), person(11), person(12)}));

    const SheetGeometry sheet;
    // {back page, front slot, person there}: the first and last of each sheet.
    const struct {
        int page, frontSlot, person;
    } behind[] = {{2, 3, 1}, {2, 9, 7}, {4, 0, 8}, {4, 4, 12}};
    for (const auto &[page, frontSlot, who] : behind) {
        const QImage picture = RenderedPdf::renderPage(pdf, page);
        const QPointF corner = sheet.cardCorners()[frontSlot ^ 1] * RenderedPdf::PixelsPerMm;
        const QRect card(corner.toPoint(), QSizeF(sheet.cardWidth * RenderedPdf::PixelsPerMm,
                                                  sheet.cardHeight * RenderedPdf::PixelsPerMm).toSize());
        const ReadCode code = readQrCode(picture.copy(card));
        ASSERT_TRUE(code.found) << page << " " << frontSlot;
        EXPECT_TRUE(code.bytes.contains("FN:" + person(who).toUtf8())) << code.bytes.constData();
    }
}

namespace {

QByteArray maskedBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? maskedPdf(file.readAll()) : QByteArray();
}

} // namespace

// Save, reopen, print: the card printed from its files with the team saved beside it is
// the PDF the card in hand prints, fields a CSV file must quote and the user's choices
// (mapping, people left out, holes kept) included.
TEST_F(BatchTeam, ASavedTeamPrintsThePdfOfTheCardBeforeItWasSaved)
{
    CardDocument document;
    editCard(document, [](Card &card) {
        card.state.TextLines = {QString(), QStringLiteral("Naam"), QStringLiteral("Functie"),
                                QStringLiteral("Bakker & Zonen"), QStringLiteral("Adres"), QString(),
                                QStringLiteral("020-1234567"), QStringLiteral("naam@bakker.nl")};
        card.design.lines[2].font = LineFont{QStringLiteral("DejaVu Serif"), 12, false, true, false, QColor(90, 90, 90)};
        card.design.lines[2].align = LineAlign::Right;
        PlacedObject code;
        code.kind = PlacedObject::Kind::Qr;
        code.rect = QRectF(300, 120, 120, 120);
        code.qr = QrObject::fromLines(card.state.TextLines);
        card.design.objects.push_back(code);
        CardTeam team;
        team.data.headers = {QStringLiteral("Naam"), QStringLiteral("Functie"), QStringLiteral("Adres"),
                             QStringLiteral("E-mail")};
        team.data.hasHeader = true;
        team.data.rows = {
            {QStringLiteral("Jansen, Jan"), QStringLiteral(" Baas "), QStringLiteral("Dorp 1\nHoek"), QStringLiteral("jan@bakker.nl")},
            {QStringLiteral("Overgeslagen"), QStringLiteral("Weg"), QString(), QStringLiteral("weg@bakker.nl")},
            {QStringLiteral("Zoë \"Z\" Straße"), QString(), QStringLiteral("sep=;"), QStringLiteral("=1+1")},
            {QStringLiteral("Kim"), QStringLiteral("Bakker; chef"), QStringLiteral("\"Hoek\""), QString()}};
        team.mapping.lines[0] = LineSource::ofColumn(0);
        team.mapping.lines[1] = LineSource::ofColumn(1);
        team.mapping.lines[3] = LineSource::ofColumn(2);
        team.mapping.lines[5] = LineSource::empty();
        team.mapping.lines[6] = LineSource::ofColumn(3);
        team.skipEmpty = false;
        team.leftOut = {1};
        card.team = team;
    });
    const QString inHand = folder.filePath(QStringLiteral("in-de-hand.pdf"));
    TeamFaces faces(document.card());
    SheetRequest request;
    request.sheet = SheetGeometry::from(document.printSettings());
    ASSERT_TRUE(writePlanPdf(inHand, [&](int person, CardSide side) { return faces.face(person, side); },
                             request.sheet, SheetPlan::forCards(request, faces.people(), 1))
                    .isPrinted());

    ASSERT_FALSE(CardWriter::write(document, QStringLiteral("Team")).has_value());
    ASSERT_EQ(run({}), 0) << errors.toStdString();
    QStringList words;
    for (const PdfWord &word : RenderedPdf::words(pdf, 1))
        words << word.text;
    EXPECT_TRUE(words.contains(QStringLiteral("Jansen,")) && words.contains(QStringLiteral("Kim"))
                && !words.contains(QStringLiteral("Overgeslagen")))
        << words.join(u' ').toStdString();
    EXPECT_TRUE(maskedBytes(pdf) == maskedBytes(inHand));

    // Opened and saved again, it still prints the same.
    CardDocument reopened;
    ASSERT_TRUE(CardOpening::openCard(reopened, QStringLiteral("Team")));
    ASSERT_FALSE(CardWriter::write(reopened, QStringLiteral("Team")).has_value());
    ASSERT_EQ(run({}), 0) << errors.toStdString();
    EXPECT_TRUE(maskedBytes(pdf) == maskedBytes(inHand));
}

// A card without a team, printed from its first card as before and from "--begin 1",
// gives the very sheet the program printed before teams and start slots existed.
TEST_F(BatchTeam, ACardWithoutATeamPrintsTheSheetItPrintedBefore)
{
    const QString plain = QStringLiteral(LUMO_PLAIN_DATA "/stamp_left/");
    const QString cards = DataFolder::cardsFolder();
    QDir().mkpath(cards);
    for (const char *name : {"stamp_left.crd", "stamp_left-back.bmp", "stamp_left.bmp", "stamp_left.print.png"})
        ASSERT_TRUE(QFile::copy(plain + QLatin1String(name), cards + u'/' + QLatin1String(name)));
    const QByteArray before = maskedBytes(plain + QStringLiteral("stamp_left.pdf"));
    ASSERT_FALSE(before.isEmpty());
    for (const QStringList &options : {QStringList(), QStringList{QStringLiteral("--begin"), QStringLiteral("1")}}) {
        errors.clear();
        QTextStream err(&errors);
        ASSERT_EQ(batchPrint(QStringList{QStringLiteral("stamp_left"), QStringLiteral("--output"), pdf,
                                         QStringLiteral("--no-correction")}
                                 + options,
                             err),
                  0)
            << errors.toStdString();
        EXPECT_TRUE(maskedBytes(pdf) == before) << options.join(u' ').toStdString();
    }
}
