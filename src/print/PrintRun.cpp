#include "print/PrintRun.h"

#include "core/Questions.h"

namespace ScanAnimation {

void run(PrintDialogView &view, const WaitFunction &wait)
{
    view.setStatusText(Scanning);
    for (int height = 0; height <= LastHeight; ++height) {
        view.showScanLine(height);
        wait(StepSeconds);
    }
    view.hideScanLine();
    view.setStatusText(AtRest);
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
    view.setPrinting(true);
    ScanAnimation::run(view, wait);
    const PrintOutcome outcome = print(copies);
    view.setPrinting(false);
    if (outcome.isFailed())
        questions.message(MessageTitle, outcome.message);
    return outcome;
}
