// A HEIC stamp photo (2016 x 1512, a phone's photo at a quarter of its pixels), in one
// run: decoded in process by libheif as the program did before the helper (the same
// decoding code, HeifDecoding::decode), through the helper process (PhotoLoader, what
// every caller uses), and "Foto Inladen" in the window up to the painted view.
#include "app/MainWindow.h"
#include "core/CardDocument.h"
#include "core/Questions.h"
#include "heif/HeifDecoding.h"
#include "stamp/PhotoLoader.h"
#include "stamp/PhotoView.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/StampCommands.h"
#include "stamp/StampTestFiles.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <sys/resource.h>
#include <vector>

namespace {

QTextStream out(stdout);

// CPU time of this process and of its finished helpers: on a busy machine the wall clock
// says more about the neighbours than about us.
double cpuMs()
{
    double ms = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        ms += (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    }
    return ms;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Soft gradients with some detail, so that the coder has a photo's work to do.
QImage photo()
{
    QImage image(2016, 1512, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(90, 140, 220));
    sky.setColorAt(1, QColor(230, 200, 150));
    painter.fillRect(image.rect(), sky);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 120 + i % 100, 100 + (i * 13) % 150));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint((i * 211) % image.width(), (i * 97) % image.height()), 20 + i % 60, 15 + i % 40);
    }
    return image;
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

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("IMG_0001.HEIC"));
    const QByteArray bytes = StampTestFiles::heic(photo());
    {
        QFile file(path);
        if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the photo");
    }

    QTemporaryDir settingsDir;
    CardDocument document;
    PhotoAnswer questions;
    questions.path = path;
    MainWindow window{document, questions, settingsDir.filePath(QStringLiteral("Lumovander.ini"))};
    installStampCommands(window);
    window.show();
    window.action(QStringLiteral("LayoutShow(2)"))->trigger();
    QCoreApplication::processEvents();

    constexpr int Runs = 11;
    std::vector<double> inProcess, helper, menu;
    double cpuInProcess = 0, cpuHelper = 0, cpuMenu = 0;
    QElapsedTimer timer;
    for (int i = 0; i < Runs; ++i) {
        // A user takes a moment to choose the next file; the spare helper starts meanwhile.
        QThread::msleep(300);
        double cpu = cpuMs();
        timer.start();
        if (HeifDecoding::decode(bytes).isNull())
            qFatal("libheif does not decode the photo");
        inProcess.push_back(timer.nsecsElapsed() / 1e6);
        cpuInProcess += cpuMs() - cpu;

        cpu = cpuMs();
        timer.start();
        if (PhotoLoader::load(path).isNull())
            qFatal("the helper does not decode the photo");
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
    const double decoded = median(inProcess), loaded = median(helper), shown = median(menu);
    out << "HEIC stamp photo, 2016 x 1512, " << bytes.size() << " bytes (median of " << Runs
        << ", interleaved, 300 ms apart)\n";
    out << QStringLiteral("  libheif in process (the old path)           %1 ms\n").arg(decoded, 8, 'f', 1);
    out << QStringLiteral("  through the helper (PhotoLoader::load)      %1 ms\n").arg(loaded, 8, 'f', 1);
    out << QStringLiteral("  Foto Inladen up to the painted view         %1 ms\n").arg(shown, 8, 'f', 1);
    out << QStringLiteral("  helper / in process                         %1\n").arg(loaded / decoded, 8, 'f', 2);
    out << "CPU time per load, this process and its helpers (mean of " << Runs << ")\n";
    out << QStringLiteral("  in process %1 ms, through the helper %2 ms, Foto Inladen %3 ms\n")
               .arg(cpuInProcess / Runs, 0, 'f', 1).arg(cpuHelper / Runs, 0, 'f', 1).arg(cpuMenu / Runs, 0, 'f', 1);
    return 0;
}
