#include "batch/BatchCommands.h"

#include <QGuiApplication>
#include <functional>
#include <exception>
#include <map>
#include <new>

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
    // The one boundary of every command: whatever escapes one is a failure of one line.
    // The files being written remove themselves on the way out.
    QString failure;
    try {
        return command->second(args, err);
    } catch (const std::bad_alloc &) {
        failure = QStringLiteral("out of memory");
    } catch (const std::exception &e) {
        failure = QString::fromLocal8Bit(e.what()).simplified();
    } catch (...) {
        failure = QStringLiteral("unexpected error");
    }
    err << "lumovander-batch " << command->first << ": " << failure << '\n';
    return 1;
}
