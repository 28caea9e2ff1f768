#pragma once

#include "print/PrintOutcome.h"

#include <QString>
#include <functional>

class Questions;

// What the print dialog " Kaartjes Afdrukken" shows while it prints; the dialog
// implements it and otherwise only forwards its button.
class PrintDialogView {
public:
    virtual ~PrintDialogView() = default;
    // The status label: "Info..." at rest, "Scanning..." during the animation.
    virtual void setStatusText(const QString &text) = 0;
    // The red line across the preview, shown at a height in preview pixels, or hidden.
    virtual void showScanLine(int height) = 0;
    virtual void hideScanLine() = 0;
    // While printing the pointer is the hourglass and "Print" and "Exit" are disabled,
    // so that one click gives one print and the dialog cannot close under it.
    virtual void setPrinting(bool printing) = 0;
};

// Waits a number of seconds while the windows stay responsive: the dialog passes
// Algemeen::WaitSeconds, tests a function that only counts.
using WaitFunction = std::function<void(double seconds)>;

// The line sweeping down the preview: 181 heights 0..180, a hundredth of a second each.
namespace ScanAnimation {
constexpr int LastHeight = 180;
constexpr double StepSeconds = 0.01;
inline const QString Scanning = QStringLiteral("Scanning...");
inline const QString AtRest = QStringLiteral("Info...");

void run(PrintDialogView &view, const WaitFunction &wait);
} // namespace ScanAnimation

// Prints the sheet in a number of copies (1..10).
using SheetPrinter = std::function<PrintOutcome(int copies)>;

// The whole of "Print" with the sheet count box's text: the animation, then the print
// itself. A count that is not a whole number from 1 to 10, and a failed print, are
// shown as a message. Returns what the print did.
PrintOutcome runPrint(PrintDialogView &view, Questions &questions, const WaitFunction &wait,
                      const QString &sheetCountText, const SheetPrinter &print);
