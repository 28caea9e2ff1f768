#include "batch/BatchCommands.h"

#include <QGuiApplication>
#include <functional>
#include <map>

int main(int argc, char *argv[])
{
    // Text and PDF output need fonts, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    const std::map<QString, std::function<int(const QStringList &, QTextStream &)>> commands = {
        {QStringLiteral("filter"), batchFilter},
        {QStringLiteral("gradient"), batchGradient},
        {QStringLiteral("render"), batchRender},
        {QStringLiteral("print"), batchPrint},
        {QStringLiteral("calibrate"), batchCalibrate},
    };
    QStringList args = app.arguments().mid(1);
    const auto command = args.isEmpty() ? commands.end() : commands.find(args.first());
    if (command == commands.end()) {
        err << "usage: lumovander-batch filter|gradient|render|print|calibrate ...\n";
        return 2;
    }
    args.removeFirst();
    return command->second(args, err);
}
