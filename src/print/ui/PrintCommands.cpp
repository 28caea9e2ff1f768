#include "print/ui/PrintCommands.h"

#include "window/CardView.h"

#include "core/CommandGuard.h"
#include "print/ui/AfdrukkenDialog.h"
#include "core/Algemeen.h"
#include "core/CardDocument.h"
#include "window/MainWindow.h"
#include "print/CorrectionFile.h"
#include "print/ui/MargesDialog.h"
#include "core/Questions.h"
#include "core/SettingsFile.h"
#include "print/ui/SystemPrinter.h"

#include <QAction>
#include <memory>

namespace {

using PrinterSource = std::function<PrinterStation &()>;

// Margins that are confirmed (or reset) are in the file at once, not only at exit:
// after a crash the next start, and lumovander-batch meanwhile, print with them.
void keepSettings(MainWindow &window)
{
    if (!SettingsFile::write(window.settingsPath(), window.document().printSettings()))
        window.questions().message(QStringLiteral("Lumovander"),
                                   QStringLiteral("De afdrukinstellingen konden niet worden bewaard in ")
                                       + window.settingsPath() + QLatin1Char('.'));
}

void install(MainWindow &window, const PrinterSource &printer, const WaitFunction &wait)
{
    QObject::connect(window.action(QStringLiteral("FileMarges")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window, printer] {
                         const PrintSettings before = window.document().printSettings();
                         MargesDialog dialog(window.document().printSettings(), window.questions(), printer(),
                                             CorrectionFile::besideSettings(window.settingsPath()), &window);
                         if (dialog.exec() == QDialog::Accepted || window.document().printSettings() != before)
                             keepSettings(window);
                         // Another card size is another shape on screen and other millimetres.
                         if (window.document().printSettings() != before)
                             window.cardView()->followSheet();
                     }));
    QObject::connect(window.action(QStringLiteral("FileSetupPrinter")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window, printer] { printer().setUp(&window); }));
    QObject::connect(window.action(QStringLiteral("FilePrint")), &QAction::triggered, &window,
                     CommandGuard::guarded(window.questions(), [&window, printer, wait] {
                         // The whole card, whichever side the window shows.
                         AfdrukkenDialog dialog(window.document().card(), window.document().printSettings(),
                                                window.questions(), printer(), wait,
                                                CorrectionFile::besideSettings(window.settingsPath()), &window);
                         dialog.exec();
                     }));
}

} // namespace

void installPrintCommands(MainWindow &window)
{
    // Made on first use: asking the system for its printers can take a while, and the
    // window should not wait for it at start-up.
    auto system = std::make_shared<std::unique_ptr<SystemPrinter>>();
    const PrinterSource printer = [system]() -> PrinterStation & {
        if (!*system)
            *system = std::make_unique<SystemPrinter>();
        return **system;
    };
    install(window, printer, &Algemeen::WaitSeconds);
}

void installPrintCommands(MainWindow &window, PrinterStation &printer, WaitFunction wait)
{
    install(window, [&printer]() -> PrinterStation & { return printer; }, wait);
}
