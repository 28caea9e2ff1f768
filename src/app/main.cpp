#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "app/CommandLine.h"
#include "app/DutchLanguage.h"
#include "app/FirstPaintProbe.h"
#include "app/InstallCommands.h"
#include "app/MainWindow.h"
#include "app/WidgetQuestions.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Answered before QApplication exists: no display is needed to ask for help.
    if (const auto answer = CommandLine::earlyAnswer(argc, argv)) {
        std::fputs(answer->text.c_str(), stdout);
        return answer->exitCode;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumovander"));
    DutchLanguage::install(app);

    CardDocument document;
    WidgetQuestions questions;
    MainWindow window(document, questions, DataFolder::settingsFile());
    questions.setParentWindow(&window);
    installSubsystemCommands(window);

    // Only the startup benchmark and the screenshot script set these.
    if (qEnvironmentVariableIsSet("LUMOVANDER_EXIT_AFTER_FIRST_PAINT"))
        afterFirstPaint(&window, [] {
            std::puts("painted");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    const QString screenshot = qEnvironmentVariable("LUMOVANDER_SCREENSHOT");
    if (!screenshot.isEmpty())
        afterFirstPaint(&window, [&window, screenshot] {
            QCoreApplication::exit(window.grab().save(screenshot) ? 0 : 1);
        });

    window.show();
    return app.exec();
}
