// The card-stock choice and the printer's correction in the two print dialogs, through
// the designer window: wiring only; the arithmetic is tested in test_calibration.
#include "PrintWindowFixture.h"
#include "RenderedPdf.h"
#include "print/CalibrationSheet.h"
#include "print/CorrectionFile.h"
#include "print/TemplateLibrary.h"
#include "support/CardEdit.h"
#include "TemplateFolder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>

namespace {

// The print dialogs over a blue card.
class CalibrationWindow : public PrintWindowFixture {
protected:
    void SetUp() override
    {
        PrintWindowFixture::SetUp();
        QImage canvas(440, 270, QImage::Format_RGB32);
        canvas.fill(QColor(0, 0, 255));
        editCard(doc, [&](Card &card) { card.canvas.setPicture(canvas); });
    }

    QByteArray settingsBytes() const
    {
        QFile file(settingsPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString corrections = dir.filePath(QStringLiteral("Lumovander-correctie.ini"));
};

} // namespace

TEST_F(CalibrationWindow, StockChoiceFillsTheFieldsAndEditingSwitchesBack)
{
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        auto *stock = in<QComboBox>(d, QStringLiteral("KaartpapierKeuze"));
        EXPECT_EQ(stock->currentText(), QStringLiteral("Eigen instellingen"));
        EXPECT_LT(stock->geometry().bottom(), in(d, QStringLiteral("Frame2"))->geometry().top()) << "above the fields";
        stock->setCurrentIndex(2);
        Q_EMIT stock->activated(2); // DECAdry OCC-3342: 85 x 54, margins 15 and 13.5
        auto *a = d.findChild<QLineEdit *>(QStringLiteral("MargeText(1)"));
        EXPECT_EQ(a->text(), QStringLiteral("18"));
        EXPECT_EQ(d.findChild<QLineEdit *>(QStringLiteral("MargeText(2)"))->text(), QStringLiteral("17,5"));
        EXPECT_EQ(d.findChild<QLineEdit *>(QStringLiteral("MargeText(6)"))->text(), QStringLiteral("10"));
        EXPECT_EQ(stock->currentIndex(), 2);
        retype(a, QStringLiteral("19"));
        EXPECT_EQ(stock->currentIndex(), 0) << "an edit makes them the user's own";
        stock->setCurrentIndex(2);
        Q_EMIT stock->activated(2);
        click(d, QStringLiteral("OkKnop"));
    });
    EXPECT_EQ(doc.printSettings().PrintMarginB, GeneralValue("17,5"));
    EXPECT_EQ(doc.printSettings().CardWidthMm, GeneralValue("85"));
}

// The library's sheets after the built-in ones, each with its tip; typing part of a product
// code leaves its sheets in the list, and taking one fills the fields.
TEST_F(CalibrationWindow, LibrarySheetsAreListedAndTypingFindsThem)
{
    QTemporaryDir library;
    using namespace TemplateFolder;
    ASSERT_TRUE(write(QDir(library.path()), QStringLiteral("cards-templates.xml"),
                      file(goodSheet("Sigel", "LP 795") + goodSheet("Hama", "50400") +
                           "  <Template brand=\"Sigel\" part=\"LP 796\" equiv=\"LP 795\"/>\n")));
    TemplateLibrary::useFolders({library.path()});
    const int builtIn = int(CardStock::all().size());
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        auto *stock = in<QComboBox>(d, QStringLiteral("KaartpapierKeuze"));
        ASSERT_EQ(stock->count(), 1 + builtIn + 3);
        EXPECT_EQ(stock->itemText(builtIn + 1), QStringLiteral("Hama 50400 (85 \u00d7 55 mm, 10)")) << "by brand";
        EXPECT_TRUE(stock->itemData(builtIn + 1, Qt::ToolTipRole).toString().contains(library.path()));

        retype(stock->lineEdit(), QStringLiteral("lp 79"));
        QCompleter *search = stock->completer();
        ASSERT_NE(search, nullptr);
        EXPECT_EQ(search->completionCount(), 2) << "Sigel LP 795 and LP 796, in any case";
        ASSERT_TRUE(search->popup()->isVisible());
        QTest::keyClick(search->popup(), Qt::Key_Down);
        QTest::keyClick(search->popup(), Qt::Key_Down);
        QTest::keyClick(search->popup(), Qt::Key_Return);
        EXPECT_EQ(stock->currentIndex(), builtIn + 3);
        EXPECT_EQ(stock->currentText(), QStringLiteral("Sigel LP 796 (85 \u00d7 55 mm, 10)"));
        EXPECT_EQ(d.findChild<QLineEdit *>(QStringLiteral("MargeText(1)"))->text(), QStringLiteral("17"));
        EXPECT_EQ(d.findChild<QLineEdit *>(QStringLiteral("MargeText(2)"))->text(), QStringLiteral("14,5"));
        EXPECT_EQ(stock->count(), 1 + builtIn + 3) << "nothing typed became a choice";
        click(d, QStringLiteral("OkKnop"));
    });
    EXPECT_EQ(doc.printSettings().CardHeightMm, GeneralValue("55"));
    TemplateLibrary::useFolders({});
}

TEST_F(CalibrationWindow, HostileTemplateFilesDoNotHoldUpTheDialog)
{
    QTemporaryDir user;
    TemplateFolder::writeHostileFiles(QDir(user.path()));
    ASSERT_TRUE(TemplateFolder::write(QDir(user.path()), QStringLiteral("mine.template"),
                                      TemplateFolder::file(TemplateFolder::goodSheet("Eigen", "1"))));
    TemplateLibrary::useFolders({user.path()});
    QElapsedTimer timer;
    timer.start();
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        EXPECT_LT(timer.elapsed(), 1000);
        auto *stock = in<QComboBox>(d, QStringLiteral("KaartpapierKeuze"));
        EXPECT_EQ(stock->count(), 1 + CardStock::all().size() + 1);
        EXPECT_TRUE(stock->itemText(stock->count() - 1).startsWith(QStringLiteral("Eigen 1 ")));
    });
    TemplateLibrary::useFolders({});
}

TEST_F(CalibrationWindow, ReadingsAreStoredForThisPrinterOnlyAndTheIniStaysAsItWas)
{
    const QByteArray ini = settingsBytes();
    ASSERT_FALSE(ini.isEmpty());
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("CorrectieTekst"))->text(), QStringLiteral("geen correctie"));
        retype(in<QLineEdit>(d, QStringLiteral("CorrectieText(1)")), QStringLiteral("12"));
        click(d, QStringLiteral("CorrectieOpslaanKnop"));
        ASSERT_EQ(questions.messages.size(), 1);
        EXPECT_TRUE(questions.messages.first().contains(QStringLiteral("\"Linksboven horizontaal\"")));
        EXPECT_FALSE(QFile::exists(corrections)) << "a bad reading changes nothing";

        retype(in<QLineEdit>(d, QStringLiteral("CorrectieText(1)")), QStringLiteral("1,0"));
        retype(in<QLineEdit>(d, QStringLiteral("CorrectieText(2)")), QStringLiteral("0,5"));
        retype(in<QLineEdit>(d, QStringLiteral("CorrectieText(3)")), QStringLiteral("2,0"));
        retype(in<QLineEdit>(d, QStringLiteral("CorrectieText(4)")), QStringLiteral("1,1"));
        click(d, QStringLiteral("CorrectieOpslaanKnop"));
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("CorrectieTekst"))->text(),
                  QStringLiteral("Correctie: \u22120,9 / \u22120,5 mm, 99,4 / 99,8 %"));
        click(d, QStringLiteral("CancelKnop"));
    });
    const PrinterCorrection stored = CorrectionFile::correctionFor(corrections, QStringLiteral("Testprinter"));
    EXPECT_NEAR(stored.shiftX, -0.928177, 1e-6);
    EXPECT_TRUE(CorrectionFile::correctionFor(corrections, QStringLiteral("Andere")).isNeutral());

    // The print dialog of this printer shows and applies it; another printer does not.
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("CorrectieRegel"))->text(),
                  QStringLiteral("Correctie: \u22120,9 / \u22120,5 mm, 99,4 / 99,8 %"));
        click(d, QStringLiteral("PrintKnop"));
    });
    QRectF cards = RenderedPdf::boxOf(RenderedPdf::renderPage(printerPages), QRectF(0, 0, 210, 297), isBlue);
    EXPECT_NEAR(cards.left(), stored.apply(QPointF(12, 19)).x(), 0.2);
    EXPECT_NEAR(cards.top(), stored.apply(QPointF(12, 19)).y(), 0.2);

    printer.name = QStringLiteral("Andere");
    withDialog(QStringLiteral("FilePrint"), [&](QDialog &d) {
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("CorrectieRegel"))->text(), QStringLiteral("geen correctie"));
        click(d, QStringLiteral("PrintKnop"));
    });
    cards = RenderedPdf::boxOf(RenderedPdf::renderPage(printerPages), QRectF(0, 0, 210, 297), isBlue);
    EXPECT_NEAR(cards.left(), 12, 0.2);
    EXPECT_NEAR(cards.top(), 19, 0.2);

    printer.name = QStringLiteral("Testprinter");
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        click(d, QStringLiteral("WissenKnop"));
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("CorrectieTekst"))->text(), QStringLiteral("geen correctie"));
    });
    EXPECT_TRUE(CorrectionFile::correctionFor(corrections, QStringLiteral("Testprinter")).isNeutral());
    EXPECT_EQ(settingsBytes(), ini) << "Lumovander.ini is not touched by corrections";
}

TEST_F(CalibrationWindow, TestPagePrintsTheFieldsAsTheyStandWithoutCorrection)
{
    ASSERT_TRUE(CorrectionFile::store(corrections, QStringLiteral("Testprinter"), PrinterCorrection{5, 5, 1, 1}));
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        retype(d.findChild<QLineEdit *>(QStringLiteral("MargeText(1)")), QStringLiteral("20"));
        click(d, QStringLiteral("TestpaginaKnop"));
    });
    EXPECT_EQ(doc.printSettings().PrintMarginA, GeneralValue(15)) << "the test page does not confirm the fields";
    ASSERT_EQ(RenderedPdf::pageCount(printerPages), 1);
    QStringList texts;
    for (const PdfWord &w : RenderedPdf::words(printerPages))
        texts << w.text;
    EXPECT_TRUE(texts.contains(QStringLiteral("Testprinter")));
    // The first card's outline lies at (A - 3, B - 4) = (17, 19), not corrected.
    const QImage page = RenderedPdf::renderPage(printerPages);
    auto ink = [](QRgb c) { return qGray(c) < 200; };
    EXPECT_NEAR(RenderedPdf::boxOf(page, QRectF(14, 30, 6, 1), ink).center().x(), 17, 0.2) << "left edge";
    EXPECT_NEAR(RenderedPdf::boxOf(page, QRectF(40, 16, 1, 6), ink).center().y(), 19, 0.2) << "top edge";
}

// The backs' readings become the backs' correction for this printer and the edge chosen;
// the fronts' correction and the other edge's stay as they were.
TEST_F(CalibrationWindow, BackReadingsAreStoredForThisPrinterAndEdgeAndTheFrontsStay)
{
    const PrinterCorrection front{1, -1, 1, 1};
    ASSERT_TRUE(CorrectionFile::store(corrections, QStringLiteral("Testprinter"), front));
    const auto backOf = [&](const QString &printer, CorrectionFile::FlipEdge edge) {
        return CorrectionFile::backCorrectionFor(corrections, printer, edge);
    };
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        auto *text = in<QLabel>(d, QStringLiteral("AchterkantTekst"));
        EXPECT_EQ(text->text(), QStringLiteral("Achterkant: geen correctie"));
        in<QComboBox>(d, QStringLiteral("OmslaanKeuze"))->setCurrentIndex(1); // the short edge
        retype(in<QLineEdit>(d, QStringLiteral("AchterkantText(3)")), QStringLiteral("11"));
        click(d, QStringLiteral("AchterkantOpslaanKnop"));
        ASSERT_EQ(questions.messages.size(), 1);
        EXPECT_TRUE(questions.messages.first().contains(QStringLiteral("\"Rechtsonder horizontaal\"")));

        const QStringList typed{QStringLiteral("0,8"), QStringLiteral("-0,4"), QStringLiteral("1,2"),
                                QStringLiteral("0")};
        for (int field = 1; field <= 4; ++field)
            retype(in<QLineEdit>(d, QStringLiteral("AchterkantText(%1)").arg(field)), typed[field - 1]);
        click(d, QStringLiteral("AchterkantOpslaanKnop"));
        const PrinterCorrection expected = CalibrationSheet::backCorrection(
            {QPointF(0.8, -0.4), QPointF(1.2, 0)}, SheetGeometry::from(doc.printSettings()), Duplex::ShortEdge);
        ASSERT_FALSE(expected.isNeutral());
        EXPECT_EQ(backOf(QStringLiteral("Testprinter"), CorrectionFile::FlipEdge::Short), expected);
        EXPECT_EQ(text->text(), expected.backCaption());
        in<QComboBox>(d, QStringLiteral("OmslaanKeuze"))->setCurrentIndex(0);
        EXPECT_EQ(text->text(), QStringLiteral("Achterkant: geen correctie")) << "the long edge has none";
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("CorrectieTekst"))->text(), front.caption());
    });
    EXPECT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(backOf(QStringLiteral("Testprinter"), CorrectionFile::FlipEdge::Long).isNeutral());
    EXPECT_TRUE(backOf(QStringLiteral("Andere"), CorrectionFile::FlipEdge::Short).isNeutral());
    EXPECT_EQ(CorrectionFile::correctionFor(corrections, QStringLiteral("Testprinter")), front);

    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        in<QComboBox>(d, QStringLiteral("OmslaanKeuze"))->setCurrentIndex(1);
        click(d, QStringLiteral("AchterkantWissenKnop"));
        EXPECT_EQ(in<QLabel>(d, QStringLiteral("AchterkantTekst"))->text(), QStringLiteral("Achterkant: geen correctie"));
    });
    EXPECT_TRUE(backOf(QStringLiteral("Testprinter"), CorrectionFile::FlipEdge::Short).isNeutral());
    EXPECT_EQ(CorrectionFile::correctionFor(corrections, QStringLiteral("Testprinter")), front);
}

// The double-sided test page: on a printer with a duplex unit one document of the front
// (under the fronts' correction) and the back (under none), its sides set to the edge
// chosen; on one without, the long edge by hand, the back only after Yes, and the short
// edge refused.
TEST_F(CalibrationWindow, DuplexTestPageIsOneJobOfFrontAndBackForTheEdgeChosen)
{
    const PrinterCorrection front{2, 0, 1, 1};
    ASSERT_TRUE(CorrectionFile::store(corrections, QStringLiteral("Testprinter"), front));
    ASSERT_TRUE(CorrectionFile::storeBack(corrections, QStringLiteral("Testprinter"), CorrectionFile::FlipEdge::Long,
                                          PrinterCorrection{3, 3, 1, 1}));
    const SheetGeometry sheet = SheetGeometry::from(doc.printSettings());
    const CalibrationSheet::Corners marks = CalibrationSheet::duplexMarks(sheet);
    const QPointF corner = sheet.cardCorners().first();
    const auto ink = [](QRgb c) { return qGray(c) < 200; };
    printer.duplexUnit = true;
    for (const Duplex edge : {Duplex::ShortEdge, Duplex::LongEdge}) {
        const char *named = edge == Duplex::LongEdge ? "long" : "short";
        withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
            in<QComboBox>(d, QStringLiteral("OmslaanKeuze"))->setCurrentIndex(edge == Duplex::ShortEdge ? 1 : 0);
            click(d, QStringLiteral("TestpaginaDubbelzijdig"));
        });
        ASSERT_EQ(printer.preparedSides.constLast(), edge) << named;
        ASSERT_EQ(RenderedPdf::pageCount(printerPages), 2) << named;
        QStringList words;
        for (const PdfWord &w : RenderedPdf::words(printerPages, 1))
            words << w.text;
        EXPECT_TRUE(words.contains(QStringLiteral("dubbelzijdig,"))) << words.join(' ').toStdString();
        const QImage one = RenderedPdf::renderPage(printerPages, 1), two = RenderedPdf::renderPage(printerPages, 2);
        EXPECT_NEAR(RenderedPdf::boxOf(one, QRectF(corner.x() - 1, corner.y() + 10, 6, 1), ink).center().x(),
                    corner.x() + front.shiftX, 0.2)
            << named << ": the front under the fronts' correction";
        for (const QPointF &mark : {marks.topLeft, marks.bottomRight}) {
            const QPointF behind = edge == Duplex::LongEdge ? QPointF(210 - mark.x(), mark.y())
                                                            : QPointF(mark.x(), 297 - mark.y());
            const QPointF cross = RenderedPdf::boxOf(two, QRectF(behind - QPointF(7, 7), QSizeF(14, 14)), ink).center();
            EXPECT_NEAR(cross.x(), behind.x(), 0.2) << named << ": the back under no correction";
            EXPECT_NEAR(cross.y(), behind.y(), 0.2) << named;
        }
    }
    EXPECT_EQ(printer.preparedCopies, QList<int>({1, 1}));
    EXPECT_TRUE(questions.asked.isEmpty());

    printer.duplexUnit = false;
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) { click(d, QStringLiteral("TestpaginaDubbelzijdig")); });
    EXPECT_EQ(printer.preparedSides.mid(2), QList<Duplex>({Duplex::FrontOnly})) << "the back only after Yes";
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_TRUE(questions.asked.first().startsWith(TurnStackTitle + QLatin1Char('|')));
    EXPECT_EQ(RenderedPdf::pageCount(printerPages), 1);
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) {
        in<QComboBox>(d, QStringLiteral("OmslaanKeuze"))->setCurrentIndex(1);
        click(d, QStringLiteral("TestpaginaDubbelzijdig"));
    });
    EXPECT_EQ(printer.preparedSides.size(), 3) << "the short edge by hand is refused";
    ASSERT_EQ(questions.messages.size(), 1);
    EXPECT_TRUE(questions.messages.first().contains(QStringLiteral("omslaan over de lange kant")));

    printer.toFile = true;
    const QString pdf = dir.filePath(QStringLiteral("dubbel.pdf"));
    questions.saveFileAnswers.push_back(pdf);
    withDialog(QStringLiteral("FileMarges"), [&](QDialog &d) { click(d, QStringLiteral("TestpaginaDubbelzijdig")); });
    EXPECT_EQ(RenderedPdf::pageCount(pdf), 2) << "a PDF gets both pages";
}
