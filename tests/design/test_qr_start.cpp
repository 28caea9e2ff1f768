// The level and size a new QR code starts at: the smallest that scans, within bounds.
#include "core/CardDocument.h"
#include "design/FullCard.h"
#include "design/QrPlacement.h"
#include "qr/QrScanCheck.h"

#include <gtest/gtest.h>

namespace {

double moduleAt(const QrObject &qr, double sideMm)
{
    return moduleMm(QrCode::encode(encodedText(qr.content), qr.level), sideMm);
}

} // namespace

TEST(QrStart, AFullCardsCodeStartsAtTheSmallestSideThatScansWithoutAWarning)
{
    for (const QSizeF cardMm : {QSizeF(90, 50), QSizeF(85, 55)}) {
        CardDocument doc;
        typeFullCard(doc);
        const QrPlacement::NewCode made = QrPlacement::newCode(doc.state().TextLines, cardMm);
        EXPECT_TRUE(QrPlacement::warnings(doc.card(), made.qr, made.rect, cardMm).isEmpty())
            << QrPlacement::warnings(doc.card(), made.qr, made.rect, cardMm).join(u'\n').toStdString();
        const double side = QrPlacement::sideMm(made.rect, cardMm);
        EXPECT_LE(side, QrPlacement::MaxStartSideMm);
        // Half a millimetre less and its modules would be too small, at either level.
        EXPECT_GE(moduleAt(made.qr, side), QrScan::MinModuleMm - 1e-9);
        for (const QrLevel level : {QrLevel::L, QrLevel::M}) {
            QrObject other = made.qr;
            other.level = level;
            EXPECT_LT(moduleAt(other, side - 0.5), QrScan::MinModuleMm) << qPrintable(qrLevelName(level));
        }
    }
}

TEST(QrStart, AShortContentKeepsLevelMAt18mmAndALongOneStopsAtTheLargestSide)
{
    QrContent web;
    web.kind = QrKind::WebAddress;
    web.webAddress = QStringLiteral("voorbeeld.nl");
    const QrPlacement::Start small = QrPlacement::startFor(web, QSizeF(90, 50));
    EXPECT_EQ(small.level, QrLevel::M);
    EXPECT_DOUBLE_EQ(small.sideMm, QrPlacement::DefaultSideMm);

    // Too much for 30 mm at any level: L, the smaller code, at the largest start.
    web.webAddress += u'/' + QString(600, u'a');
    const QrPlacement::Start large = QrPlacement::startFor(web, QSizeF(90, 50));
    EXPECT_EQ(large.level, QrLevel::L);
    EXPECT_DOUBLE_EQ(large.sideMm, QrPlacement::MaxStartSideMm);
    // A card too low for that keeps the code within its safety margins.
    EXPECT_DOUBLE_EQ(QrPlacement::startFor(web, QSizeF(90, 30)).sideMm, 24);

    // Too long for any code: it starts as before and says why.
    web.webAddress += QString(3000, u'a');
    const QrPlacement::Start none = QrPlacement::startFor(web, QSizeF(90, 50));
    EXPECT_EQ(none.level, QrLevel::M);
    EXPECT_DOUBLE_EQ(none.sideMm, QrPlacement::DefaultSideMm);
}
