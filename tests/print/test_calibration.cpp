// Card-stock presets, the calibration sheet and the printer's correction, measured on
// real PDF files read back with poppler.
#include "core/CardDocument.h"
#include "print/CalibrationSheet.h"
#include "print/CardStock.h"
#include "print/CorrectionFile.h"
#include "print/CorrectionForm.h"
#include "print/MarginsForm.h"
#include "print/PdfSheetWriter.h"
#include "print/TemplateLibrary.h"
#include "MarkedCard.h"
#include "RenderedPdf.h"
#include "TemplateFolder.h"
#include "support/CardEdit.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace MarkedCard;
using namespace RenderedPdf;

namespace {

constexpr int Fine = 50; // pixels per mm where a position must hold to 0.1 mm

bool isPrinted(QRgb c) { return qGray(c) < 230; }

PrintedCard markedCard()
{
    CardDocument document;
    document.setCanvasPicture(QStringLiteral("Test"), MarkedCard::canvas());
    document.applyLayout(2);
    QImage stamp(document.stamp().image().size(), QImage::Format_RGB32);
    stamp.fill(QColor(0, 200, 0));
    editCard(document, [&](Card &card) {
        card.stamp.setPicture(stamp);
        CardState &s = card.state;
        for (int i = 1; i <= 7; ++i)
            s.TextLines[i] = QStringLiteral("Lijn%1").arg(i);
        s.CardBorder = true;
        s.BorderColorR = 255;
        s.BorderColorG = 0;
        s.BorderColorB = 0;
    });
    return PrintedCard::from(document.card());
}

QPointF cornerNear(const QString &pdf, QPointF expected)
{
    return boxOf(renderWindow(pdf, QRectF(expected - QPointF(1, 1), QSizeF(3, 3)), Fine), isMagenta).topLeft();
}

void expectNear(QPointF actual, QPointF expected, double tolerance, const std::string &what)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance) << what;
    EXPECT_NEAR(actual.y(), expected.y(), tolerance) << what;
}

// The centres of the dark lines crossing one row (across) or one column (down) of a
// window, in page millimetres along that row or column.
QList<double> lineCentres(const Window &w, bool across, double atMm)
{
    QList<double> centres;
    const int n = across ? w.image.width() : w.image.height();
    const int fixed = int((atMm - (across ? w.mm.top() : w.mm.left())) * w.pixelsPerMm);
    double weight = 0;
    double moment = 0;
    for (int i = 0; i <= n; ++i) {
        const int ink = (i < n) ? 255 - qGray(across ? w.image.pixel(i, fixed) : w.image.pixel(fixed, i)) : 0;
        if (ink > 40) {
            weight += ink;
            moment += ink * (i + 0.5);
        } else if (weight > 0) {
            centres << (across ? w.mm.left() : w.mm.top()) + moment / weight / w.pixelsPerMm;
            weight = moment = 0;
        }
    }
    return centres;
}

QList<double> expectedTicks(double from, double to)
{
    QList<double> ticks;
    for (double t = from; t <= to + 1e-9; t += CalibrationSheet::TickStepMm)
        ticks << t;
    return ticks;
}

void expectLinesAt(const QList<double> &measured, const QList<double> &expected, const std::string &what)
{
    ASSERT_EQ(measured.size(), expected.size()) << what;
    for (qsizetype i = 0; i < measured.size(); ++i)
        EXPECT_NEAR(measured[i], expected[i], 0.1) << what << " line " << i;
}

class Calibration : public testing::Test {
protected:
    QString pdf(const QString &name) { return folder.filePath(name); }
    QTemporaryDir folder;
};

// Through the margins form, as the dialog fills and confirms it: printed, every card of
// the sheet lies on its cut corner and the last one ends where its cut ends.
void expectCardsOnTheirCuts(const MarginsForm &offering, int choice, const QString &file)
{
    const CardStock &stock = offering.stocks().at(choice - 1);
    const std::string name = stock.caption().toStdString();
    MarginsForm form(offering);
    form.chooseStock(choice);
    for (int field = 1; field <= MarginsForm::FieldCount; ++field)
        ASSERT_FALSE(form.fieldText(field).isEmpty()) << name << " field " << field;
    PrintSettings settings;
    form.confirm(settings);

    ASSERT_TRUE(writeSheetPdf(file, markedCard(), SheetGeometry::from(settings), 1).isPrinted());
    const QList<QRectF> cuts = stock.cutRectangles();
    ASSERT_EQ(cuts.size(), stock.cards);
    const QImage page = renderPage(file); // 0.1 mm pixels serve a 0.2 mm tolerance
    for (const QRectF &cut : cuts) {
        const QRectF block = boxOf(page, QRectF(cut.topLeft() - QPointF(1, 1), QSizeF(3, 3)), isMagenta);
        expectNear(block.topLeft(), cut.topLeft(), 0.2, name);
    }
    const QRectF all = boxOf(page, QRectF(0, 0, 210, 297), isPrinted);
    expectNear(all.bottomRight(), cuts.last().bottomRight(), 0.2, name + " last card's end");
}

} // namespace

TEST_F(Calibration, EveryStockPresetPutsEachCardOnItsCutCorner)
{
    const MarginsForm builtIn(PrintSettings(), QLocale(QLocale::Dutch, QLocale::Netherlands), CardStock::all());
    for (int choice = 1; choice <= CardStock::all().size(); ++choice)
        expectCardsOnTheirCuts(builtIn, choice, pdf(QStringLiteral("stock%1.pdf").arg(choice)));
}

// A sheet of the template library, written in points as much of it is: chosen, printed
// and measured with the test page as a built-in one.
TEST_F(Calibration, ALibrarySheetPrintsAndCalibratesAsABuiltInOne)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    QTemporaryDir library;
    ASSERT_TRUE(TemplateFolder::write(
        QDir(library.path()), QStringLiteral("pearl-templates.xml"),
        TemplateFolder::file(TemplateFolder::sheet(
            "Sattleford", "VM-6253", "width=\"240.945pt\" height=\"153.071pt\"",
            TemplateFolder::layout("nx=\"2\" ny=\"5\" x0=\"46.7717pt\" y0=\"17.0079pt\" dx=\"255.118pt\" "
                                   "dy=\"157.323pt\"")))));
    const QList<CardStock> offered =
        TemplateLibrary::combined(CardStock::all(), TemplateLibrary::read({library.path()}).stocks);
    ASSERT_EQ(offered.size(), CardStock::all().size() + 1);
    const int choice = int(offered.size());
    const MarginsForm form(PrintSettings(), dutch, offered);
    EXPECT_EQ(form.stockChoices().last(), QStringLiteral("Sattleford VM-6253 (85 \u00d7 54 mm, 10)"));
    expectCardsOnTheirCuts(form, choice, pdf(QStringLiteral("library.pdf")));

    MarginsForm chosen(form);
    chosen.chooseStock(choice);
    PrintSettings settings;
    chosen.confirm(settings);
    EXPECT_EQ(MarginsForm(settings, dutch, offered).stockChoice(), choice) << "reopened, the dialog shows the sheet";

    // The test page's rulers cross at the first card's cut corner and the last card's end,
    // and its outlines lie on the cuts.
    const SheetGeometry sheet = SheetGeometry::from(settings);
    const CalibrationSheet::Corners corners = CalibrationSheet::nominalCorners(sheet);
    const QList<QRectF> cuts = offered.last().cutRectangles();
    expectNear(corners.topLeft, cuts.first().topLeft(), 0.05, "top-left ruler");
    expectNear(corners.bottomRight, cuts.last().bottomRight(), 0.05, "bottom-right ruler");
    const QString file = pdf(QStringLiteral("library-test-page.pdf"));
    ASSERT_TRUE(writePagesPdf(file, [&](QPainter &p) { CalibrationSheet::draw(p, sheet, QStringLiteral("Kantoor")); }, 1)
                    .isPrinted());
    const QPointF corner = cuts.first().topLeft();
    const Window top = renderWindow(file, QRectF(corner + QPointF(40, -1), QSizeF(2, 2)), Fine);
    expectLinesAt(lineCentres(top, false, corner.x() + 41), {corner.y()}, "first card's top edge");
}

TEST_F(Calibration, PresetsAreChosenAndEditingSwitchesBackToOwnSettings)
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    MarginsForm form(PrintSettings(), dutch);
    EXPECT_EQ(form.stockChoice(), 0);
    EXPECT_EQ(form.stockChoices().first(), QStringLiteral("Eigen instellingen"));
    EXPECT_GE(form.stockChoices().size(), 9) << "at least eight sheets";

    form.chooseStock(1); // Avery Zweckform 32015: 8 cards with 6 mm gaps
    EXPECT_EQ(form.stockChoice(), 1);
    EXPECT_EQ(form.fieldText(2), QStringLiteral("35,5"));
    EXPECT_EQ(form.cardCountText(), QStringLiteral("8"));
    form.setFieldText(2, QStringLiteral("35,5")); // the same text again changes nothing
    EXPECT_EQ(form.stockChoice(), 1);
    form.setFieldText(2, QStringLiteral("36"));
    EXPECT_EQ(form.stockChoice(), 0);

    form.chooseStock(1);
    form.setCardCountText(QStringLiteral("10"));
    EXPECT_EQ(form.stockChoice(), 0) << "another card count is not that sheet";

    PrintSettings chosen;
    MarginsForm(PrintSettings(), dutch).confirm(chosen);
    form.chooseStock(2);
    form.confirm(chosen);
    EXPECT_EQ(MarginsForm(chosen, dutch).stockChoice(), 2) << "reopened, the dialog shows the sheet";
}

TEST_F(Calibration, SheetShowsOutlinesAndRulerTicksAtTheirNominalPlaces)
{
    SheetGeometry sheet; // 10 cards of 90 x 50 from (12, 19)
    const QString file = pdf(QStringLiteral("calibration.pdf"));
    ASSERT_TRUE(writePagesPdf(file, [&](QPainter &p) { CalibrationSheet::draw(p, sheet, QStringLiteral("Kantoor")); }, 1)
                    .isPrinted());

    // Outlines: across the middle of every card's top and left edge.
    for (const QPointF &c : sheet.cardCorners()) {
        const Window top = renderWindow(file, QRectF(c + QPointF(40, -1), QSizeF(2, 2)), Fine);
        expectLinesAt(lineCentres(top, false, c.x() + 41), {c.y()}, "top edge");
        const Window left = renderWindow(file, QRectF(c + QPointF(-1, 20), QSizeF(2, 2)), Fine);
        expectLinesAt(lineCentres(left, true, c.y() + 21), {c.x()}, "left edge");
    }
    const Window bottom = renderWindow(file, QRectF(QPointF(150, 268), QSizeF(2, 2)), Fine);
    expectLinesAt(lineCentres(bottom, false, 151), {269}, "last card's bottom edge");

    // Rulers: each half of each ruler on its own side of the corner, a tick every 0.5 mm.
    const CalibrationSheet::Corners corners = CalibrationSheet::nominalCorners(sheet);
    expectNear(corners.topLeft, QPointF(12, 19), 1e-9, "top-left corner");
    expectNear(corners.bottomRight, QPointF(192, 269), 1e-9, "bottom-right corner");
    for (const QPointF &p : {corners.topLeft, corners.bottomRight}) {
        const Window w = renderWindow(file, QRectF(p - QPointF(6, 6), QSizeF(12, 12)), Fine);
        QList<double> leftHalf;
        for (double x : lineCentres(w, true, p.y() + 0.3))
            if (x < p.x() - 0.2)
                leftHalf << x;
        expectLinesAt(leftHalf, expectedTicks(p.x() - 5, p.x() - 0.5), "horizontal ruler, left half");
        QList<double> rightHalf;
        for (double x : lineCentres(w, true, p.y() - 0.3))
            if (x > p.x() + 0.2)
                rightHalf << x;
        expectLinesAt(rightHalf, expectedTicks(p.x() + 0.5, p.x() + 5), "horizontal ruler, right half");
        QList<double> upperHalf;
        for (double y : lineCentres(w, false, p.x() - 0.3))
            if (y < p.y() - 0.2)
                upperHalf << y;
        expectLinesAt(upperHalf, expectedTicks(p.y() - 5, p.y() - 0.5), "vertical ruler, upper half");
        QList<double> lowerHalf;
        for (double y : lineCentres(w, false, p.x() + 0.3))
            if (y > p.y() + 0.2)
                lowerHalf << y;
        expectLinesAt(lowerHalf, expectedTicks(p.y() + 0.5, p.y() + 5), "vertical ruler, lower half");
    }

    QStringList texts;
    for (const PdfWord &w : words(file))
        texts << w.text;
    EXPECT_TRUE(texts.contains(QStringLiteral("Testpagina"))) << "the instruction is on the sheet";
    EXPECT_TRUE(texts.contains(QStringLiteral("Kantoor"))) << "with the printer's name";
}

TEST_F(Calibration, CorrectionMovesEveryPartOfTheSheetToShiftPlusScaleTimesItsPlace)
{
    const PrintedCard card = markedCard();
    const SheetGeometry sheet;
    const PrinterCorrection correction{1.5, -0.8, 1.005, 0.997};
    const QString plain = pdf(QStringLiteral("plain.pdf"));
    const QString corrected = pdf(QStringLiteral("corrected.pdf"));
    ASSERT_TRUE(writeSheetPdf(plain, card, sheet, 1).isPrinted());
    ASSERT_TRUE(writeSheetPdf(corrected, card, sheet, 1, correction).isPrinted());

    const QList<QPointF> corners = sheet.cardCorners();
    for (const QPointF &c : corners) {
        const QPointF corner = correction.apply(c);
        expectNear(cornerNear(corrected, corner), corner, 0.1, "card corner");
    }
    // Stamp and bars on the first and the last card, where shift and scale differ most.
    auto box = [&](QPointF near, const PixelTest &colour) {
        return boxOf(renderWindow(corrected, QRectF(near - QPointF(1, 1), QSizeF(2, 2)), Fine), colour);
    };
    for (const QPointF &c : {corners.first(), corners.last()}) {
        const QPointF stampStart = correction.apply(c + QPointF(5, 5));
        const QPointF stampEnd = correction.apply(c + QPointF(5 + 100 / 3.8, 5 + 122 / 3.8));
        expectNear(box(stampStart, isGreen).topLeft(), stampStart, 0.1, "stamp corner");
        expectNear(box(stampEnd, isGreen).bottomRight(), stampEnd, 0.1, "stamp end");

        // The top bar runs from (2, 2) to (C - 2, 2.5); its end is measured left of the right bar.
        const QPointF barStart = correction.apply(c + QPointF(2, 2));
        expectNear(box(barStart, isRed).topLeft(), barStart, 0.1, "top bar start");
        const QPointF barBottom = correction.apply(c + QPointF(80, 2.5));
        EXPECT_NEAR(box(barBottom, isRed).bottom(), barBottom.y(), 0.1) << "top bar's lower edge";
        const QPointF barEnd = correction.apply(c + QPointF(88, 2.2));
        const QRectF end = boxOf(renderWindow(corrected, QRectF(barEnd - QPointF(1, 0.1), QSizeF(2, 0.2)), Fine), isRed);
        EXPECT_NEAR(end.right(), barEnd.x(), 0.1) << "top bar's end";
    }

    const QList<PdfWord> before = words(plain);
    const QList<PdfWord> after = words(corrected);
    ASSERT_EQ(before.size(), 70);
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].text, before[i].text);
        expectNear(after[i].box.topLeft(), correction.apply(before[i].box.topLeft()), 0.1, "text line");
    }
}

TEST_F(Calibration, NoCorrectionDrawsExactlyAsBefore)
{
    const PrintedCard card = markedCard();
    const QString before = pdf(QStringLiteral("before.pdf"));
    const QString neutral = pdf(QStringLiteral("neutral.pdf"));
    ASSERT_TRUE(writeSheetPdf(before, card, SheetGeometry(), 1).isPrinted());
    ASSERT_TRUE(writeSheetPdf(neutral, card, SheetGeometry(), 1, PrinterCorrection()).isPrinted());
    // The PDF carries its creation time; the drawing itself must match.
    const QList<PdfWord> wa = words(before);
    const QList<PdfWord> wb = words(neutral);
    ASSERT_EQ(wa.size(), wb.size());
    for (qsizetype i = 0; i < wa.size(); ++i)
        EXPECT_EQ(wa[i].box, wb[i].box);
    EXPECT_EQ(renderPage(before), renderPage(neutral));
}

TEST(PrinterCorrection, ReadingsGiveTheShiftAndScaleThatUndoThePrintersError)
{
    // The default sheet: corners at (12, 19) and (192, 269).
    const PrinterCorrection::Readings readings{QPointF(1.0, 0.5), QPointF(2.0, 1.1)};
    const PrinterCorrection c = PrinterCorrection::fromReadings(readings, QPointF(12, 19), QPointF(192, 269));
    // By hand: the printer puts p at a + k p with k = (span + d2 - d1) / span and
    // a = n1 + d1 - k n1; the correction is (p - a) / k.
    const double kx = (180.0 + 1.0) / 180.0;
    const double ax = 13.0 - kx * 12.0;
    const double ky = (250.0 + 0.6) / 250.0;
    const double ay = 19.5 - ky * 19.0;
    EXPECT_NEAR(c.scaleX, 1 / kx, 1e-12);   // 99.45 %
    EXPECT_NEAR(c.shiftX, -ax / kx, 1e-12); // -0.928 mm
    EXPECT_NEAR(c.scaleY, 1 / ky, 1e-12);   // 99.76 %
    EXPECT_NEAR(c.shiftY, -ay / ky, 1e-12); // -0.453 mm
    EXPECT_NEAR(c.scaleX, 0.994475, 1e-6);
    EXPECT_NEAR(c.shiftX, -0.928177, 1e-6);

    // Printed through that printer, the corrected corners land on the nominal ones.
    auto printer = [&](QPointF p) { return QPointF(ax + kx * p.x(), ay + ky * p.y()); };
    expectNear(printer(c.apply(QPointF(12, 19))), QPointF(12, 19), 1e-9, "top-left");
    expectNear(printer(c.apply(QPointF(192, 269))), QPointF(192, 269), 1e-9, "bottom-right");

    EXPECT_EQ(PrinterCorrection().caption(), QStringLiteral("geen correctie"));
    EXPECT_EQ((PrinterCorrection{0.6, -0.4, 1.003, 1.003}).caption(),
              QStringLiteral("Correctie: +0,6 / \u22120,4 mm, 100,3 %"));
    EXPECT_EQ((PrinterCorrection{0, 0, 1.005, 0.997}).caption(),
              QStringLiteral("Correctie: +0,0 / +0,0 mm, 100,5 / 99,7 %"));
    // The backs' line: the percentages only where the backs are scaled.
    EXPECT_EQ(PrinterCorrection().backCaption(), QStringLiteral("Achterkant: geen correctie"));
    EXPECT_EQ((PrinterCorrection{0.8, -0.4, 1, 1}).backCaption(), QStringLiteral("Achterkant: +0,8 / \u22120,4 mm"));
    EXPECT_EQ((PrinterCorrection{0.8, -0.04, 1.0004, 1}).backCaption(), QStringLiteral("Achterkant: +0,8 / +0,0 mm"))
        << "what rounds to nothing shows as nothing";
    EXPECT_EQ((PrinterCorrection{0, 0, 1.005, 0.997}).backCaption(),
              QStringLiteral("Achterkant: +0,0 / +0,0 mm, 100,5 / 99,7 %"));
}

TEST(CorrectionFileTest, EachPrinterHasItsOwnEntryAndBadValuesCountAsNone)
{
    QTemporaryDir folder;
    const QString file = CorrectionFile::besideSettings(folder.filePath(QStringLiteral("Lumovander.ini")));
    EXPECT_EQ(file, folder.filePath(QStringLiteral("Lumovander-correctie.ini")));
    EXPECT_TRUE(CorrectionFile::correctionFor(file, QStringLiteral("X")).isNeutral()) << "no file, no correction";

    const PrinterCorrection x{1.5, -0.8, 1.005, 0.997};
    ASSERT_TRUE(CorrectionFile::store(file, QStringLiteral("X"), x));
    ASSERT_TRUE(CorrectionFile::store(file, CorrectionFile::PdfTarget, PrinterCorrection{0.2, 0, 1, 1}));
    EXPECT_EQ(CorrectionFile::correctionFor(file, QStringLiteral("X")), x);
    EXPECT_TRUE(CorrectionFile::correctionFor(file, QStringLiteral("Y")).isNeutral());
    EXPECT_EQ(CorrectionFile::correctionFor(file, CorrectionFile::PdfTarget).shiftX, 0.2);

    ASSERT_TRUE(CorrectionFile::store(file, QStringLiteral("X"), PrinterCorrection()));
    EXPECT_TRUE(CorrectionFile::correctionFor(file, QStringLiteral("X")).isNeutral()) << "cleared";
    EXPECT_EQ(CorrectionFile::correctionFor(file, CorrectionFile::PdfTarget).shiftX, 0.2) << "the other entry stays";

    // A hand edit gone wrong: each value on its own.
    QFile edited(file);
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write("rubbish before any entry\n[X]\nShiftX=abc\nShiftY=0.5\nScaleX=5\nScaleY=1.002\nno equals sign\n"
                 "[Y]\nShiftX=1e400\nScaleY=\n");
    edited.close();
    EXPECT_EQ(CorrectionFile::correctionFor(file, QStringLiteral("X")), (PrinterCorrection{0, 0.5, 1, 1.002}));
    EXPECT_TRUE(CorrectionFile::correctionFor(file, QStringLiteral("Y")).isNeutral());
}

// A correction worked out from the readings has many digits; the file gives back exactly
// the correction stored, and a round one stays short for a hand edit.
TEST(CorrectionFileTest, StoredCorrectionComesBackExactly)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Lumovander-correctie.ini"));
    const PrinterCorrection worked = PrinterCorrection::fromReadings(
        {QPointF(0.7, -0.3), QPointF(1.1, 0.2)}, QPointF(10, 10), QPointF(200, 287));
    ASSERT_NE(worked.scaleX, 1.0);
    ASSERT_TRUE(CorrectionFile::store(file, QStringLiteral("X"), worked));
    EXPECT_EQ(CorrectionFile::correctionFor(file, QStringLiteral("X")), worked);
    EXPECT_EQ(CorrectionFile::encode({{QStringLiteral("Y"), PrinterCorrection{0.6, -0.4, 1.003, 1}}}),
              QByteArray("[Y]\nShiftX=0.6\nShiftY=-0.4\nScaleX=1.003\nScaleY=1\n"));
}

TEST(CorrectionFormTest, ReadingsTakeTheLocalesNumbersWithinTenMillimetres)
{
    CorrectionForm form(QLocale(QLocale::Dutch, QLocale::Netherlands));
    form.setFieldText(1, QStringLiteral("1,0"));
    form.setFieldText(2, QStringLiteral("-0,5"));
    form.setFieldText(3, QStringLiteral("\u22122"));
    QString problem;
    const auto readings = form.readings(problem);
    ASSERT_TRUE(readings.has_value()) << problem.toStdString();
    EXPECT_EQ(readings->topLeft, QPointF(1.0, -0.5));
    EXPECT_EQ(readings->bottomRight, QPointF(-2.0, 0.0)) << "an empty field reads 0";

    form.setFieldText(4, QStringLiteral("10,5"));
    EXPECT_FALSE(form.readings(problem).has_value());
    EXPECT_TRUE(problem.contains(QStringLiteral("\"Rechtsonder verticaal\""))) << problem.toStdString();
    form.setFieldText(4, QString());
    form.setFieldText(2, QStringLiteral("1.5.2"));
    EXPECT_FALSE(form.readings(problem).has_value());
    EXPECT_TRUE(problem.contains(QStringLiteral("\"Linksboven verticaal\""))) << problem.toStdString();
}

TEST(CorrectionFileTest, NotANumberOrInfinityInTheFileCountsAsNone)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Lumovander-correctie.ini"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("[X]\nShiftX=nan\nShiftY=inf\nScaleX=-inf\nScaleY=NaN\n[Y]\nShiftX=1e400\nShiftY=0.5\nScaleX=nan\n");
    out.close();
    EXPECT_TRUE(CorrectionFile::correctionFor(file, QStringLiteral("X")).isNeutral());
    const PrinterCorrection y = CorrectionFile::correctionFor(file, QStringLiteral("Y"));
    EXPECT_EQ(y, (PrinterCorrection{0, 0.5, 1, 1}));
}

TEST(CorrectionFormTest, NotANumberOrInfinityIsNoReading)
{
    for (const QLocale &locale : {QLocale(QLocale::Dutch, QLocale::Netherlands), QLocale::c()}) {
        for (const QString &bad : {QStringLiteral("nan"), QStringLiteral("NaN"), QStringLiteral("inf"),
                                   QStringLiteral("-inf"), QStringLiteral("1e400")}) {
            CorrectionForm form(locale);
            form.setFieldText(3, bad);
            QString problem;
            EXPECT_FALSE(form.readings(problem).has_value()) << bad.toStdString();
            EXPECT_TRUE(problem.contains(QStringLiteral("\"Rechtsonder horizontaal\""))) << problem.toStdString();
        }
    }
}

// The backs' corrections sit beside the fronts' in the same entry, one for each edge the
// paper is turned over; storing one side leaves the others as they were, and a file of
// fronts only (as older programs wrote it) reads exactly as before.
TEST(CorrectionFileTest, BacksHaveACorrectionPerEdgeBesideTheFrontsAndOldFilesReadAsBefore)
{
    QTemporaryDir folder;
    const QString file = CorrectionFile::besideSettings(folder.filePath(QStringLiteral("Lumovander.ini")));
    const QByteArray old = "[X]\nShiftX=0.6\nShiftY=-0.4\nScaleX=1.003\nScaleY=1\n";
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::WriteOnly) && written.write(old) == old.size());
    written.close();
    const PrinterCorrection front{0.6, -0.4, 1.003, 1};
    EXPECT_EQ(CorrectionFile::correctionFor(file, QStringLiteral("X")), front);
    EXPECT_TRUE(CorrectionFile::backCorrectionFor(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Long).isNeutral());

    const PrinterCorrection longBack{0.8, 0.1, 1, 0.998}, shortBack{-1.2, 0.3, 1.001, 1};
    ASSERT_TRUE(CorrectionFile::storeBack(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Long, longBack));
    ASSERT_TRUE(CorrectionFile::storeBack(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Short, shortBack));
    EXPECT_EQ(CorrectionFile::correctionFor(file, QStringLiteral("X")), front) << "the fronts' stays";
    EXPECT_EQ(CorrectionFile::backCorrectionFor(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Long), longBack);
    EXPECT_EQ(CorrectionFile::backCorrectionFor(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Short), shortBack);

    // A new front keeps both backs; a front cleared keeps the entry for its backs.
    ASSERT_TRUE(CorrectionFile::store(file, QStringLiteral("X"), PrinterCorrection{0.2, 0, 1, 1}));
    EXPECT_EQ(CorrectionFile::backCorrectionFor(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Long), longBack);
    ASSERT_TRUE(CorrectionFile::store(file, QStringLiteral("X"), PrinterCorrection()));
    EXPECT_TRUE(CorrectionFile::correctionFor(file, QStringLiteral("X")).isNeutral());
    EXPECT_EQ(CorrectionFile::backCorrectionFor(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Short), shortBack);
    ASSERT_TRUE(CorrectionFile::storeBack(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Long, PrinterCorrection()));
    ASSERT_TRUE(CorrectionFile::storeBack(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Short, PrinterCorrection()));
    EXPECT_TRUE(CorrectionFile::read(file).isEmpty()) << "nothing left to keep";

    // The fronts' keys come first and unprefixed, so an older program still reads them.
    ASSERT_TRUE(CorrectionFile::store(file, QStringLiteral("X"), front));
    ASSERT_TRUE(CorrectionFile::storeBack(file, QStringLiteral("X"), CorrectionFile::FlipEdge::Short, shortBack));
    QFile reread(file);
    ASSERT_TRUE(reread.open(QIODevice::ReadOnly));
    EXPECT_EQ(reread.readAll().toStdString(), std::string(old.constData())
                                                  + "AchterKortShiftX=-1.2\nAchterKortShiftY=0.3\n"
                                                    "AchterKortScaleX=1.001\nAchterKortScaleY=1\n");
}
