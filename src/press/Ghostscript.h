#pragma once

#include <QString>
#include <QStringList>

// Ghostscript, the maintained engine that turns the press page into PDF/X, run as a
// program of its own under a wall-clock limit: whatever it does (missing, failing,
// hanging) costs the program nothing but a Dutch message.
namespace Ghostscript {

struct Setup {
    // The program: a path, or a name looked up on PATH. Tests point it elsewhere.
    QString program = QStringLiteral("gs");
    int timeLimitMs = 60000;
};

struct Run {
    bool ok = false;
    QString message; // Dutch, when not ok
};

// Runs the program with the arguments in folder and waits at most the time limit; past
// it the program is killed.
Run run(const Setup &setup, const QStringList &arguments, const QString &folder);

extern const QString MissingMessage;

} // namespace Ghostscript
