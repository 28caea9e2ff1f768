#include "background/ui/BackgroundCommands.h"
#include "FilterMenuItems.h"
#include "filters/Filters.h"
#include "filters/UniformRandom.h"
#include "app/WindowFixture.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <optional>

namespace {

using namespace FilterMenuItems;

class FilterMenuTest : public WindowFixture {
protected:
    void SetUp() override
    {
        installBackgroundCommands(window);
        window.show();
        trigger(QStringLiteral("LayoutShow(2)")); // a layout with the stamp box
        doc.drawOnStamp(QStringLiteral("Test"), [](QImage &image) { paintKnownPicture(image, 3); });
        doc.drawOnCanvas(QStringLiteral("Test"), [](QImage &image) { paintKnownPicture(image, 120); });
        stampBefore = doc.stamp().image();
        canvasBefore = doc.canvas().image();
    }
    void TearDown() override { InstallFilterEventHook({}); }

    void restorePictures()
    {
        doc.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image = stampBefore; });
        doc.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image = canvasBefore; });
    }
    QImage shownCard() { return control(QStringLiteral("Kaart"))->grab().toImage(); }

    QImage stampBefore;
    QImage canvasBefore;
};

} // namespace

TEST_F(FilterMenuTest, EachItemFiltersItsTargetWithItsCodeAndParameter)
{
    ASSERT_EQ(doc.stamp().image().size(), QSize(140, 180));
    for (const Expected &expected : FilterMenuItems::Filters) {
        SCOPED_TRACE(expected.item);
        restorePictures();
        QSignalSpy stampChanged(&doc, &CardDocument::stampChanged);
        QSignalSpy canvasChanged(&doc, &CardDocument::canvasChanged);
        const UniformRandom randomBefore = ProgramRandom();

        trigger(QString::fromLatin1(expected.item));

        // The same filter straight through the engine, from the same random numbers.
        ProgramRandom() = randomBefore;
        const bool onStamp = expected.target == On::Stamp;
        QImage wanted = onStamp ? stampBefore : canvasBefore;
        ApplyFilter(expected.code, wanted, expected.parameter);
        const QImage &target = onStamp ? doc.stamp().image() : doc.canvas().image();
        EXPECT_NE(target, onStamp ? stampBefore : canvasBefore);
        EXPECT_EQ(target, wanted);
        EXPECT_EQ(onStamp ? doc.canvas().image() : doc.stamp().image(), onStamp ? canvasBefore : stampBefore);
        // The target is repainted, the other picture left alone.
        EXPECT_EQ(stampChanged.count(), onStamp ? 1 : 0);
        EXPECT_EQ(canvasChanged.count(), onStamp ? 0 : 1);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FilterMenuTest, MirrorsTurnTheirTargetOnly)
{
    trigger(QStringLiteral("EditFlipConvert(0)"));
    EXPECT_EQ(doc.stamp().image().pixel(0, 7), stampBefore.pixel(139, 7));
    EXPECT_EQ(doc.stamp().image().pixel(139, 170), stampBefore.pixel(0, 170));
    EXPECT_EQ(doc.canvas().image(), canvasBefore);

    restorePictures();
    trigger(QStringLiteral("EditFlipConvert(1)"));
    EXPECT_EQ(doc.stamp().image().pixel(5, 0), stampBefore.pixel(5, 179));
    EXPECT_EQ(doc.stamp().image().pixel(100, 179), stampBefore.pixel(100, 0));
    EXPECT_EQ(doc.canvas().image(), canvasBefore);

    restorePictures();
    trigger(QStringLiteral("AchtergrondEdit(6)"));
    EXPECT_EQ(doc.canvas().image().pixel(0, 3), canvasBefore.pixel(439, 3));
    EXPECT_EQ(doc.canvas().image().pixel(400, 269), canvasBefore.pixel(39, 269));
    EXPECT_EQ(doc.stamp().image(), stampBefore);
}

TEST_F(FilterMenuTest, OpeningASubmenuChangesNothingAndIsNoUndoStep)
{
    for (const char *parent : {"EditConvert(5)", "EditConvert(8)", "EditColor"}) {
        SCOPED_TRACE(parent);
        QSignalSpy stampChanged(&doc, &CardDocument::stampChanged);
        QSignalSpy canvasChanged(&doc, &CardDocument::canvasChanged);
        QMenu *submenu = window.menu(QString::fromLatin1(parent));
        ASSERT_NE(submenu, nullptr);
        const QString lastStep = doc.undoName();
        submenu->popup(QPoint(0, 0));
        submenu->hide();
        window.action(QString::fromLatin1(parent))->trigger();
        EXPECT_EQ(stampChanged.count(), 0);
        EXPECT_EQ(doc.undoName(), lastStep);

        EXPECT_EQ(doc.stamp().image(), stampBefore);
        EXPECT_EQ(doc.canvas().image(), canvasBefore);
        EXPECT_EQ(canvasChanged.count(), 0);
    }
}

TEST_F(FilterMenuTest, TheWindowHandlesEventsWhileAFilterRunsAndRefusesASecondOne)
{
    struct Seen {
        bool filterBusy;
        bool hourglass;
    };
    const auto filterWithATimerDue = [this](const char *item, const char *during) {
        std::optional<Seen> seen;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            const QCursor *cursor = QGuiApplication::overrideCursor();
            seen = Seen{FilterBusy(), cursor && cursor->shape() == Qt::WaitCursor};
            trigger(QString::fromLatin1(during));
        });
        timer.start(0);
        trigger(QString::fromLatin1(item));
        return seen;
    };

    // "Scattered" on the background, "Negative" chosen while it runs.
    const UniformRandom randomBefore = ProgramRandom();
    std::optional<Seen> seen = filterWithATimerDue("AchtergrondEdit(5)", "AchtergrondEdit(1)");
    ASSERT_TRUE(seen.has_value());
    EXPECT_TRUE(seen->filterBusy);
    EXPECT_TRUE(seen->hourglass);
    ProgramRandom() = randomBefore;
    QImage scatteredOnly = canvasBefore;
    ApplyFilter(23, scatteredOnly, 15);
    EXPECT_EQ(doc.canvas().image(), scatteredOnly);

    // The colour swaps run without the hourglass.
    restorePictures();
    seen = filterWithATimerDue("EditColors(4)", "EditSwap(1)");
    ASSERT_TRUE(seen.has_value());
    EXPECT_TRUE(seen->filterBusy);
    EXPECT_FALSE(seen->hourglass);
    EXPECT_EQ(doc.stamp().image(), stampBefore);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FilterMenuTest, BackgroundFilterLeavesTextLinesAndStampAlone)
{
    doc.enterTextLine(1, QStringLiteral("Jan Jansen"));
    doc.enterTextLine(7, QStringLiteral("Dorpsstraat 7"));
    const QRect stampArea = doc.stamp().geometry();
    const QImage shownBefore = shownCard();

    trigger(QStringLiteral("AchtergrondEdit(0)"));

    EXPECT_EQ(doc.stamp().image(), stampBefore);
    EXPECT_EQ(doc.state().TextLines[1], QStringLiteral("Jan Jansen"));
    EXPECT_EQ(doc.state().TextLines[7], QStringLiteral("Dorpsstraat 7"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Regel(7)"))->text(), QStringLiteral("Dorpsstraat 7"));
    const QImage shownAfter = shownCard();
    EXPECT_EQ(shownAfter.copy(stampArea), shownBefore.copy(stampArea));
    // The canvas around them is grey now, on screen too.
    const QColor corner = shownAfter.pixelColor(435, 5);
    EXPECT_NE(shownBefore.pixelColor(435, 5), corner);
    EXPECT_EQ(corner.red(), corner.green());
    EXPECT_EQ(corner.green(), corner.blue());
}
