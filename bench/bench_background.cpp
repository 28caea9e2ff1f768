// The background commands on the card, in one run: "Randloos" with a 6000 x 4000 JPEG
// beside decoding that file alone, "Bijsnijden…" on it (the frame's steps and "Ok"), every gradient, and every background filter command,
// alone and from the window's menu up to the painted card.
#include "BenchSupport.h"
#include "stamp/BackPic.h"
#include "stamp/PhotoCrop.h"
#include "stamp/PhotoWorkspace.h"
#include "stamp/panel/PhotoView.h"
#include "core/Composition.h"
#include "background/ui/BackgroundCommands.h"
#include "background/BackgroundPhoto.h"
#include "core/CardDocument.h"
#include "window/CardView.h"
#include "background/FilterCommands.h"
#include "filters/Filters.h"
#include "window/MainWindow.h"
#include "stamp/StretchCopy.h"
#include "background/Verloopkleur.h"
#include "window/WidgetQuestions.h"
#include "support/ImageCompare.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

QTextStream out(stdout);

// The median of `runs` timings of `work` in milliseconds; `prepare` runs untimed first.
double medianMs(int runs, const std::function<void()> &work, const std::function<void()> &prepare = {})
{
    return Bench::timeMs(runs, work, prepare).median;
}

void benchPhoto(const QString &jpeg)
{
    out << "Background photo \"Randloos\", 6000 x 4000 JPEG (median of 5, interleaved)\n";
    std::vector<double> decoding, loading;
    QElapsedTimer timer;
    for (int i = 0; i < 5; ++i) {
        timer.start();
        QImageReader reader(jpeg);
        reader.setAllocationLimit(0);
        const QImage decoded = reader.read();
        decoding.push_back(Bench::elapsedMs(timer));
        if (decoded.isNull())
            qFatal("the JPEG does not decode");

        CardDocument document;
        BackPic backPic;
        timer.start();
        if (!loadBackgroundPhoto(document, backPic, jpeg, PhotoPlacement::Borderless))
            qFatal("the background photo does not load");
        loading.push_back(Bench::elapsedMs(timer));
    }
    const double decode = Bench::median(decoding), borderless = Bench::median(loading);
    out << QStringLiteral("  decoding alone (QImageReader)   %1 ms\n").arg(decode, 7, 'f', 1);
    out << QStringLiteral("  \"Randloos\" (load + reduce)      %1 ms\n").arg(borderless, 7, 'f', 1);
    out << QStringLiteral("  ratio                           %1   (target <= 1.3)\n")
               .arg(borderless / decode, 7, 'f', 2);

    BackPic backPic;
    backPic.load(jpeg);
    const QImage &full = backPic.image();
    const double qtSmooth = medianMs(5, [&] {
        (void)full.scaled(440, 270, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });
    const double stretchCopy = medianMs(5, [&] { (void)StretchCopy::stretched(full, {440, 270}); });
    out << QStringLiteral("  reduction alone: Qt smooth scaling %1 ms, the stamp's StretchCopy %2 ms\n")
               .arg(qtSmooth, 0, 'f', 1)
               .arg(stretchCopy, 0, 'f', 1);
}

// "Bijsnijden…" on a 24-megapixel photo: a step of the frame as the mouse gives it, to
// the painted preview; "Ok" to the finished card beside "Randloos" of the same photo.
void benchCrop(const QString &jpeg)
{
    out << "Background photo \"Bijsnijden...\", 6000 x 4000 JPEG\n";
    BackPic backPic;
    CardDocument cropped;
    if (!loadBackgroundPhoto(cropped, backPic, jpeg, PhotoPlacement::Crop))
        qFatal("the photo does not load for cropping");
    PhotoCrop crop;
    const double start = medianMs(3, [&] { crop.start(backPic.image()); });
    out << QStringLiteral("  start (copies for the view and the preview)  %1 ms\n").arg(start, 7, 'f', 1);

    // Every other step moves the frame one way, then back, by a few pixels; and the
    // corner, nearer to and further from the middle.
    QImage painted;
    int step = 0;
    const Bench::Timings move = Bench::timeMs(41, [&] {
        const QPointF at = crop.frameInView().center();
        crop.press(at);
        crop.drag(at + QPointF(0, step++ % 2 ? 3 : -3));
        crop.release();
        painted = crop.render(Qt::white);
        (void)crop.preview(Composition::CanvasSize);
    }, [&] { crop.start(backPic.image()); crop.setFrame(crop.frame().zoomed(1.3, {3000, 2000})); });
    const Bench::Timings resize = Bench::timeMs(41, [&] {
        const QPointF corner = crop.frameInView().topLeft();
        crop.press(corner);
        crop.drag(corner + QPointF(step % 2 ? 4 : -4, 0));
        ++step;
        crop.release();
        painted = crop.render(Qt::white);
        (void)crop.preview(Composition::CanvasSize);
    }, [&] { crop.start(backPic.image()); crop.setFrame(crop.frame().zoomed(1.3, {3000, 2000})); });
    out << QStringLiteral("  frame moved, view and preview drawn   %1 ms (slowest %2; target <= 16)\n")
               .arg(move.median, 7, 'f', 1)
               .arg(move.worst, 0, 'f', 1);
    out << QStringLiteral("  corner dragged, view and preview drawn %1 ms (slowest %2; target <= 16)\n")
               .arg(resize.median, 7, 'f', 1)
               .arg(resize.worst, 0, 'f', 1);

    // The same step in the window: the workspace told of the mouse, the panel's view
    // given its new picture and painted.
    {
        CardDocument document;
        WidgetQuestions questions;
        QTemporaryDir settings;
        MainWindow window(document, questions, settings.filePath(QStringLiteral("Lumovander.ini")));
        window.show();
        PhotoWorkspace &workspace = window.photoWorkspace();
        workspace.backPic() = backPic;
        workspace.beginCrop();
        QCoreApplication::processEvents();
        const QPointF at = workspace.crop().frameInView().center();
        workspace.mouseDown(1, at);
        int turn = 0;
        const Bench::Timings painted = Bench::timeMs(41, [&] {
            workspace.mouseMove(1, at + QPointF(0, turn++ % 2 ? 3 : -3));
            window.photoView()->repaint();
        });
        workspace.mouseUp(1, at);
        workspace.finishCrop(false);
        out << QStringLiteral("  in the window, mouse to painted card  %1 ms (slowest %2; target <= 16)\n")
                   .arg(painted.median, 7, 'f', 1)
                   .arg(painted.worst, 0, 'f', 1);
    }

    const QRectF frame = CropFrame::largestCentred(backPic.size()).rect();
    const double ok = medianMs(5, [&] {
        CardDocument document;
        applyCroppedPhoto(document, backPic, frame);
    });
    // "Randloos" as the user meets it: the file read and the card drawn; and its drawing
    // alone from the same picture in memory.
    const double borderless = medianMs(5, [&] {
        CardDocument document;
        BackPic own;
        loadBackgroundPhoto(document, own, jpeg, PhotoPlacement::Borderless);
    });
    const double borderlessDrawing = medianMs(5, [&] {
        CardDocument document;
        document.drawOnCanvas(
            QStringLiteral("Foto Inladen"),
            [&](QImage &canvas) { drawBackgroundPhoto(canvas, backPic.image(), PhotoPlacement::Borderless); },
            [&](QImage &print, const QImage &) {
                drawBackgroundPhoto(print, backPic.image(), PhotoPlacement::Borderless, Composition::PrintScale);
            });
    });
    out << QStringLiteral("  \"Ok\" (screen, print copy, photo beyond)  %1 ms\n").arg(ok, 7, 'f', 1);
    out << QStringLiteral("  \"Randloos\" (load + both copies)          %1 ms   ratio %2 (target <= 1.2)\n")
               .arg(borderless, 7, 'f', 1)
               .arg(ok / borderless, 0, 'f', 2);
    out << QStringLiteral("  \"Randloos\" drawing alone, same picture   %1 ms   ratio %2\n")
               .arg(borderlessDrawing, 7, 'f', 1)
               .arg(ok / borderlessDrawing, 0, 'f', 2);
}

void benchGradients()
{
    out << "Gradients on the card 440 x 270 (median of 21 runs each; target <= 5 ms)\n";
    QImage card(Gradients::CardSize, QImage::Format_RGB32);
    card.fill(Qt::black);
    double slowest = 0;
    int slowestNumber = 0;
    for (int n = Gradients::First; n <= Gradients::Last; ++n) {
        const double ms = medianMs(21, [&] { Verloopkleur(card, n); });
        out << QStringLiteral("  %1: %2 ms").arg(n, 2).arg(ms, 0, 'f', 3) << (n % 7 == 0 ? "\n" : "");
        if (ms > slowest) {
            slowest = ms;
            slowestNumber = n;
        }
    }
    out << QStringLiteral("  slowest: gradient %1, %2 ms\n").arg(slowestNumber).arg(slowest, 0, 'f', 3);
}

// The tests' PSNR in dB, shown as 99 for identical pictures.
double psnr(const QImage &a, const QImage &b)
{
    return std::min(ImageCompare::psnr(a, b), 99.0);
}

// Two ways to give a gradient its print copy, each judged by how much it looks like the
// screen gradient: reduced back to the card's size by area averaging, how close it comes
// to the screen picture (PSNR; 99 means identical).
void benchGradientPrintCopies()
{
    out << "Gradient print copies 1760 x 1080: drawn at print size vs the screen gradient enlarged "
           "smoothly,\n  each reduced back to 440 x 270 and compared with the screen gradient (PSNR dB)\n";
    double worstDrawn = 99, worstEnlarged = 99;
    for (int n = Gradients::First; n <= Gradients::Last; ++n) {
        QImage screen(Gradients::CardSize, QImage::Format_RGB32);
        screen.fill(Qt::black);
        Verloopkleur(screen, n);
        QImage drawn(Gradients::CardSize * 4, QImage::Format_RGB32);
        drawn.fill(Qt::black);
        Verloopkleur(drawn, n);
        const QImage enlarged = screen.scaled(Gradients::CardSize * 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const auto back = [](const QImage &print) {
            return print.scaled(Gradients::CardSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        };
        const double d = psnr(back(drawn), screen), e = psnr(back(enlarged), screen);
        worstDrawn = std::min(worstDrawn, d);
        worstEnlarged = std::min(worstEnlarged, e);
        out << QStringLiteral("  %1: drawn %2 enlarged %3").arg(n, 2).arg(d, 5, 'f', 1).arg(e, 5, 'f', 1)
            << (n % 3 == 0 ? "\n" : " |");
    }
    out << QStringLiteral("  worst: drawn at print size %1 dB, enlarged %2 dB\n").arg(worstDrawn, 0, 'f', 1)
               .arg(worstEnlarged, 0, 'f', 1);
}

// Times `run` for every background filter command, each on a fresh copy of `background`
// and, when print is given, with that print copy beside it.
void timeBackgroundCommands(CardDocument &document, const QImage &background,
                            const std::function<void(const FilterCommand &)> &run, const QImage &print = QImage())
{
    for (const FilterCommand &command : filterCommands()) {
        if (command.target != FilterTarget::Canvas)
            continue;
        const double ms = medianMs(11, [&] { run(command); }, [&] {
            const auto copy = [&](QImage &image) { image = background.copy(); };
            if (print.isNull())
                document.drawOnCanvas(QStringLiteral("Kopie"), copy);
            else
                document.drawOnCanvas(QStringLiteral("Kopie"), copy,
                                      [&](QImage &printCopy, const QImage &) { printCopy = print; });
        });
        out << QStringLiteral("  %1 %2 %3 ms\n")
                   .arg(command.objectName(), -20)
                   .arg(command.caption.toString(), -12)
                   .arg(ms, 7, 'f', 2);
    }
}

void benchFilters(const QImage &background)
{
    out << "Background filter commands on the card, events processed between rows "
           "(median of 11; target <= 16 ms)\n";
    InstallFilterEventHook([] { QCoreApplication::processEvents(); });
    CardDocument document;
    timeBackgroundCommands(document, background,
                           [&](const FilterCommand &command) { runFilterCommand(document, command); });
    out << "The same with the print copy 1760 x 1080 kept in step (median of 11; target <= 50 ms)\n";
    const QImage print = background.scaled(background.size() * 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    timeBackgroundCommands(
        document, background, [&](const FilterCommand &command) { runFilterCommand(document, command); }, print);
    InstallFilterEventHook({});
}

// The menu item triggered in the window, until the card view has painted the result.
void benchFiltersInWindow(const QImage &background, const QString &settingsPath)
{
    out << "The same commands from the window's menu until the card is painted (median of 11; "
           "target <= 16 ms)\n";
    CardDocument document;
    WidgetQuestions questions;
    MainWindow window(document, questions, settingsPath);
    installBackgroundCommands(window);
    window.show();
    QCoreApplication::processEvents();
    timeBackgroundCommands(document, background, [&](const FilterCommand &command) {
        window.action(command.objectName())->trigger();
        window.cardView()->repaint();
    });
    InstallFilterEventHook({});
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    // Shapes the size of a camera photo's, so that it compresses and decodes as one.
    const QImage big = Bench::photo(6000, 4000, 7, 10);
    const QString jpeg = Bench::writeJpeg(dir, QStringLiteral("photo.jpg"), big);

    benchPhoto(jpeg);
    benchCrop(jpeg);
    benchGradients();
    benchGradientPrintCopies();
    const QImage cardSized = big.scaled(440, 270, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    benchFilters(cardSized);
    benchFiltersInWindow(cardSized, dir.filePath(QStringLiteral("Lumovander.ini")));
    return 0;
}
