// bench_startup [LABEL=PROGRAM...]
// Time from process start to the first painted main window: the designer window
// against a bare Qt main window of the same size, measured side by side in one run.
// A third window, the bare one with a single caption, shows what the first text costs
// any Qt program (the font system starts then), so that the ratio can be read apart
// from that share.
#include "BenchSupport.h"
#include "program/FirstPaintProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <sys/resource.h>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 15;

int runBareWindow(int argc, char *argv[], bool withCaption)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setFixedSize(758, 517);
    if (withCaption)
        (new QLabel(QStringLiteral("Kleur tekst"), &window))->move(300, 300);
    afterFirstPaint(&window, [] {
        std::puts("painted");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    window.show();
    return app.exec();
}

struct Timing {
    double wallMs;
    double cpuMs; // of the whole child process, which ends right after its first paint
};

double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// From starting the program until it reports its first paint. The wall time is what
// a user waits; the processor time is steadier on a busy machine.
Timing timeToFirstPaint(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LUMOVANDER_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    const double cpuBefore = childrenCpuMs();
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    while (process.state() != QProcess::NotRunning && !process.canReadLine())
        process.waitForReadyRead(10000);
    const double elapsed = clock.nsecsElapsed() / 1e6;
    const bool painted = process.readLine().trimmed() == "painted";
    process.waitForFinished(10000);
    return {painted ? elapsed : -1, childrenCpuMs() - cpuBefore};
}

} // namespace

using Bench::median;

int main(int argc, char *argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "--bare")
        return runBareWindow(argc, argv, false);
    if (argc > 1 && QByteArray(argv[1]) == "--bare-caption")
        return runBareWindow(argc, argv, true);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    QTemporaryDir folder;

    struct Contender {
        QString label;
        QString program;
        QStringList arguments;
        std::vector<double> wall, cpu;
    };
    std::vector<Contender> contenders{
        {QStringLiteral("lumovander main window"), QStringLiteral(LUMOVANDER_PROGRAM), {}, {}, {}},
        {QStringLiteral("bare Qt main window"), self, {QStringLiteral("--bare")}, {}, {}},
        {QStringLiteral("the same, one caption"), self, {QStringLiteral("--bare-caption")}, {}, {}}};
    // Other builds of the program, as LABEL=PATH, timed side by side with this one.
    for (int i = 1; i < argc; ++i) {
        const QString named = QString::fromLocal8Bit(argv[i]);
        const qsizetype equals = named.indexOf(u'=');
        contenders.push_back({equals > 0 ? named.left(equals) : named, named.mid(equals + 1), {}, {}, {}});
    }

    for (int run = 0; run < kRuns; ++run)
        for (Contender &c : contenders) {
            const Timing t = timeToFirstPaint(c.program, c.arguments, folder.path());
            if (t.wallMs < 0) {
                std::fprintf(stderr, "%s did not report its first paint\n", qPrintable(c.program));
                return 1;
            }
            c.wall.push_back(t.wallMs);
            c.cpu.push_back(t.cpuMs);
        }

    const double bareWall = median(contenders[1].wall), bareCpu = median(contenders[1].cpu);
    std::printf("startup to first paint, median of %d runs each, alternating (offscreen)\n", kRuns);
    std::printf("                           wall time    processor time   ratio to the bare window\n");
    for (const Contender &c : contenders)
        std::printf("  %-22s : %7.1f ms   %7.1f ms      %5.2f  %5.2f\n", qPrintable(c.label), median(c.wall),
                    median(c.cpu), median(c.wall) / bareWall, median(c.cpu) / bareCpu);
    std::printf("  (target: the main window within 1.5 x the bare window's wall time)\n");
    return 0;
}
