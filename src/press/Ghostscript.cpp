#include "press/Ghostscript.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace Ghostscript {

const QString MissingMessage =
    QStringLiteral("Ghostscript ontbreekt; installeer het pakket ghostscript om een drukklare PDF te maken.");

const QString StoppedMessage = QStringLiteral("Gestopt op uw verzoek; er is niets geschreven.");

namespace {

QString located(const QString &program)
{
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? program : QString();
    }
    return QStandardPaths::findExecutable(program);
}

enum class Wait { Finished, TimedOut, Stopped };

// The caller's events keep going while the program runs, until it ends, the time limit
// passes or the switch is pressed.
Wait waitProcessingEvents(QProcess &process, int timeLimitMs, StopSwitch &stop)
{
    if (stop.isStopped())
        return Wait::Stopped;
    QEventLoop loop;
    Wait outcome = Wait::Finished;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        outcome = Wait::TimedOut;
        loop.quit();
    });
    QObject::connect(&stop, &StopSwitch::stopped, &loop, [&] {
        outcome = Wait::Stopped;
        loop.quit();
    });
    limit.start(timeLimitMs);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    return outcome;
}

Wait wait(QProcess &process, int timeLimitMs, StopSwitch *stop)
{
    if (stop)
        return waitProcessingEvents(process, timeLimitMs, *stop);
    return process.waitForFinished(timeLimitMs) ? Wait::Finished : Wait::TimedOut;
}

} // namespace

Run run(const Setup &setup, const QStringList &arguments, const QString &folder, StopSwitch *stop)
{
    const QString program = located(setup.program);
    if (program.isEmpty())
        return {false, false, MissingMessage};
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(folder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    if (!process.waitForStarted(setup.timeLimitMs))
        return {false, false, MissingMessage};
    const Wait waited = wait(process, setup.timeLimitMs, stop);
    if (waited != Wait::Finished) {
        process.kill();
        process.waitForFinished(-1);
        if (waited == Wait::Stopped)
            return {false, true, StoppedMessage};
        return {false, false, QStringLiteral("Ghostscript was na %1 s nog niet klaar en is gestopt; de drukklare PDF is "
                                      "niet gemaakt.")
                           .arg(QLocale(QLocale::Dutch).toString(setup.timeLimitMs / 1000.0, 'g', 3))};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAll()).trimmed().section(QLatin1Char('\n'), -1);
        QString message = QStringLiteral("Ghostscript kon de drukklare PDF niet maken (foutcode %1).")
                              .arg(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1);
        if (!said.isEmpty())
            message += QStringLiteral("\r\n") + said.left(300);
        return {false, false, message};
    }
    return {true, false, {}};
}

} // namespace Ghostscript
