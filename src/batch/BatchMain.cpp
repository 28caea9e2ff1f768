#include "batch/BatchCommandTable.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    // Text and PDF output need fonts, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runBatch(app.arguments().mid(1), out, err);
}
