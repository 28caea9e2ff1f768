// Time from process start to the first painted main window: the designer window
// against a bare Qt main window of the same size, measured side by side in one run.
// A third window, the bare one with a single caption, shows what the first text costs
// any Qt program (the font system starts then), so that the ratio can be read apart
// from that share.
#include "BenchSupport.h"
#include "app/FirstPaintProbe.h"

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
    // Another build of the program may be named, to time it against the same references.
    const QString designer = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LUMOVANDER_PROGRAM);
    QTemporaryDir folder;

    std::vector<double> designerWall, bareWall, captionWall, designerCpu, bareCpu, captionCpu;
    for (int run = 0; run < kRuns; ++run) {
        const Timing d = timeToFirstPaint(designer, {}, folder.path());
        const Timing b = timeToFirstPaint(self, {QStringLiteral("--bare")}, folder.path());
        const Timing c = timeToFirstPaint(self, {QStringLiteral("--bare-caption")}, folder.path());
        if (d.wallMs < 0 || b.wallMs < 0 || c.wallMs < 0) {
            std::fprintf(stderr, "a program did not report its first paint\n");
            return 1;
        }
        designerWall.push_back(d.wallMs);
        bareWall.push_back(b.wallMs);
        captionWall.push_back(c.wallMs);
        designerCpu.push_back(d.cpuMs);
        bareCpu.push_back(b.cpuMs);
        captionCpu.push_back(c.cpuMs);
    }
    std::printf("startup to first paint, median of %d runs each, alternating (offscreen)\n", kRuns);
    std::printf("                          wall time    processor time\n");
    std::printf("  lumovander main window : %7.1f ms   %7.1f ms\n", median(designerWall), median(designerCpu));
    std::printf("  bare Qt main window    : %7.1f ms   %7.1f ms\n", median(bareWall), median(bareCpu));
    std::printf("  the same, one caption  : %7.1f ms   %7.1f ms\n", median(captionWall), median(captionCpu));
    std::printf("  ratio (target <= 1.5)  : %7.2f      %7.2f\n", median(designerWall) / median(bareWall),
                median(designerCpu) / median(bareCpu));
    std::printf("  one caption to bare    : %7.2f      %7.2f\n", median(captionWall) / median(bareWall),
                median(captionCpu) / median(bareCpu));
    return 0;
}
