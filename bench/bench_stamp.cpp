// The stamp photo panel with a 6000 x 4000 JPEG, in one run: "Foto Inladen" up to the
// view's image beside decoding the file alone, every zoom level, and the peak memory
// with the photo loaded and zoomed to 200 %.
#include "CardDocument.h"
#include "PhotoWorkspace.h"
#include "ZoomLevels.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
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
    const QString path = dir.filePath("foto-6000x4000.jpg");
    QImage image(6000, 4000, QImage::Format_RGB32);
    quint32 noise = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = int(noise >> 27) - 16;
            const double u = x / 6000.0, v = y / 4000.0;
            row[x] = qRgb(std::clamp(int(120 + 100 * std::sin(6 * u + 2 * v)) + n, 0, 255),
                          std::clamp(int(130 + 90 * std::cos(5 * v - 3 * u)) + n, 0, 255),
                          std::clamp(int(110 + 80 * std::sin(9 * u * v)) + n, 0, 255));
        }
    }
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image))
        qFatal("cannot write the test photo");
    return path;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double elapsedMs(const QElapsedTimer &timer) { return timer.nsecsElapsed() / 1e6; }

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

void benchLoading(const QString &path)
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
        decoding.push_back(elapsedMs(timer));

        CardDocument document;
        PhotoWorkspace workspace(document);
        timer.start();
        if (!workspace.loadPhoto(path) || workspace.viewImage().isNull())
            qFatal("the photo does not load");
        loading.push_back(elapsedMs(timer));
    }
    const double decode = median(decoding), load = median(loading);
    out << "\"Foto Inladen\", 6000 x 4000 JPEG (median of " << Runs << ", interleaved)\n";
    out << QStringLiteral("  decoding alone (QImageReader)        %1 ms\n").arg(decode, 8, 'f', 1);
    out << QStringLiteral("  Foto Inladen up to the view's image  %1 ms\n").arg(load, 8, 'f', 1);
    out << QStringLiteral("  ratio                                %1    (target <= 1.15)\n")
               .arg(load / decode, 8, 'f', 3);
}

void benchZoom(PhotoWorkspace &workspace)
{
    constexpr int Runs = 21;
    out << "Zoom levels in the enlarged panel, zoom + the view's image (median of " << Runs
        << "; target <= 16 ms each)\n";
    double slowest = 0;
    for (int index : ZoomLevels::Indexes) {
        std::vector<double> times;
        QElapsedTimer timer;
        for (int i = 0; i < Runs; ++i) {
            workspace.zoom(index == ZoomLevels::Actual ? 1 : ZoomLevels::Actual);
            timer.start();
            workspace.zoom(index);
            const QImage shown = workspace.viewImage();
            times.push_back(elapsedMs(timer));
            if (shown.isNull())
                qFatal("no view image");
        }
        const double ms = median(times);
        slowest = std::max(slowest, ms);
        out << QStringLiteral("  %1 %: %2 ms\n").arg(index * 10, 3).arg(ms, 7, 'f', 3);
    }
    out << QStringLiteral("  slowest: %1 ms\n").arg(slowest, 0, 'f', 3);
}

void benchMemory(const QString &path)
{
    resetPeakMemory();
    const qint64 before = statusKb("VmRSS:");
    CardDocument document;
    PhotoWorkspace workspace(document);
    if (!workspace.loadPhoto(path))
        qFatal("the photo does not load");
    workspace.toggleEnlargedView();
    workspace.zoom(20);
    const QImage shown = workspace.viewImage();
    const qint64 peak = statusKb("VmHWM:");
    const double decodedMb = workspace.backPic().image().sizeInBytes() / 1048576.0;
    const double peakMb = peak / 1024.0, startMb = before / 1024.0;
    out << "Peak memory, photo loaded and zoomed to 200 %\n";
    out << QStringLiteral("  decoded photo          %1 MB\n").arg(decodedMb, 8, 'f', 1);
    out << QStringLiteral("  resident before        %1 MB\n").arg(startMb, 8, 'f', 1);
    out << QStringLiteral("  peak (VmHWM)           %1 MB\n").arg(peakMb, 8, 'f', 1);
    out << QStringLiteral("  target 2.5 x decoded + 60 MB = %1 MB; peak / decoded = %2\n")
               .arg(2.5 * decodedMb + 60, 0, 'f', 1)
               .arg(peakMb / decodedMb, 0, 'f', 2);
    benchZoom(workspace);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = writePhoto(dir);
    out << "Test photo: " << QFile(path).size() / 1024 << " KB JPEG\n";
    benchMemory(path);
    benchLoading(path);
    return 0;
}
