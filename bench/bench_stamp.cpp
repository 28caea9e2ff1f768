// The stamp photo panel of the designer window with a 6000 x 4000 JPEG, in one run:
// "Foto Inladen" up to the painted view beside decoding the file alone, every zoom
// level, and the peak memory with the photo loaded and zoomed to 200 %.
#include "BenchSupport.h"
#include "core/CardDocument.h"
#include "window/MainWindow.h"
#include "stamp/panel/PhotoView.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/ui/StampCommands.h"
#include "stamp/ZoomLevels.h"
#include "core/Questions.h"

#include <QAction>
#include <QApplication>

#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

QTextStream out(stdout);

// Soft colour fields with fine noise, so that the JPEG is as large and slow to decode
// as a camera photo of that size.
QString writePhoto(const QTemporaryDir &dir)
{
    const QImage image = Bench::noisyPicture(6000, 4000, [](int x, int y, quint32 noise) {
        const int n = int(noise >> 27) - 16;
        const double u = x / 6000.0, v = y / 4000.0;
        return qRgb(std::clamp(int(120 + 100 * std::sin(6 * u + 2 * v)) + n, 0, 255),
                    std::clamp(int(130 + 90 * std::cos(5 * v - 3 * u)) + n, 0, 255),
                    std::clamp(int(110 + 80 * std::sin(9 * u * v)) + n, 0, 255));
    });
    return Bench::writeJpeg(dir, QStringLiteral("foto-6000x4000.jpg"), image);
}

qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Lets VmHWM start again from the present size, so that only what follows counts.
void resetPeakMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

// The file dialog answers with the benchmark's photo; nothing else is asked.
class PhotoAnswer : public Questions {
public:
    QString path;

    bool yesNo(const QString &, const QString &) override { return false; }
    void message(const QString &, const QString &) override {}
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override { return {}; }
    Answer yesNoCancel(const QString &, const QString &) override { return Answer::Cancel; }
    QString openFileName(const QString &) override { return path; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QFont> chooseFont(const QFont &) override { return {}; }
};

// The designer window with the stamp commands, shown offscreen.
struct PhotoWindow {
    QTemporaryDir settingsDir;
    CardDocument document;
    PhotoAnswer questions;
    MainWindow window{document, questions, settingsDir.filePath(QStringLiteral("Lumovander.ini"))};

    PhotoWindow()
    {
        installStampCommands(window);
        window.show();
        window.action(QStringLiteral("LayoutShow(2)"))->trigger();
        QCoreApplication::processEvents();
    }
    // A menu command up to the photo view painted on the screen.
    void runAndPaint(const QString &item)
    {
        window.action(item)->trigger();
        window.photoView()->repaint();
    }
    void loadPhoto(const QString &path)
    {
        questions.path = path;
        runAndPaint(QStringLiteral("PasFotoInladen"));
        if (!window.photoWorkspace().isPhotoLoaded())
            qFatal("the photo does not load");
    }
    void zoom(int index) { runAndPaint(QStringLiteral("SizeProcent(%1)").arg(index)); }
};

void benchLoading(PhotoWindow &photoWindow, const QString &path)
{
    constexpr int Runs = 5;
    std::vector<double> decoding, loading;
    QElapsedTimer timer;
    for (int i = 0; i < Runs; ++i) {
        timer.start();
        QImageReader reader(path);
        reader.setAllocationLimit(0);
        if (reader.read().isNull())
            qFatal("the photo does not decode");
        decoding.push_back(Bench::elapsedMs(timer));

        timer.start();
        photoWindow.loadPhoto(path);
        loading.push_back(Bench::elapsedMs(timer));
    }
    const double decode = Bench::median(decoding), load = Bench::median(loading);
    out << "\"Foto Inladen\" in the window (offscreen), 6000 x 4000 JPEG (median of " << Runs
        << ", interleaved)\n";
    out << QStringLiteral("  decoding alone (QImageReader)          %1 ms\n").arg(decode, 8, 'f', 1);
    out << QStringLiteral("  Foto Inladen up to the painted view    %1 ms\n").arg(load, 8, 'f', 1);
    out << QStringLiteral("  ratio                                  %1    (target <= 1.15)\n")
               .arg(load / decode, 8, 'f', 3);
}

void benchZoom(PhotoWindow &photoWindow)
{
    constexpr int Runs = 21;
    out << "Zoom levels in the enlarged panel, menu item up to the painted view (median of " << Runs
        << "; target <= 16 ms each)\n";
    double slowest = 0;
    for (int index : ZoomLevels::Indexes) {
        std::vector<double> times;
        QElapsedTimer timer;
        for (int i = 0; i < Runs; ++i) {
            photoWindow.zoom(index == ZoomLevels::Actual ? 1 : ZoomLevels::Actual);
            timer.start();
            photoWindow.zoom(index);
            times.push_back(Bench::elapsedMs(timer));
        }
        if (photoWindow.window.photoWorkspace().checkedZoomIndex() != index)
            qFatal("the zoom level was not taken");
        const double ms = Bench::median(times);
        slowest = std::max(slowest, ms);
        out << QStringLiteral("  %1 %: %2 ms\n").arg(index * 10, 3).arg(ms, 7, 'f', 3);
    }
    out << QStringLiteral("  slowest: %1 ms\n").arg(slowest, 0, 'f', 3);
}

void benchMemory(PhotoWindow &photoWindow, const QString &path)
{
    resetPeakMemory();
    const qint64 before = statusKb("VmRSS:");
    photoWindow.loadPhoto(path);
    photoWindow.runAndPaint(QStringLiteral("PasfotoVergroting"));
    photoWindow.zoom(20);
    const qint64 peak = statusKb("VmHWM:");
    const double decodedMb = photoWindow.window.photoWorkspace().backPic().image().sizeInBytes() / 1048576.0;
    const double peakMb = peak / 1024.0, startMb = before / 1024.0;
    out << "Peak memory, photo loaded in the window and zoomed to 200 %\n";
    out << QStringLiteral("  decoded photo          %1 MB\n").arg(decodedMb, 8, 'f', 1);
    out << QStringLiteral("  resident before        %1 MB\n").arg(startMb, 8, 'f', 1);
    out << QStringLiteral("  peak (VmHWM)           %1 MB\n").arg(peakMb, 8, 'f', 1);
    out << QStringLiteral("  target 2.5 x decoded + 60 MB = %1 MB; peak / decoded = %2\n")
               .arg(2.5 * decodedMb + 60, 0, 'f', 1)
               .arg(peakMb / decodedMb, 0, 'f', 2);
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = writePhoto(dir);
    out << "Test photo: " << QFile(path).size() / 1024 << " KB JPEG\n";
    PhotoWindow photoWindow;
    benchMemory(photoWindow, path);
    out.flush();
    benchZoom(photoWindow);
    out.flush();
    benchLoading(photoWindow, path);
    return 0;
}
