#include "press/Ghostscript.h"

#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>

namespace Ghostscript {

const QString MissingMessage =
    QStringLiteral("Ghostscript ontbreekt; installeer het pakket ghostscript om een drukklare PDF te maken.");

namespace {

QString located(const QString &program)
{
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? program : QString();
    }
    return QStandardPaths::findExecutable(program);
}

} // namespace

Run run(const Setup &setup, const QStringList &arguments, const QString &folder)
{
    const QString program = located(setup.program);
    if (program.isEmpty())
        return {false, MissingMessage};
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(folder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    if (!process.waitForStarted(setup.timeLimitMs))
        return {false, MissingMessage};
    if (!process.waitForFinished(setup.timeLimitMs)) {
        process.kill();
        process.waitForFinished(-1);
        return {false, QStringLiteral("Ghostscript was na %1 s nog niet klaar en is gestopt; de drukklare PDF is "
                                      "niet gemaakt.")
                           .arg(QLocale(QLocale::Dutch).toString(setup.timeLimitMs / 1000.0, 'g', 3))};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAll()).trimmed().section(QLatin1Char('\n'), -1);
        QString message = QStringLiteral("Ghostscript kon de drukklare PDF niet maken (foutcode %1).")
                              .arg(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1);
        if (!said.isEmpty())
            message += QStringLiteral("\r\n") + said.left(300);
        return {false, message};
    }
    return {true, {}};
}

} // namespace Ghostscript
