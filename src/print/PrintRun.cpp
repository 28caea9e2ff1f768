#include "print/PrintRun.h"

#include "core/Questions.h"

#include <utility>

namespace {

// Runs its action when the scope ends, however it ends: a print that throws (no memory
// for a huge sheet, a failing device) leaves the command through an exception, and the
// dialog must not stay busy with "Exit" refusing to close it.
template <typename Action>
class OnScopeExit {
public:
    explicit OnScopeExit(Action action) : m_action(std::move(action)) {}
    ~OnScopeExit() { m_action(); }
    OnScopeExit(const OnScopeExit &) = delete;
    OnScopeExit &operator=(const OnScopeExit &) = delete;

private:
    Action m_action;
};

} // namespace

namespace ScanAnimation {

void run(PrintDialogView &view, const WaitFunction &wait)
{
    view.setStatusText(Scanning);
    const OnScopeExit atRest([&view] {
        view.hideScanLine();
        view.setStatusText(AtRest);
    });
    for (int height = 0; height <= LastHeight; ++height) {
        view.showScanLine(height);
        wait(StepSeconds);
    }
}

} // namespace ScanAnimation

namespace {

const QString MessageTitle = QStringLiteral("Lumovander");
constexpr int MaxSheets = 10;

// 0 when the text is not a whole number of sheets the box offers.
int sheetCount(const QString &text)
{
    bool ok = false;
    const int count = text.trimmed().toInt(&ok);
    return (ok && count >= 1 && count <= MaxSheets) ? count : 0;
}

} // namespace

PrintOutcome runPrint(PrintDialogView &view, Questions &questions, const WaitFunction &wait,
                      const QString &sheetCountText, const SheetPrinter &print)
{
    const int copies = sheetCount(sheetCountText);
    if (copies == 0) {
        const PrintOutcome refused = PrintOutcome::failed(
            QStringLiteral("Het aantal pagina's moet een heel getal van 1 tot %1 zijn.").arg(MaxSheets));
        questions.message(MessageTitle, refused.message);
        return refused;
    }
    // The dialog is at rest again before the message shows, and after an exception too.
    const PrintOutcome outcome = [&] {
        view.setPrinting(true);
        const OnScopeExit idle([&view] { view.setPrinting(false); });
        ScanAnimation::run(view, wait);
        return print(copies);
    }();
    if (outcome.isFailed())
        questions.message(MessageTitle, outcome.message);
    return outcome;
}
