// The label template library Debian installs (glabels-data, from scripts/setup.sh) read
// into card stocks: how many sheets it gives, checked against a reading of its own by a
// short Python script, and five products against their published figures.
#include "print/TemplateLibrary.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const QString Installed = QStringLiteral("/usr/share/libglabels-3.0/templates");

class InstalledLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(Installed).exists()) << "glabels-data is not installed (scripts/setup.sh installs it)";
        reading = TemplateLibrary::read({Installed});
    }

    const CardStock *find(const QString &maker, const QString &part) const
    {
        for (const CardStock &s : reading.stocks)
            if (s.maker == maker && s.productCode == part)
                return &s;
        return nullptr;
    }

    TemplateLibrary::Reading reading;
};

} // namespace

TEST_F(InstalledLibrary, ItsSheetsAreTheOnesAnIndependentReadingFinds)
{
    EXPECT_EQ(reading.files, 38);
    EXPECT_TRUE(reading.leftOutFiles.isEmpty()) << reading.leftOutFiles.join(' ').toStdString();
    EXPECT_EQ(reading.templates, 1756);
    int ten = 0;
    int eight = 0;
    QStringList ours;
    for (const CardStock &s : reading.stocks) {
        (s.cards == 10 ? ten : eight) += 1;
        ours << QStringLiteral("%1|%2|%3").arg(s.maker, s.productCode).arg(s.cards);
    }
    EXPECT_EQ(ten, 47);
    EXPECT_EQ(eight, 5);

    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral(COUNT_SCRIPT), Installed});
    ASSERT_TRUE(python.waitForFinished(30000)) << "python3 (scripts/setup.sh installs it)";
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QStringList theirs = QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ours.sort();
    EXPECT_EQ(ours, theirs);

    // "Kaartpapier" lists them after its own eight, less the nine that are built-in sheets.
    EXPECT_EQ(TemplateLibrary::combined(CardStock::all(), reading.stocks).size(), CardStock::all().size() + 43);
}

// The card, the first card's corner and the pitch as each maker publishes them, recorded by
// the library's template for the product (file named; figures in points converted by hand).
// A is the corner's x + 3 mm and B its y + 4 mm, the rule the layout starts with.
TEST_F(InstalledLibrary, FiveProductsGiveTheirPublishedFigures)
{
    struct Published {
        QString maker, part;
        double x0, y0, width, height, dx, dy;
        int cards;
    };
    const Published products[] = {
        // hama-iso-templates.xml: 85 x 55 mm from (13.5, 10.5), pitch 95 x 55 mm.
        {QStringLiteral("Hama"), QStringLiteral("50400"), 13.5, 10.5, 85, 55, 95, 55, 10},
        // geha-iso-templates.xml: 85 x 54 mm from (15, 13), pitch 95 x 72 mm, 8 cards.
        {QStringLiteral("Geha"), QStringLiteral("P68"), 15, 13, 85, 54, 95, 72, 8},
        // misc-iso-templates.xml: 85 x 55 mm from (14, 10.5), pitch 95 x 55 mm.
        {QStringLiteral("Sigel"), QStringLiteral("LP 795"), 14, 10.5, 85, 55, 95, 55, 10},
        // decadry-iso-templates.xml, a copy (equiv) of OCC-3342: 240.945 x 153.071 pt = 85 x 54 mm
        // from (42.5197, 38.2677) pt = (15, 13.5) mm, pitch 269.291 pt = 95 mm across.
        {QStringLiteral("DECAdry"), QStringLiteral("OCB-3327"), 15, 13.5, 85, 54, 95, 54, 10},
        // misc-iso-templates.xml, two single columns: 240.945 x 155.906 pt = 85 x 55 mm, at
        // 42.5197 and 311.811 pt = 15 and 110 mm across, 28.3465 pt = 10 mm down.
        {QStringLiteral("Staples"), QStringLiteral("EU BC Supreme"), 15, 10, 85, 55, 95, 55, 10},
    };
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    for (const Published &p : products) {
        const std::string name = (p.maker + ' ' + p.part).toStdString();
        const CardStock *stock = find(p.maker, p.part);
        ASSERT_NE(stock, nullptr) << name;
        const PrintSettings s = stock->settings(dutch);
        EXPECT_NEAR(s.PrintMarginA.toNumber(), p.x0 + 3, 0.05) << name;
        EXPECT_NEAR(s.PrintMarginB.toNumber(), p.y0 + 4, 0.05) << name;
        EXPECT_NEAR(s.CardWidthMm.toNumber(), p.width, 0.05) << name;
        EXPECT_NEAR(s.CardHeightMm.toNumber(), p.height, 0.05) << name;
        EXPECT_NEAR(s.PrintOffsetH.toNumber(), p.dy - p.height, 0.05) << name;
        EXPECT_LE(std::abs(s.PrintOffsetV - (p.dx - p.width)), 0.5) << name;
        EXPECT_EQ(s.CardsPerSheet, p.cards) << name;
    }
    // In points with a pitch a hair off: 40 pt = 14.111 mm, 269 - 240.94 pt = 9.899 mm between
    // the columns, whole in the settings.
    const CardStock *points = find(QStringLiteral("Zweckform"), QStringLiteral("32010"));
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->settings(dutch).PrintMarginA, GeneralValue("17,1"));
    EXPECT_EQ(points->settings(dutch).PrintOffsetV, 10);
    EXPECT_TRUE(points->toolTip().contains(QStringLiteral("V: 9,90 \u2192 10 mm"))) << points->toolTip().toStdString();
}
