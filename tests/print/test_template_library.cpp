// The label templates read into card stocks: units, copies, namespaces, which layouts are
// taken, the user's folder, and files that are broken or hostile.
#include "print/LabelTemplateFile.h"
#include "print/TemplateLibrary.h"
#include "TemplateFolder.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace TemplateFolder;

namespace {

const QLocale Dutch(QLocale::Dutch, QLocale::Netherlands);

QStringList partsOf(const QList<CardStock> &stocks)
{
    QStringList parts;
    for (const CardStock &s : stocks)
        parts << s.productCode;
    return parts;
}

QStringList fieldsOf(const CardStock &stock)
{
    const PrintSettings s = stock.settings(Dutch);
    return {s.PrintMarginA.text(), s.PrintMarginB.text(), s.CardWidthMm.text(), s.CardHeightMm.text(),
            s.PrintOffsetH.text(), QString::number(s.PrintOffsetV), QString::number(s.CardsPerSheet)};
}

class Templates : public testing::Test {
protected:
    TemplateLibrary::Reading readFile(const QByteArray &bytes)
    {
        EXPECT_TRUE(write(QDir(folder.path()), QStringLiteral("test-templates.xml"), bytes));
        return TemplateLibrary::read({folder.path()});
    }
    QTemporaryDir folder;
};

} // namespace

// 3.5 x 2 inch cards from (0.5, 1) inch with a pitch of 3.75 x 2 inch: figures every unit
// writes exactly.
TEST_F(Templates, TheSameSheetInEveryUnitGivesTheSameFields)
{
    struct Written {
        QByteArray part, width, height, x0, y0, dx, dy;
    };
    const Written units[] = {
        {"pt", "252pt", "144pt", "36pt", "72pt", "270pt", "144pt"},
        {"kaal", "252", "144", "36", "72", "270", "144"},
        {"in", "3.5in", "2in", "0.5in", "1in", "3.75in", "2in"},
        {"mm", "88.9mm", "50.8mm", "12.7mm", "25.4mm", "95.25mm", "50.8mm"},
        {"cm", "8.89cm", "5.08cm", "1.27cm", "2.54cm", "9.525cm", "5.08cm"},
        {"pc", "21pc", "12pc", "3pc", "6pc", "22.5pc", "12pc"},
    };
    QByteArray templates;
    for (const Written &u : units)
        templates += sheet("Eenheid", u.part, "width=\"" + u.width + "\" height=\"" + u.height + "\"",
                           layout("nx=\"2\" ny=\"5\" x0=\"" + u.x0 + "\" y0=\"" + u.y0 + "\" dx=\"" + u.dx +
                                  "\" dy=\"" + u.dy + "\""));
    const TemplateLibrary::Reading reading = readFile(file(templates));
    ASSERT_EQ(reading.stocks.size(), 6) << partsOf(reading.stocks).join(' ').toStdString();
    for (const CardStock &stock : reading.stocks) {
        const std::string unit = stock.productCode.toStdString();
        EXPECT_EQ(fieldsOf(stock), (QStringList{"15,7", "29,4", "88,9", "50,8", "0", "6", "10"})) << unit;
        EXPECT_NEAR(stock.left, 12.7, 1e-9) << unit;
        EXPECT_NEAR(stock.columnGap, 6.35, 1e-9) << unit;
    }
}

TEST(TemplateLengths, OnlyAFiniteNumberWithAKnownUnitIsALength)
{
    EXPECT_NEAR(*LabelTemplateFile::lengthMm(u" 72 "), 25.4, 1e-12) << "bare is points";
    EXPECT_NEAR(*LabelTemplateFile::lengthMm(u"1.5 cm"), 15, 1e-12);
    EXPECT_NEAR(*LabelTemplateFile::lengthMm(u".5in"), 12.7, 1e-12);
    for (const QString &bad : {QStringLiteral("nan"), QStringLiteral("NaNmm"), QStringLiteral("inf"),
                               QStringLiteral("1e999mm"), QStringLiteral("12px"), QStringLiteral(""),
                               QStringLiteral("12 mmm"), QStringLiteral("1,5mm"), QStringLiteral("--1")})
        EXPECT_FALSE(LabelTemplateFile::lengthMm(bad).has_value()) << bad.toStdString();
}

TEST_F(Templates, EquivCopiesATemplateOfTheSameBrandUnderItsOwnName)
{
    const QByteArray layouts = layout("nx=\"2\" ny=\"5\" x0=\"15mm\" y0=\"13.5mm\" dx=\"95mm\" dy=\"54mm\"");
    const QByteArray templates =
        "  <Template brand=\"Merk\" part=\"voor\" equiv=\"1\"/>\n" + // before its original: read all, then copied
        sheet("Merk", "1", "width=\"85mm\" height=\"54mm\"", layouts) +
        "  <Template brand=\"Merk\" part=\"2\" equiv=\"1\"/>\n"
        "  <Template brand=\"Merk\" part=\"3\" equiv=\"2\" description=\"Eigen naam\"/>\n"
        "  <Template brand=\"Ander\" part=\"4\" equiv=\"1\"/>\n" // another brand's template "1" is no original
        "  <Template brand=\"Merk\" part=\"5\" equiv=\"9\"/>\n"
        "  <Template brand=\"Merk\" part=\"6\" equiv=\"7\"/>\n"
        "  <Template brand=\"Merk\" part=\"7\" equiv=\"6\"/>\n";
    const TemplateLibrary::Reading reading = readFile(file(templates));
    EXPECT_EQ(reading.templates, 8);
    ASSERT_EQ(partsOf(reading.stocks), (QStringList{"1", "2", "3", "voor"}));
    for (const CardStock &copy : reading.stocks) {
        EXPECT_EQ(fieldsOf(copy), fieldsOf(reading.stocks.first())) << copy.productCode.toStdString();
        EXPECT_EQ(copy.maker, QStringLiteral("Merk"));
    }
    EXPECT_EQ(reading.stocks.at(1).description, QStringLiteral("Business cards")) << "the original's";
    EXPECT_EQ(reading.stocks.at(2).description, QStringLiteral("Eigen naam")) << "its own";
}

TEST_F(Templates, WithTheFormatsNamespaceOrNoneTheSheetsReadTheSame)
{
    const QByteArray templates =
        goodSheet("Sigel", "LP 795") + sheet("Geha", "P68", "width=\"85mm\" height=\"54mm\" x_waste=\"5mm\"",
                                             layout("nx=\"2\" ny=\"4\" x0=\"15mm\" y0=\"13mm\" dx=\"95mm\" dy=\"72mm\""));
    const QList<CardStock> with = readFile(file(templates, true)).stocks;
    const QList<CardStock> without = readFile(file(templates, false)).stocks;
    ASSERT_EQ(with.size(), 2);
    ASSERT_EQ(without.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(with.at(i).caption(), without.at(i).caption());
        EXPECT_EQ(fieldsOf(with.at(i)), fieldsOf(without.at(i)));
    }
    QByteArray foreign = file(templates, false);
    foreign.replace("<Glabels-templates>", "<Glabels-templates xmlns=\"urn:ander-formaat\">");
    EXPECT_TRUE(readFile(foreign).stocks.isEmpty()) << "another format's elements are not ours";
}

TEST_F(Templates, OnlyTwoColumnsOfFiveOrFourRowsOfOneRectangleOnA4AreTaken)
{
    const QByteArray card = "width=\"85mm\" height=\"54mm\"";
    const QByteArray grid = layout("nx=\"2\" ny=\"4\" x0=\"12mm\" y0=\"18mm\" dx=\"100mm\" dy=\"69mm\"");
    const QByteArray column = "nx=\"1\" ny=\"5\" y0=\"10mm\" dx=\"85mm\" dy=\"55mm\"";
    QByteArray templates =
        sheet("T", "tweemaal", card, grid + grid) +
        sheet("T", "kolommen", card, layout(column + " x0=\"110mm\"") + layout(column + " x0=\"15mm\"")) +
        sheet("T", "drie-breed", "width=\"60mm\" height=\"54mm\"",
              layout("nx=\"3\" ny=\"5\" x0=\"15mm\" y0=\"10mm\" dx=\"60mm\" dy=\"55mm\"")) +
        sheet("T", "drie-hoog", card, layout("nx=\"2\" ny=\"3\" x0=\"15mm\" y0=\"10mm\" dx=\"95mm\" dy=\"55mm\"")) +
        sheet("T", "twee-roosters", card, grid + layout("nx=\"2\" ny=\"4\" x0=\"12mm\" y0=\"20mm\" dx=\"100mm\" dy=\"69mm\"")) +
        sheet("T", "gevouwen", "width=\"180mm\" height=\"50mm\"",
              layout("nx=\"1\" ny=\"5\" x0=\"15mm\" y0=\"14mm\" dx=\"180mm\" dy=\"55mm\"")) +
        sheet("T", "overlap", card, layout("nx=\"2\" ny=\"5\" x0=\"15mm\" y0=\"10mm\" dx=\"80mm\" dy=\"55mm\"")) +
        sheet("T", "gespiegeld", card, grid, "    <Meta print=\"mirrored\"/>\n") +
        // On the sheet, but C = 100,5 is more than the field's four characters.
        sheet("T", "te-lang-voor-C", "width=\"100.5mm\" height=\"54mm\"",
              layout("nx=\"2\" ny=\"5\" x0=\"2mm\" y0=\"10mm\" dx=\"104mm\" dy=\"55mm\""));
    QByteArray letter = sheet("T", "letter", card, grid);
    letter.replace("size=\"A4\"", "size=\"US-Letter\"");
    QByteArray other = sheet("T", "ander-A4", card, grid);
    other.replace("size=\"A4\"", "size=\"Other\" width=\"595.276pt\" height=\"841.89pt\"");
    QByteArray label = sheet("T", "etiket", card, grid);
    label.replace("    <Meta category=\"business-card\"/>\n", "");
    QByteArray round = sheet("T", "rond", card, grid);
    round.replace("Label-rectangle", "Label-round");
    QByteArray twoShapes = sheet("T", "twee-vormen", card, grid);
    twoShapes.replace("  </Template>", "    <Label-rectangle width=\"85mm\" height=\"54mm\">" + grid +
                                           "</Label-rectangle>\n  </Template>");
    templates += letter + other + label + round + twoShapes;

    const TemplateLibrary::Reading reading = readFile(file(templates));
    EXPECT_EQ(reading.templates, 14);
    EXPECT_EQ(partsOf(reading.stocks), (QStringList{"ander-A4", "kolommen", "tweemaal"}));
    const CardStock &columns = reading.stocks.at(1);
    EXPECT_EQ(columns.left, 15);
    EXPECT_EQ(columns.columnGap, 10) << "the second column 95 mm further";
    EXPECT_EQ(columns.cards, 10);
    EXPECT_EQ(reading.stocks.at(2).cards, 8) << "a layout written twice is one";
}

TEST_F(Templates, BrokenAndHostileFilesAreLeftOutWithoutHoldingUpTheReading)
{
    const QDir dir(folder.path());
    const QStringList unreadable = writeHostileFiles(dir);
    ASSERT_TRUE(write(dir, QStringLiteral("good-templates.xml"), file(goodSheet("Sigel", "LP 795"))));
    ASSERT_TRUE(QFileInfo(dir.filePath(QStringLiteral("pipe-templates.xml"))).exists());

    QElapsedTimer timer;
    timer.start();
    const TemplateLibrary::Reading reading = TemplateLibrary::read({folder.path()});
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(partsOf(reading.stocks), QStringList{"LP 795"}) << "the absurd templates are read and left out";
    QStringList leftOut;
    for (const QString &path : reading.leftOutFiles)
        leftOut << QFileInfo(path).fileName();
    EXPECT_EQ(leftOut, unreadable);
    EXPECT_EQ(reading.files, 2);
}

TEST(TemplateFolders, TheUsersTemplateTakesThePlaceOfTheLibrarysOne)
{
    QTemporaryDir user;
    QTemporaryDir library;
    ASSERT_TRUE(write(QDir(library.path()), QStringLiteral("hama-templates.xml"),
                      file(goodSheet("Hama", "50400") + "  <Template brand=\"Hama\" part=\"50401\" equiv=\"50400\"/>\n")));
    const QByteArray mine = sheet("Hama", "50400", "width=\"85mm\" height=\"55mm\"",
                                  layout("nx=\"2\" ny=\"5\" x0=\"13.5mm\" y0=\"10.5mm\" dx=\"95mm\" dy=\"55mm\""));
    ASSERT_TRUE(write(QDir(user.path()), QStringLiteral("Hama_50400.template"), file(mine)));

    const TemplateLibrary::Reading reading = TemplateLibrary::read({user.path(), library.path()});
    ASSERT_EQ(partsOf(reading.stocks), (QStringList{"50400", "50401"}));
    for (const CardStock &stock : reading.stocks)
        EXPECT_EQ(stock.left, 13.5) << "the user's figures, also for the library's copy";
    EXPECT_EQ(reading.stocks.first().source, QDir(user.path()).filePath(QStringLiteral("Hama_50400.template")));
    EXPECT_TRUE(TemplateLibrary::standardFolders().first().endsWith(QStringLiteral("/libglabels/templates")));
}

TEST(TemplateFolders, TheFoldersAreReadOncePerRun)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    ASSERT_TRUE(write(dir, QStringLiteral("a-templates.xml"), file(goodSheet("Sigel", "LP 795"))));
    TemplateLibrary::useFolders({folder.path()});
    const int builtIn = int(CardStock::all().size());
    EXPECT_EQ(TemplateLibrary::offered().size(), builtIn + 1);
    ASSERT_TRUE(write(dir, QStringLiteral("b-templates.xml"), file(goodSheet("Sigel", "LP 800"))));
    EXPECT_EQ(TemplateLibrary::offered().size(), builtIn + 1) << "kept, not read again";
    EXPECT_EQ(TemplateLibrary::installed().stocks.size(), 1);
    TemplateLibrary::useFolders({});
    EXPECT_EQ(TemplateLibrary::offered().size(), builtIn);
    TemplateLibrary::useFolders({folder.path()});
    EXPECT_EQ(TemplateLibrary::offered().size(), builtIn + 2) << "other folders are read anew";
    TemplateLibrary::useFolders({});
}

// A sheet of the library that prints exactly as a built-in one (same product code, same
// settings) is shown once; another maker's name for it or other figures are shown.
TEST(TemplateFolders, ALibrarySheetThatIsABuiltInOneIsShownOnce)
{
    const CardStock builtIn = CardStock::all().first(); // Avery Zweckform 32015
    CardStock sameUnderItsBrand = builtIn;
    sameUnderItsBrand.maker = QStringLiteral("Zweckform");
    sameUnderItsBrand.top += 0.01; // the same field after rounding
    CardStock moved = builtIn;
    moved.maker = QStringLiteral("Zweckform");
    moved.top += 1;
    CardStock otherCode = builtIn;
    otherCode.productCode = QStringLiteral("C32015");
    const QList<CardStock> all = TemplateLibrary::combined(CardStock::all(), {sameUnderItsBrand, moved, otherCode});
    ASSERT_EQ(all.size(), CardStock::all().size() + 2);
    EXPECT_EQ(all.at(CardStock::all().size()).top, builtIn.top + 1);
    EXPECT_EQ(all.last().productCode, QStringLiteral("C32015"));
}

// 32010 as the library writes it, in points: 40 pt from the corner, a pitch of 269 pt.
TEST_F(Templates, ARoundedSheetSaysByHowMuchInItsTip)
{
    const TemplateLibrary::Reading reading = readFile(file(
        sheet("Zweckform", "32010", "width=\"240.94\" height=\"153.07\"",
              layout("nx=\"2\" ny=\"5\" x0=\"40\" y0=\"40\" dx=\"269\" dy=\"153\"")) +
        goodSheet("Sigel", "LP 795")));
    ASSERT_EQ(reading.stocks.size(), 2);
    const CardStock &points = reading.stocks.at(1);
    EXPECT_EQ(fieldsOf(points), (QStringList{"17,1", "18,1", "85", "54", "0", "10", "10"}))
        << "a pitch a hair short of the card keeps H at 0, not -0";
    const QString tip = points.toolTip();
    EXPECT_TRUE(tip.startsWith(QStringLiteral("Business cards\nUit ") + folder.path())) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("A: 17,11 \u2192 17,1 mm (\u22120,01 mm)"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("H: \u22120,02 \u2192 0 mm (+0,02 mm)"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("V: 9,90 \u2192 10 mm (+0,10 mm)"))) << tip.toStdString();
    EXPECT_FALSE(tip.contains(QStringLiteral("C:"))) << "84,998 mm is the file's own rounding";
    EXPECT_FALSE(reading.stocks.at(0).toolTip().contains(QStringLiteral("Afgerond")));
}
