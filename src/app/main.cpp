#include "core/CardDocument.h"
#include "core/DataFolder.h"
#include "app/FirstPaintProbe.h"
#include "app/GuardedApplication.h"
#include "app/InstallCommands.h"
#include "app/MainWindow.h"
#include "app/WidgetQuestions.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumovander"));

    CardDocument document;
    WidgetQuestions questions;
    MainWindow window(document, questions, DataFolder::settingsFile());
    questions.setParentWindow(&window);
    app.setQuestions(&questions);
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
