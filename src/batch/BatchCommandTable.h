#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

// The commands of lumovander-batch by name, each with the help its --help prints:
// usage, what each argument means and an example, as the manual page has them.
struct BatchCommand {
    QString name;
    std::function<int(const QStringList &, QTextStream &)> run;
    QString help;
};

const QList<BatchCommand> &batchCommands();

// What `lumovander-batch --help` prints: every command's usage line.
QString batchOverview();

// The whole command line after the program's name. "--help" (or "-h") alone prints
// the overview, after a command's name that command's help, both on out with status 0;
// otherwise the command runs. Whatever escapes a command is one line on err.
int runBatch(const QStringList &args, QTextStream &out, QTextStream &err);
