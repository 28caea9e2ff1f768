#pragma once

// One run that loads the same picture three ways, interleaved, for the decoder helpers'
// benchmarks: decoded in process (what the helper does, or what the program did before
// it), through the helper (PhotoLoader::load, what every caller uses), and "Foto
// Inladen" in the window up to the painted view.
#include "window/MainWindow.h"
#include "core/CardDocument.h"
#include "core/Questions.h"
#include "stamp/PhotoLoader.h"
#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/ui/StampCommands.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <functional>
#include <sys/resource.h>
#include <vector>

namespace HelperBench {

// CPU time of this process and of its finished helpers: on a busy machine the wall clock
// says more about the neighbours than about us.
inline double cpuMs()
{
    double ms = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        ms += (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    }
    return ms;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class PhotoAnswer : public Questions {
public:
    QString path;

    bool yesNo(const QString &, const QString &) override { return false; }
    Answer yesNoCancel(const QString &, const QString &) override { return Answer::Cancel; }
    void message(const QString &, const QString &) override {}
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &) override { return path; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QFont> chooseFont(const QFont &) override { return {}; }
};

// Writes the picture's bytes to a file of that name and prints the medians of `runs`
// rounds (a QApplication must exist); `inProcess` decodes the bytes and says whether
// that gave a picture.
inline void run(const QByteArray &bytes, const QString &fileName, const QString &title,
                const QString &inProcessLabel, const std::function<bool(const QByteArray &)> &inProcess, int runs)
{
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the picture");
    file.close();

    QTemporaryDir settingsDir;
    CardDocument document;
    PhotoAnswer questions;
    questions.path = path;
    MainWindow window{document, questions, settingsDir.filePath(QStringLiteral("Lumovander.ini"))};
    installStampCommands(window);
    window.show();
    window.action(QStringLiteral("LayoutShow(2)"))->trigger();
    QCoreApplication::processEvents();

    std::vector<double> direct, helper, menu;
    double cpuDirect = 0, cpuHelper = 0, cpuMenu = 0;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        // A user takes a moment to choose the next file; the spare helper starts meanwhile.
        QThread::msleep(300);
        double cpu = cpuMs();
        timer.start();
        if (!inProcess(bytes))
            qFatal("the picture does not decode in process");
        direct.push_back(timer.nsecsElapsed() / 1e6);
        cpuDirect += cpuMs() - cpu;

        cpu = cpuMs();
        timer.start();
        if (PhotoLoader::load(path).isNull())
            qFatal("the helper does not decode the picture");
        helper.push_back(timer.nsecsElapsed() / 1e6);
        cpuHelper += cpuMs() - cpu;

        cpu = cpuMs();
        timer.start();
        window.action(QStringLiteral("PasFotoInladen"))->trigger();
        window.photoView()->repaint();
        menu.push_back(timer.nsecsElapsed() / 1e6);
        cpuMenu += cpuMs() - cpu;
        if (!window.photoWorkspace().isPhotoLoaded())
            qFatal("the photo does not load");
    }
    const double decoded = median(direct), loaded = median(helper), shown = median(menu);
    out << title << ", " << bytes.size() << " bytes (median of " << runs << ", interleaved, 300 ms apart)\n";
    out << QStringLiteral("  %1 %2 ms\n").arg(inProcessLabel, -44).arg(decoded, 8, 'f', 1);
    out << QStringLiteral("  %1 %2 ms\n").arg(QStringLiteral("through the helper (PhotoLoader::load)"), -44).arg(loaded, 8, 'f', 1);
    out << QStringLiteral("  %1 %2 ms\n").arg(QStringLiteral("Foto Inladen up to the painted view"), -44).arg(shown, 8, 'f', 1);
    out << QStringLiteral("  %1 %2\n").arg(QStringLiteral("helper / in process"), -44).arg(loaded / decoded, 8, 'f', 2);
    out << QStringLiteral("  %1 %2\n").arg(QStringLiteral("Foto Inladen / in process"), -44).arg(shown / decoded, 8, 'f', 2);
    out << "CPU time per load, this process and its helpers (mean of " << runs << ")\n";
    out << QStringLiteral("  in process %1 ms, through the helper %2 ms, Foto Inladen %3 ms\n")
               .arg(cpuDirect / runs, 0, 'f', 1).arg(cpuHelper / runs, 0, 'f', 1).arg(cpuMenu / runs, 0, 'f', 1);
}

} // namespace HelperBench
