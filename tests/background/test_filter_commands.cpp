#include "CardDocument.h"
#include "FilterCommands.h"
#include "Filters.h"
#include "UniformRandom.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

enum class On { Stamp, Canvas };

// The menu items with the filter code and parameter each must hand to the engine.
struct Expected {
    const char *item;
    On target;
    int code;
    int parameter;
};

constexpr Expected FilterItems[] = {
    {"EditConvert(0)", On::Stamp, 12, 0},          {"EditConvert(1)", On::Stamp, 2, 0},
    {"EditConvert(2)", On::Stamp, 14, 4},          {"EditConvert(3)", On::Stamp, 14, -4},
    {"EditConvert(4)", On::Stamp, 1, 10},          {"EditContrastConvert(1)", On::Stamp, 17, 10},
    {"EditContrastConvert(2)", On::Stamp, 17, -10}, {"EditConvert(6)", On::Stamp, 15, 3},
    {"EditConvert(7)", On::Stamp, 13, 0},          {"EditSwap(1)", On::Stamp, 16, 1},
    {"EditSwap(2)", On::Stamp, 16, 2},             {"EditSwap(3)", On::Stamp, 16, 3},
    {"EditSwap(4)", On::Stamp, 16, 4},             {"EditSwap(5)", On::Stamp, 16, 5},
    {"EditConvert(9)", On::Stamp, 23, 15},         {"EditConvert(10)", On::Stamp, 3, 0},
    {"EditConvert(11)", On::Stamp, 24, 0},         {"EditConvert(12)", On::Stamp, 4, 6},
    {"EditConvert(13)", On::Stamp, 29, 50},        {"EditConvert(14)", On::Stamp, 6, 1},
    {"EditConvert(15)", On::Stamp, 7, 16777215},   {"AchtergrondEdit(0)", On::Canvas, 12, 0},
    {"AchtergrondEdit(1)", On::Canvas, 2, 0},      {"AchtergrondEdit(2)", On::Canvas, 14, 10},
    {"AchtergrondEdit(3)", On::Canvas, 15, 3},     {"AchtergrondEdit(4)", On::Canvas, 13, 0},
    {"AchtergrondEdit(5)", On::Canvas, 23, 15},    {"EditColors(1)", On::Canvas, 16, 1},
    {"EditColors(2)", On::Canvas, 16, 2},          {"EditColors(3)", On::Canvas, 16, 3},
    {"EditColors(4)", On::Canvas, 16, 4},          {"EditColors(5)", On::Canvas, 16, 5},
};

// A small picture with a different colour in every pixel, so that every filter and
// every parameter leaves its own mark.
QImage knownPicture(int seed)
{
    QImage picture(8, 7, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((seed + 37 * x + 11 * y) % 256, (90 + 23 * y + 5 * x * y) % 256,
                                        (200 - 19 * x + 7 * y + seed) % 256));
    return picture;
}

class FilterCommandTest : public ::testing::Test {
protected:
    FilterCommandTest()
        : m_stampBefore(knownPicture(3))
        , m_canvasBefore(knownPicture(120))
    {
        m_document.stamp().image() = m_stampBefore;
        m_document.canvas().image() = m_canvasBefore;
        m_document.state().TextLines[4] = QStringLiteral("Regel vier");
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
    for (const Expected &expected : FilterItems) {
        SCOPED_TRACE(expected.item);
        m_document.stamp().image() = m_stampBefore;
        m_document.canvas().image() = m_canvasBefore;
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
    m_document.stamp().image() = grey;
    m_document.canvas().image() = grey;
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

    m_document.stamp().image() = picture;
    runFilterCommand(m_document, command("EditFlipConvert(0)"));
    const QImage &stamp = m_document.stamp().image();
    EXPECT_EQ(stamp.pixel(0, 0), c);
    EXPECT_EQ(stamp.pixel(2, 1), d);
    EXPECT_EQ(m_document.canvas().image(), m_canvasBefore);

    m_document.stamp().image() = picture;
    runFilterCommand(m_document, command("EditFlipConvert(1)"));
    EXPECT_EQ(m_document.stamp().image().pixel(0, 0), d);
    EXPECT_EQ(m_document.stamp().image().pixel(2, 1), c);

    m_document.canvas().image() = picture;
    m_document.stamp().image() = m_stampBefore;
    QSignalSpy canvasChanged(&m_document, &CardDocument::canvasChanged);
    runFilterCommand(m_document, command("AchtergrondEdit(6)"));
    EXPECT_EQ(m_document.canvas().image().pixel(0, 1), f);
    EXPECT_EQ(m_document.canvas().image().pixel(1, 0), b);
    EXPECT_EQ(m_document.stamp().image(), m_stampBefore);
    EXPECT_EQ(canvasChanged.count(), 1);
}

TEST_F(FilterCommandTest, SubmenuParentsOnlyRepaintTheStamp)
{
    for (const char *parent : {"EditConvert(5)", "EditConvert(8)"}) {
        QSignalSpy stampChanged(&m_document, &CardDocument::stampChanged);
        runFilterCommand(m_document, command(parent));
        EXPECT_EQ(m_document.stamp().image(), m_stampBefore) << parent;
        EXPECT_EQ(m_document.canvas().image(), m_canvasBefore) << parent;
        EXPECT_EQ(stampChanged.count(), 1) << parent;
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
