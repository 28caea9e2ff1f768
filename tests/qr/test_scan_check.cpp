#include "qr/QrScanCheck.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QList<ScanProblem> problems(double moduleMm, const QColor &dark, const QColor &light = Qt::white, bool covered = false)
{
    QList<ScanProblem> out;
    for (const ScanWarning &w : scanWarnings(moduleMm, dark, light, covered)) {
        EXPECT_FALSE(w.message.isEmpty());
        EXPECT_FALSE(w.brief.isEmpty());
        EXPECT_LT(w.brief.size(), w.message.size());
        out.append(w.problem);
    }
    return out;
}

} // namespace

TEST(ScanCheck, ModulesOfExactly04MmPass)
{
    EXPECT_TRUE(problems(0.4, Qt::black).isEmpty());
    // 0.4 mm as a dialog works it out from the side, 11.6 mm / 29 modules.
    EXPECT_TRUE(problems(11.6 / 29, Qt::black).isEmpty());
    EXPECT_EQ(problems(0.399, Qt::black), QList<ScanProblem>{ScanProblem::ModulesTooSmall});
    const QList<ScanWarning> small = scanWarnings(0.31, Qt::black, Qt::white, false);
    ASSERT_EQ(small.size(), 1);
    EXPECT_TRUE(small.first().message.contains(QStringLiteral("0,31 mm"))) << qPrintable(small.first().message);
    EXPECT_TRUE(small.first().message.contains(QStringLiteral("0,40 mm")));
    EXPECT_TRUE(small.first().brief.contains(QStringLiteral("0,31 mm"))) << qPrintable(small.first().brief);

    // Version 1 is 21 modules and 8 of quiet zone: 0.4 mm modules from 11.6 mm on.
    const QrCode code = QrCode::encode(QByteArrayLiteral("kort"), QrLevel::L);
    ASSERT_EQ(code.size(), 21);
    EXPECT_DOUBLE_EQ(smallestSideMm(code), 11.6);
    EXPECT_TRUE(problems(moduleMm(code, smallestSideMm(code)), Qt::black).isEmpty());
    EXPECT_EQ(problems(moduleMm(code, 11.5), Qt::black), QList<ScanProblem>{ScanProblem::ModulesTooSmall});
}

TEST(ScanCheck, ContrastRatioFollowsWcag)
{
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(QColor(200, 10, 90), QColor(200, 10, 90)), 1.0, 1e-12);
    // Pure red on white: 1.05 / (0.2126 + 0.05).
    EXPECT_NEAR(contrastRatio(Qt::red, Qt::white), 1.05 / 0.2626, 1e-9);
    EXPECT_TRUE(contrastEnough(QrScan::MinContrastRatio));
    EXPECT_FALSE(contrastEnough(std::nextafter(QrScan::MinContrastRatio, 0.0)));
}

TEST(ScanCheck, GreyDarkModulesPassUpTo148)
{
    // Greys 148 and 149 lie on either side of 3:1 against white.
    EXPECT_GE(contrastRatio(QColor(148, 148, 148), Qt::white), 3.0);
    EXPECT_LT(contrastRatio(QColor(149, 149, 149), Qt::white), 3.0);
    EXPECT_TRUE(problems(0.5, QColor(148, 148, 148)).isEmpty());
    EXPECT_EQ(problems(0.5, QColor(149, 149, 149)), QList<ScanProblem>{ScanProblem::ContrastTooLow});
    EXPECT_EQ(problems(0.5, Qt::yellow), QList<ScanProblem>{ScanProblem::ContrastTooLow});
    EXPECT_TRUE(problems(0.5, QColor(0, 0, 139)).isEmpty());
}

TEST(ScanCheck, TranslucentDarkCountsAsItShowsOverTheLight)
{
    EXPECT_EQ(problems(0.5, QColor(0, 0, 0, 60)), QList<ScanProblem>{ScanProblem::ContrastTooLow});
    EXPECT_TRUE(problems(0.5, QColor(0, 0, 0, 230)).isEmpty());
}

TEST(ScanCheck, InvertedColoursAndCoveredQuietZoneAreSaid)
{
    EXPECT_EQ(problems(0.5, Qt::white, Qt::black), QList<ScanProblem>{ScanProblem::DarkLighterThanLight});
    EXPECT_EQ(problems(0.2, QColor(230, 230, 230), Qt::white, true),
              (QList<ScanProblem>{ScanProblem::ModulesTooSmall, ScanProblem::ContrastTooLow,
                                  ScanProblem::QuietZoneCovered}));
}
