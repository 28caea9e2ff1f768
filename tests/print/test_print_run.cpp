#include "print/PrintRun.h"
#include "support/ScriptedQuestions.h"

#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

namespace {

// Notes everything the dialog is told, in order, with the waits between.
class RecordingView : public PrintDialogView {
public:
    QStringList events;
    QList<int> lineHeights;
    bool printing = false;

    void setStatusText(const QString &text) override { events.append(QStringLiteral("status ") + text); }
    void showScanLine(int height) override { lineHeights.append(height); }
    void hideScanLine() override { events.append(QStringLiteral("hide line")); }
    void setPrinting(bool on) override
    {
        printing = on;
        events.append(on ? QStringLiteral("busy") : QStringLiteral("idle"));
    }
};

} // namespace

TEST(ScanAnimation, SweepsHeightsZeroTo180WithAHundredthBetween)
{
    RecordingView view;
    QList<double> waits;
    ScanAnimation::run(view, [&](double s) { waits.append(s); });
    ASSERT_EQ(view.lineHeights.size(), 181);
    EXPECT_EQ(view.lineHeights.first(), 0);
    EXPECT_EQ(view.lineHeights.last(), 180);
    for (int i = 1; i < view.lineHeights.size(); ++i)
        EXPECT_EQ(view.lineHeights[i], view.lineHeights[i - 1] + 1);
    ASSERT_EQ(waits.size(), 181);
    EXPECT_EQ(waits.first(), 0.01);
    EXPECT_EQ(view.events, (QStringList{QStringLiteral("status Scanning..."), QStringLiteral("hide line"),
                                        QStringLiteral("status Info...")}));
}

TEST(PrintRun, PrintsAfterTheAnimationWithTheSheetCountAsCopiesWhileBusy)
{
    RecordingView view;
    ScriptedQuestions questions;
    int waits = 0;
    int copiesAsked = 0;
    bool busyWhilePrinting = false;
    int waitsBeforePrint = 0;
    const PrintOutcome outcome = runPrint(view, questions, [&](double) { ++waits; }, QStringLiteral("3"),
                                          [&](int copies) {
                                              copiesAsked = copies;
                                              busyWhilePrinting = view.printing;
                                              waitsBeforePrint = waits;
                                              return PrintOutcome::printed();
                                          });
    EXPECT_TRUE(outcome.isPrinted());
    EXPECT_EQ(copiesAsked, 3);
    EXPECT_TRUE(busyWhilePrinting);
    EXPECT_EQ(waitsBeforePrint, 181) << "the printer is touched only after the whole animation";
    EXPECT_FALSE(view.printing);
    EXPECT_TRUE(questions.messages.isEmpty());
}

TEST(PrintRun, FailureShowsItsMessageAndEndsBusy)
{
    RecordingView view;
    ScriptedQuestions questions;
    const PrintOutcome outcome = runPrint(view, questions, [](double) {}, QStringLiteral("1"), [](int) {
        return PrintOutcome::failed(QStringLiteral("De printer gaf een fout."));
    });
    EXPECT_TRUE(outcome.isFailed());
    EXPECT_EQ(questions.messages, QStringList{QStringLiteral("Lumovander|De printer gaf een fout.")});
    EXPECT_FALSE(view.printing);
}

TEST(PrintRun, APrintThatThrowsLeavesTheDialogAtRest)
{
    RecordingView view;
    ScriptedQuestions questions;
    EXPECT_THROW(runPrint(view, questions, [](double) {}, QStringLiteral("1"),
                          [](int) -> PrintOutcome { throw std::bad_alloc(); }),
                 std::bad_alloc);
    EXPECT_FALSE(view.printing);

    // Thrown during the sweep: the line goes and the status is back at rest too.
    RecordingView swept;
    int waits = 0;
    EXPECT_THROW(runPrint(swept, questions, [&](double) {
        if (++waits == 50)
            throw std::runtime_error("weg");
    }, QStringLiteral("1"), [](int) { return PrintOutcome::printed(); }), std::runtime_error);
    EXPECT_FALSE(swept.printing);
    EXPECT_EQ(swept.events.mid(swept.events.size() - 3),
              (QStringList{QStringLiteral("hide line"), QStringLiteral("status Info..."), QStringLiteral("idle")}));
}

TEST(PrintRun, CancelledPrintIsNoFailure)
{
    RecordingView view;
    ScriptedQuestions questions;
    runPrint(view, questions, [](double) {}, QStringLiteral("1"), [](int) { return PrintOutcome::cancelled(); });
    EXPECT_TRUE(questions.messages.isEmpty());
}

TEST(PrintRun, SheetCountOutsideOneToTenIsRefusedBeforeAnything)
{
    for (const QString &text : {QStringLiteral("0"), QStringLiteral("11"), QStringLiteral("2,5"),
                                QStringLiteral("twee"), QString()}) {
        RecordingView view;
        ScriptedQuestions questions;
        bool printed = false;
        const PrintOutcome outcome = runPrint(view, questions, [](double) {}, text, [&](int) {
            printed = true;
            return PrintOutcome::printed();
        });
        EXPECT_FALSE(printed) << text.toStdString();
        EXPECT_TRUE(outcome.isFailed());
        EXPECT_TRUE(view.events.isEmpty()) << "no animation";
        EXPECT_EQ(questions.messages.size(), 1);
    }
    RecordingView view;
    ScriptedQuestions questions;
    int copies = 0;
    runPrint(view, questions, [](double) {}, QStringLiteral("10"), [&](int n) {
        copies = n;
        return PrintOutcome::printed();
    });
    EXPECT_EQ(copies, 10);
}
