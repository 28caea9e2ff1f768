#include "core/CardDocument.h"
#include "support/CardEdit.h"
#include "background/FilterCommands.h"
#include "FilterMenuItems.h"
#include "filters/Filters.h"
#include "filters/UniformRandom.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using namespace FilterMenuItems;

QImage knownPicture(int seed)
{
    QImage picture(8, 7, QImage::Format_RGB32);
    paintKnownPicture(picture, seed);
    return picture;
}

class FilterCommandTest : public ::testing::Test {
protected:
    FilterCommandTest()
        : m_stampBefore(knownPicture(3))
        , m_canvasBefore(knownPicture(120))
    {
        m_document.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image = m_stampBefore; });
        m_document.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image = m_canvasBefore; });
        editCard(m_document, [&](Card &card) { card.state.TextLines[4] = QStringLiteral("Regel vier"); });
    }

    ~FilterCommandTest() override { InstallFilterEventHook({}); }

    const FilterCommand &command(const char *item)
    {
        const FilterCommand *found = findFilterCommand(QString::fromLatin1(item));
        EXPECT_NE(found, nullptr) << item;
        return found ? *found : filterCommands().front();
    }

    CardDocument m_document;
    const QImage m_stampBefore;
    const QImage m_canvasBefore;
};

} // namespace

TEST_F(FilterCommandTest, EachItemFiltersItsTargetWithItsCodeAndParameter)
{
    for (const Expected &expected : FilterMenuItems::Filters) {
        SCOPED_TRACE(expected.item);
        m_document.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image = m_stampBefore; });
        m_document.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image = m_canvasBefore; });
        QSignalSpy stampChanged(&m_document, &CardDocument::stampChanged);
        QSignalSpy canvasChanged(&m_document, &CardDocument::canvasChanged);
        const UniformRandom randomBefore = ProgramRandom();

        runFilterCommand(m_document, command(expected.item));

        // The same filter straight through the engine, from the same random numbers.
        ProgramRandom() = randomBefore;
        const bool onStamp = expected.target == On::Stamp;
        QImage wanted = onStamp ? m_stampBefore : m_canvasBefore;
        ApplyFilter(expected.code, wanted, expected.parameter);
        const QImage &target = onStamp ? m_document.stamp().image() : m_document.canvas().image();
        const QImage &other = onStamp ? m_document.canvas().image() : m_document.stamp().image();
        EXPECT_NE(target, onStamp ? m_stampBefore : m_canvasBefore);
        EXPECT_EQ(target, wanted);
        EXPECT_EQ(other, onStamp ? m_canvasBefore : m_stampBefore);
        EXPECT_EQ(stampChanged.count(), onStamp ? 1 : 0);
        EXPECT_EQ(canvasChanged.count(), onStamp ? 0 : 1);
        EXPECT_EQ(m_document.state().TextLines[4], QStringLiteral("Regel vier"));
    }
}

TEST_F(FilterCommandTest, LightBrightensTheStampByFourAndTheBackgroundByTen)
{
    QImage grey(4, 4, QImage::Format_RGB32);
    grey.fill(qRgb(100, 100, 100));
    m_document.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image = grey; });
    m_document.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image = grey; });
    runFilterCommand(m_document, command("EditConvert(2)"));
    runFilterCommand(m_document, command("AchtergrondEdit(2)"));
    EXPECT_EQ(m_document.stamp().image().pixel(1, 1), qRgb(104, 104, 104));
    EXPECT_EQ(m_document.canvas().image().pixel(1, 1), qRgb(110, 110, 110));
    runFilterCommand(m_document, command("EditConvert(3)"));
    EXPECT_EQ(m_document.stamp().image().pixel(1, 1), qRgb(100, 100, 100)); // 104 * 0.96
}

TEST_F(FilterCommandTest, FlipsTurnTheStampAndMirrorTheBackground)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    const QRgb a = qRgb(1, 0, 0), b = qRgb(2, 0, 0), c = qRgb(3, 0, 0), d = qRgb(4, 0, 0),
               e = qRgb(5, 0, 0), f = qRgb(6, 0, 0);
    picture.setPixel(0, 0, a), picture.setPixel(1, 0, b), picture.setPixel(2, 0, c);
    picture.setPixel(0, 1, d), picture.setPixel(1, 1, e), picture.setPixel(2, 1, f);

    m_document.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image = picture; });
    runFilterCommand(m_document, command("EditFlipConvert(0)"));
    const QImage &stamp = m_document.stamp().image();
    EXPECT_EQ(stamp.pixel(0, 0), c);
    EXPECT_EQ(stamp.pixel(2, 1), d);
    EXPECT_EQ(m_document.canvas().image(), m_canvasBefore);

    m_document.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image = picture; });
    runFilterCommand(m_document, command("EditFlipConvert(1)"));
    EXPECT_EQ(m_document.stamp().image().pixel(0, 0), d);
    EXPECT_EQ(m_document.stamp().image().pixel(2, 1), c);

    m_document.drawOnCanvas(QStringLiteral("Test"), [&](QImage &image) { image = picture; });
    m_document.drawOnStamp(QStringLiteral("Test"), [&](QImage &image) { image = m_stampBefore; });
    QSignalSpy canvasChanged(&m_document, &CardDocument::canvasChanged);
    runFilterCommand(m_document, command("AchtergrondEdit(6)"));
    EXPECT_EQ(m_document.canvas().image().pixel(0, 1), f);
    EXPECT_EQ(m_document.canvas().image().pixel(1, 0), b);
    EXPECT_EQ(m_document.stamp().image(), m_stampBefore);
    EXPECT_EQ(canvasChanged.count(), 1);
}

TEST_F(FilterCommandTest, SubmenuParentsChangeNothingAndAreNoUndoStep)
{
    const QString lastStep = m_document.undoName();
    for (const char *parent : {"EditConvert(5)", "EditConvert(8)"}) {
        runFilterCommand(m_document, command(parent));
        EXPECT_EQ(m_document.stamp().image(), m_stampBefore) << parent;
        EXPECT_EQ(m_document.canvas().image(), m_canvasBefore) << parent;
        EXPECT_EQ(m_document.undoName(), lastStep) << parent;
    }
}

TEST_F(FilterCommandTest, HourglassOnlyForTheBewerkenMenusThemselves)
{
    std::optional<bool> waitingSeen;
    InstallFilterEventHook([&waitingSeen] {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        waitingSeen = cursor && cursor->shape() == Qt::WaitCursor;
    });
    for (const char *item : {"EditConvert(2)", "AchtergrondEdit(1)"}) {
        waitingSeen.reset();
        runFilterCommand(m_document, command(item));
        EXPECT_EQ(waitingSeen, std::optional(true)) << item;
    }
    for (const char *item : {"EditContrastConvert(1)", "EditSwap(2)", "EditColors(3)"}) {
        waitingSeen.reset();
        runFilterCommand(m_document, command(item));
        EXPECT_EQ(waitingSeen, std::optional(false)) << item;
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(FilterCommandTest, ItemsAreFoundByObjectNameAndCaption)
{
    const FilterCommand *relief = findFilterCommand(u"AchtergrondEdit", 4);
    ASSERT_NE(relief, nullptr);
    EXPECT_EQ(relief->objectName(), QStringLiteral("AchtergrondEdit(4)"));
    EXPECT_EQ(relief->caption, QString::fromUtf8("Reliëf"));
    EXPECT_EQ(findFilterCommand(u"EditConvert(16)"), nullptr);
    EXPECT_EQ(findFilterCommand(u"EditColors(0)"), nullptr);
    EXPECT_EQ(findFilterCommand(u"AchtergrondEdit", 7), nullptr);
}
