#pragma once

#include <QObject>
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
    bool stopped = false; // by the user, through the stop switch
    QString message;      // Dutch, when not ok
};

// A window's hold on a run: given one, the run waits with the caller's events going (the
// window repaints, its controls answer), and stop() ends it at once, Ghostscript killed.
class StopSwitch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void stop()
    {
        m_stopped = true;
        Q_EMIT stopped();
    }
    bool isStopped() const { return m_stopped; }

Q_SIGNALS:
    void stopped();

private:
    bool m_stopped = false;
};

// Runs the program with the arguments in folder and waits at most the time limit; past
// it the program is killed. Without a stop switch it waits without processing events,
// as a batch run does.
Run run(const Setup &setup, const QStringList &arguments, const QString &folder, StopSwitch *stop = nullptr);

extern const QString MissingMessage;
extern const QString StoppedMessage;

} // namespace Ghostscript
